#pragma once

#include <QString>

namespace vel {

// The folder that holds a unit's database and every file the program writes.
class WorkFolder {
public:
    explicit WorkFolder(QString root);

    // --data-dir wins, then $VELDRASSA_DATA_DIR, then $XDG_DATA_HOME/veldrassa.
    static QString resolve(const QString& commandLineDir);

    const QString& root() const { return root_; }
    QString databasePath() const;
    // Where the database is or would be, without creating anything: what tells a work folder.
    QString databaseFile() const;
    // The named subfolder ("Database", "BAK", "ERROR", "XLS", "RCSB", "GZSB"), created when missing.
    QString folder(const QString& name) const;
    // The file `fileName` in the named subfolder. Every file the program writes is named here: the
    // name must be one plain path component (no separator, no "." or "..", no control
    // character), so that whatever data it was built from, the path stays inside the folder.
    // Throws FileError otherwise.
    QString filePath(const QString& name, const QString& fileName) const;

    // Creates every subfolder a work folder has (Database, BAK, ERROR, XLS, RCSB, GZSB), so that
    // a first backup or export finds its folder. Throws FileError naming the one that cannot be.
    void createSubfolders() const;
    // Whether this user may change the folder's database: the database file (when there is one),
    // its folder and the work folder itself are writable.
    bool writable() const;

    // Whether the folder holds a unit database; nothing is created.
    bool hasDatabase() const;
    // Throws Error naming the folder when it holds no unit database: a command other than
    // "init" never creates one where a mistyped folder led it.
    void requireDatabase() const;

private:
    QString root_;
};

}  // namespace vel
