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

// The units whose work folders the window has opened, newest first, as tab-separated lines:
// code, name, type, class, folder, last opened.
int unitList();

}  // namespace vel::cli
