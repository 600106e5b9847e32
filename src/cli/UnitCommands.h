#pragma once

#include <QString>

#include <optional>

namespace vel {
class Session;
}

namespace vel::cli {

int unitShow(Session& session);

struct UnitSetOptions {
    QString name;
    QString code;
    QString type;
    QString unitClass;
    std::optional<int> foundedMonth;
};
int unitSet(Session& session, const UnitSetOptions& options);

}  // namespace vel::cli
