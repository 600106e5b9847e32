// The workbook readers: any file is read or refused with a message, and what is read holds no
// control character and lies within the limits of a list; the .xls record walker and the number
// formats take any bytes. An input starting with "<" is taken as a worksheet's XML (and, after a
// NUL, its shared strings) and packed into a workbook, so that mutations reach the cells
// themselves (formulas with and without results, shared-string indexes) rather than stopping at
// the zip's checksums; one starting with "\x09\x08" is taken as an .xls workbook stream and put
// into a compound file.
#include "Errors.h"
#include "io/ImportFile.h"
#include "io/NumberFormat.h"
#include "io/WorkbookSheet.h"
#include "io/XlsRecords.h"

#include <QFile>
#include <QTemporaryDir>

#include <zip.h>

#include <map>

#include "../core/CompoundFile.h"
#include "FuzzSupport.h"

namespace {

using vel::fuzz::require;

void writeZip(const QString& path, const std::map<QString, QByteArray>& parts)
{
    zipFile zip = zipOpen64(QFile::encodeName(path).constData(), APPEND_STATUS_CREATE);
    require(zip != nullptr);
    for (const auto& [name, bytes] : parts) {
        // Stored, not deflated: the fuzzer's bytes stand in the file as they are.
        require(zipOpenNewFileInZip64(zip, name.toUtf8().constData(), nullptr, nullptr, 0, nullptr,
                                      0, nullptr, 0, 0, 1) == ZIP_OK);
        require(zipWriteInFileInZip(zip, bytes.constData(), static_cast<unsigned>(bytes.size())) ==
                ZIP_OK);
        zipCloseFileInZip(zip);
    }
    zipClose(zip, nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace vel;
    static QTemporaryDir dir;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    XlsRecords records;
    readXlsRecords(bytes, records);
    NumberFormat(fuzz::typed(data, size)).number(1990.1);

    const QString path = dir.filePath(QStringLiteral("in.xlsx"));
    QFile::remove(path);
    if (bytes.startsWith('<')) {
        const qsizetype nul = bytes.indexOf('\0');
        writeZip(path,
                 {{"xl/workbook.xml",
                   "<workbook xmlns:r=\"r\"><sheets><sheet name=\"s\" r:id=\"rId1\"/></sheets>"
                   "</workbook>"},
                  {"xl/_rels/workbook.xml.rels",
                   "<Relationships><Relationship Id=\"rId1\" Type=\"x/worksheet\" "
                   "Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" "
                   "Type=\"x/sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>"},
                  {"xl/worksheets/sheet1.xml", nul < 0 ? bytes : bytes.left(nul)},
                  {"xl/sharedStrings.xml", nul < 0 ? QByteArray() : bytes.mid(nul + 1)}});
    } else {
        QFile file(path);
        require(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes.startsWith("\x09\x08") ? test::compoundFile({{"Workbook", bytes}}) : bytes);
    }
    try {
        const ImportTable table = readImportFile(path);
        require(table.lines.size() <= static_cast<size_t>(MaxWorkbookRows) ||
                table.source.format == ImportFormat::Delimited);
        for (const DelimitedLine& line : table.lines) {
            require(table.source.format == ImportFormat::Delimited ||
                    line.cells.size() <= MaxWorkbookColumns);
            for (const QString& cell : line.cells)
                require(controlCharAt(cell) < 0);
        }
    } catch (const Error& e) {
        require(!e.message().isEmpty());
    }
    return 0;
}
