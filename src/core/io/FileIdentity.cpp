#include "FileIdentity.h"

#include <QFile>

#include <sys/stat.h>

namespace vel {

FileKind fileKind(const QString& path)
{
    struct stat st {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0)
        return FileKind::Missing;
    if (S_ISREG(st.st_mode))
        return FileKind::Regular;
    if (S_ISDIR(st.st_mode))
        return FileKind::Directory;
    return FileKind::Other;
}

bool sameFileOnDisk(const QString& a, const QString& b)
{
    struct stat sa {};
    struct stat sb {};
    if (a.isEmpty() || b.isEmpty() || ::stat(QFile::encodeName(a).constData(), &sa) != 0 ||
        ::stat(QFile::encodeName(b).constData(), &sb) != 0)
        return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

}  // namespace vel
