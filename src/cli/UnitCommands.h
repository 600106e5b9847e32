#pragma once

#include <QString>

#include <optional>

namespace vel {
class Session;
}

namespace vel::cli {

int unitShow(Session& session);

struct UnitSetOptions {
    std::optional<QString> name;
    std::optional<QString> code;
    QString type;
    QString unitClass;
    std::optional<int> foundedMonth;
    // The data check's figures as typed; an empty text clears one, an option not given keeps it.
    std::optional<QString> minWage;
    std::optional<QString> lastHeads;
    std::optional<QString> lastWages;

    bool setsFigures() const { return minWage || lastHeads || lastWages; }
};
// Registers the unit (--name and --code together) and keeps the figures given, in one
// transaction; with figures alone, only those.
int unitSet(Session& session, const UnitSetOptions& options);

// The units whose work folders the window has opened, newest first, as tab-separated lines:
// code, name, type, class, folder, last opened.
int unitList();

}  // namespace vel::cli
