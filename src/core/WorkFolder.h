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

private:
    QString root_;
};

}  // namespace vel
