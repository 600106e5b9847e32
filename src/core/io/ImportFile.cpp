#include "ImportFile.h"

#include "io/XlsFile.h"
#include "io/XlsxFile.h"

#include <QFile>
#include <QFileInfo>

namespace vel {
namespace {

const QByteArray ZipSignature("PK\x03\x04", 4);
const QByteArray CompoundSignature("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);

bool namedAsWorkbook(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == u"xlsx" || suffix == u"xlsm" || suffix == u"xls";
}

// The first bytes, nullopt for a file that cannot be opened (the delimited reader says so).
std::optional<QByteArray> leadingBytes(const QString& path)
{
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.read(CompoundSignature.size());
}

void checkWorkbookSize(const QString& path)
{
    if (QFileInfo(path).size() > MaxImportFileBytes)
        refuseLargeFile(path);
}

QByteArray workbookBytes(const QString& path)
{
    checkWorkbookSize(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        refuseDamagedWorkbook(path);
    QByteArray bytes = file.read(MaxImportFileBytes + 1);
    if (bytes.size() > MaxImportFileBytes)
        refuseLargeFile(path);
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
    const std::optional<QByteArray> lead = leadingBytes(path);
    ImportTable table;
    if (lead && lead->startsWith(ZipSignature)) {
        checkWorkbookSize(path);
        table.source.format = ImportFormat::Xlsx;
        table.lines = sheetLines(readXlsxSheet(path));
    } else if (lead && *lead == CompoundSignature) {
        table.source.format = ImportFormat::Xls;
        table.lines = sheetLines(readXlsSheet(path, workbookBytes(path)));
    } else if (lead && namedAsWorkbook(path)) {
        refuseDamagedWorkbook(path);
    } else {
        DelimitedText text = readDelimitedFile(path, encoding);
        table.source.encoding = text.encoding;
        table.lines = std::move(text.lines);
    }
    return table;
}

}  // namespace vel
