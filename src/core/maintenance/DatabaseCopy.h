#pragma once

#include "Progress.h"

#include <QString>

namespace vel {

class Db;
class WorkFolder;

// The file the backup dialog proposes: BAK/{unit number}.db, or BAK/RCdatabase.db for a unit
// number that cannot stand as a file name.
QString defaultBackupPath(const WorkFolder& folder, const QString& unitCode);

// Copies the open database to `target` with the engine's online backup, so the copy is
// consistent even while another connection writes; the previous file at `target` is replaced
// only once the copy is complete. Throws FileError or DatabaseError.
void backupDatabase(Db& db, const QString& target, const Progress& progress = {});

// Why the file at `path` cannot be restored, or empty when it can: it must be an SQLite
// database that passes the integrity check, holds this program's tables and was not written by
// a newer version. The file is only read.
QString restoreRefusal(const QString& path);

// Replaces the open database's contents with those of `source` (brought to this version's
// schema), after keeping the replaced database as BAK/before-restore-{date-time}.db, whose path
// it returns. A source that is refused throws Error with the reason, and nothing changes.
QString restoreDatabase(Db& db, const WorkFolder& folder, const QString& source);

// Replaces the open database's contents with a blank database of the built-in schema, after
// keeping the replaced one as BAK/before-init-{date-time}.db, whose path it returns.
QString initialiseDatabase(Db& db, const WorkFolder& folder);

namespace maintenance {
inline const QString BackupFilter = QStringLiteral("数据库文件 (*.db)");
inline const QString RestoreQuestion =
    QStringLiteral("还原数据后，必须重启系统才生效，确认还原？\n\r确认按[Yes],不确认按[No]");
inline const QString InitialiseQuestion =
    QStringLiteral("系统数据将清空，必须重启系统才生效，请确认！\n\r确认按[Yes],不确认按[No]");
inline const QString Restored = QStringLiteral("还原系统成功，请重启！");
QString backupDone(const QString& path);
}  // namespace maintenance

}  // namespace vel
