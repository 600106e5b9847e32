#pragma once

#include <QDateTime>
#include <QString>

#include <vector>

namespace vel {

class Session;

// A unit whose work folder this program has opened, as it was registered then.
struct KnownUnit {
    QString folder;  // absolute, cleaned
    QString code;
    QString name;
    QString type;
    QString unitClass;
    QDateTime lastOpened;
};

// The units of an agency that keeps several, one work folder each. The list lives in the
// user's configuration folder, never inside a work folder: a folder copied or backed up carries
// no list of the others.
class UnitList {
public:
    // $XDG_CONFIG_HOME/veldrassa/units.json, or ~/.config/veldrassa/units.json.
    static QString defaultPath();

    explicit UnitList(QString path = defaultPath());
    const QString& path() const { return path_; }

    // The most the list may weigh: a few thousand units.
    static constexpr qint64 MaxBytes = 1024 * 1024;

    // Most recently opened first; empty when the file does not exist yet. A file that is no unit
    // list (damaged, not a regular file, or larger than MaxBytes) is never read through: it is
    // renamed units.json.bad-{date} and FileError says so, once; the list then starts empty.
    // Throws FileError for a file that cannot be opened.
    std::vector<KnownUnit> units() const;
    // Records the unit of an open session as opened now, replacing its folder's earlier entry.
    // The file is rewritten whole or not at all.
    void remember(Session& session);
    // Takes a folder off the list; its files stay where they are.
    void forget(const QString& folder);
    // More than one unit is on the list, so the windows name the open one. A list that cannot be
    // read counts as none: opening the unit has said why.
    bool severalUnits() const;

private:
    // Puts an unreadable list aside and throws the message that says where it went.
    [[noreturn]] void setAside() const;
    void save(const std::vector<KnownUnit>& units) const;

    QString path_;
};

// The work folder the window program opens: --data-dir, else $VELDRASSA_DATA_DIR, else the folder
// of the unit opened last that still holds its database, else the default folder. Throws
// FileError where the list is no unit list (it is put aside, as units() says).
QString startFolder(const QString& commandLineDir, const UnitList& list);

// Why a folder cannot be opened as a unit's work folder (it holds no database); empty when it can.
QString openFolderRefusal(const QString& folder);
// Why a new unit cannot be started in a folder (it already holds a database); empty when it can.
QString newFolderRefusal(const QString& folder);

}  // namespace vel
