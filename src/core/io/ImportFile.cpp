#include "ImportFile.h"

#include "Errors.h"
#include "io/FileIdentity.h"
#include "io/XlsFile.h"
#include "io/XlsxFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vel {
namespace {

const QByteArray ZipSignature("PK\x03\x04", 4);
const QByteArray CompoundSignature("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);

bool namedAsWorkbook(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == u"xlsx" || suffix == u"xlsm" || suffix == u"xls";
}

[[noreturn]] void refuseUnreadable(const QString& path, int error)
{
    if (error == EACCES || error == EPERM)
        throw FileError(QStringLiteral("没有读取文件的权限：%1").arg(path));
    throw FileError(QStringLiteral("无法读取文件：%1").arg(path));
}

[[noreturn]] void refuseNotRegular(const QString& path)
{
    throw FileError(QStringLiteral("%1 不是普通文件（是设备或管道），无法导入。").arg(path));
}

// The file's bytes, from a regular file only: a pipe or a device would block the read or never
// end. The kind is checked before the open and again on what was opened, which a pipe put in
// its place meanwhile cannot block (O_NONBLOCK).
QByteArray importBytes(const QString& path)
{
    switch (fileKind(path)) {
    case FileKind::Missing:  // a link to nothing included
        throw FileError(QStringLiteral("找不到文件：%1").arg(path));
    case FileKind::Directory:
        throw FileError(QStringLiteral("%1 是文件夹，不是名册或工资表文件。").arg(path));
    case FileKind::Other:
        refuseNotRegular(path);
    case FileKind::Regular:
        break;
    }
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        refuseUnreadable(path, errno);
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        refuseUnreadable(path, 0);
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        refuseUnreadable(path, errno);
    if (!S_ISREG(st.st_mode))
        refuseNotRegular(path);
    if (st.st_size > MaxImportFileBytes)
        refuseLargeFile(path);
    // The file may grow while it is read: the reads stop past the limit all the same.
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(st.st_size));
    char block[64 * 1024];
    qint64 n = 0;
    while ((n = file.read(block, sizeof block)) > 0) {
        bytes.append(block, n);
        if (bytes.size() > MaxImportFileBytes)
            refuseLargeFile(path);
    }
    if (n < 0)
        refuseUnreadable(path, EIO);
    return bytes;
}

}  // namespace

QString importSourceText(const ImportSource& source)
{
    switch (source.format) {
    case ImportFormat::Xlsx:
        return QStringLiteral("workbook xlsx");
    case ImportFormat::Xls:
        return QStringLiteral("workbook xls");
    case ImportFormat::Delimited:
        break;
    }
    return QStringLiteral("encoding %1").arg(encodingName(source.encoding));
}

ImportTable readImportFile(const QString& path, std::optional<TextEncoding> encoding)
{
    const QByteArray bytes = importBytes(path);
    ImportTable table;
    if (bytes.startsWith(ZipSignature)) {
        table.source.format = ImportFormat::Xlsx;
        table.lines = sheetLines(readXlsxSheet(path));
    } else if (bytes.startsWith(CompoundSignature)) {
        table.source.format = ImportFormat::Xls;
        table.lines = sheetLines(readXlsSheet(path, bytes));
    } else if (namedAsWorkbook(path)) {
        refuseNotWorkbook(path);
    } else {
        DelimitedText text = parseDelimitedBytes(bytes, encoding);
        table.source.encoding = text.encoding;
        table.lines = std::move(text.lines);
    }
    return table;
}

}  // namespace vel
