#pragma once

#include <QString>

namespace vel {

// What stands at a path, links followed: only a regular file may be read as a database or
// written over.
enum class FileKind { Missing, Regular, Directory, Other };
FileKind fileKind(const QString& path);

// Whether two paths name one file on disk (a hard link, a symbolic link or another spelling of
// the path all count), by device and inode; false when either does not exist.
bool sameFileOnDisk(const QString& a, const QString& b);

}  // namespace vel
