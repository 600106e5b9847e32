#include "ShortestNumbers.h"

#include "Errors.h"
#include "output/WorkbookWriter.h"

#include <unzip.h>
#include <zip.h>

#include <QFile>
#include <QRegularExpression>

#include <utility>
#include <vector>

namespace vel {

namespace {

struct Part {
    QByteArray name;
    QByteArray bytes;
};

[[noreturn]] void unwritable()
{
    throw FileError(FileNotWritableCause);
}

std::vector<Part> readPackage(const QString& path)
{
    unzFile zip = unzOpen64(QFile::encodeName(path).constData());
    if (!zip)
        unwritable();
    std::vector<Part> parts;
    bool ok = true;
    for (int at = unzGoToFirstFile(zip); ok && at == UNZ_OK; at = unzGoToNextFile(zip)) {
        unz_file_info64 info;
        char name[512];
        ok = unzGetCurrentFileInfo64(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0) ==
                 UNZ_OK &&
             unzOpenCurrentFile(zip) == UNZ_OK;
        if (!ok)
            break;
        Part part{name, QByteArray(static_cast<qsizetype>(info.uncompressed_size), Qt::Uninitialized)};
        const int read = part.bytes.isEmpty()
                             ? 0
                             : unzReadCurrentFile(zip, part.bytes.data(),
                                                  static_cast<unsigned>(part.bytes.size()));
        ok = unzCloseCurrentFile(zip) == UNZ_OK && read == part.bytes.size();
        parts.push_back(std::move(part));
    }
    unzClose(zip);
    if (!ok)
        unwritable();
    return parts;
}

void writePackage(const QString& path, const std::vector<Part>& parts)
{
    zipFile zip = zipOpen64(QFile::encodeName(path).constData(), APPEND_STATUS_CREATE);
    if (!zip)
        unwritable();
    bool ok = true;
    for (const Part& part : parts) {
        zip_fileinfo info{};
        ok = zipOpenNewFileInZip64(zip, part.name.constData(), &info, nullptr, 0, nullptr, 0,
                                   nullptr, Z_DEFLATED, Z_DEFAULT_COMPRESSION, 0) == ZIP_OK &&
             zipWriteInFileInZip(zip, part.bytes.constData(),
                                 static_cast<unsigned>(part.bytes.size())) == ZIP_OK &&
             zipCloseFileInZip(zip) == ZIP_OK;
        if (!ok)
            break;
    }
    if (zipClose(zip, nullptr) != ZIP_OK || !ok)
        unwritable();
}

}  // namespace

QByteArray withShortestNumbers(const QByteArray& sheetXml)
{
    // A number cell is the only one whose value follows its opening tag directly without a type:
    // strings carry t="s", formulas an <f> first.
    static const QRegularExpression number(
        QStringLiteral(R"((<c r="[A-Z]+[0-9]+"(?: s="[0-9]+")?><v>)([^<]+)(</v>))"));
    const QString xml = QString::fromUtf8(sheetXml);
    QString out;
    out.reserve(xml.size());
    qsizetype from = 0;
    for (auto it = number.globalMatch(xml); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        bool ok = false;
        const double value = m.captured(2).toDouble(&ok);
        out += QStringView(xml).mid(from, m.capturedStart(2) - from);
        out += ok ? QString::number(value, 'g', 15) : m.captured(2);
        from = m.capturedEnd(2);
    }
    out += QStringView(xml).mid(from);
    return out.toUtf8();
}

void storeShortestNumbers(const QString& path)
{
    std::vector<Part> parts = readPackage(path);
    for (Part& part : parts)
        if (part.name.startsWith("xl/worksheets/") && part.name.endsWith(".xml"))
            part.bytes = withShortestNumbers(part.bytes);
    writePackage(path, parts);
}

}  // namespace vel
