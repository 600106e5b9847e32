// The workbook readers: any file is read or refused with a message, and what is read holds no
// control character; the .xls record walker and the number formats take any bytes.
#include "Errors.h"
#include "io/ImportFile.h"
#include "io/NumberFormat.h"
#include "io/XlsRecords.h"

#include <QFile>
#include <QTemporaryDir>

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace vel;
    static QTemporaryDir dir;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    XlsRecords records;
    readXlsRecords(bytes, records);
    NumberFormat(fuzz::typed(data, size)).number(1990.1);

    const QString path = dir.filePath(QStringLiteral("in.xlsx"));
    QFile file(path);
    fuzz::require(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.close();
    try {
        for (const DelimitedLine& line : readImportFile(path).lines)
            for (const QString& cell : line.cells)
                fuzz::require(controlCharAt(cell) < 0);
    } catch (const Error& e) {
        fuzz::require(!e.message().isEmpty());
    }
    return 0;
}
