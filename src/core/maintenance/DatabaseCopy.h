#pragma once

#include "Progress.h"
#include "CheckOutcome.h"

#include <QString>

namespace vel {

class Db;
class Session;
class WorkFolder;

// The file the backup dialog proposes: BAK/{unit number}.db, or BAK/RCdatabase.db for a unit
// number that cannot stand as a file name.
QString defaultBackupPath(const WorkFolder& folder, const QString& unitCode);

// Why `target` cannot take a backup of the open database: a folder, a device or a pipe, or the
// database itself under whatever name (told by device and inode); empty for a regular file or a
// new name.
QString backupTargetRefusal(const Db& db, const QString& target);

// Before "数据备份" to `target`: a registered unit and a target that can take the copy; a file
// already there is replaced only when the question is answered Yes.
CheckOutcome backupChecks(Session& session, const QString& target);

// Copies the open database to `target` with the engine's online backup, so the copy is
// consistent even while another connection writes; the previous file at `target` is replaced
// only once the copy is complete. A target backupTargetRefusal names throws Error; a failed copy
// throws FileError or DatabaseError.
void backupDatabase(Db& db, const QString& target, const Progress& progress = {});

// Why the file at `path` cannot be restored, or empty when it can: it must be a regular file
// exactly the size of the SQLite database it holds, pass the integrity check, not be written by
// a newer version, and hold every table and column of this program's schema. The file is only
// read.
QString restoreRefusal(const QString& path);

// Replaces the open database's contents with those of `source` (brought to this version's
// schema), after keeping the replaced database as BAK/before-restore-{date-time}.db under a name
// no other file has, whose path it returns. Holds the work folder's lock for its whole run, so a
// second restore or initialise waits for it or is refused. A source that is refused, or too big
// for the free disk space, throws Error with the reason, and nothing changes.
QString restoreDatabase(Db& db, const WorkFolder& folder, const QString& source);

// Replaces the open database's contents with a blank database of the built-in schema, after
// keeping the replaced one as BAK/before-init-{date-time}.db, whose path it returns; locked as a
// restore is.
QString initialiseDatabase(Db& db, const WorkFolder& folder);

// Removes what an interrupted restore, initialise or backup left: the staging copies beside the
// database (only while no restore or initialise runs) and the backup temporaries in BAK older
// than ten minutes.
void removeStaleCopies(const WorkFolder& folder);

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
