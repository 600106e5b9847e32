// The reader of clerks' CSV and tab-separated files: any bytes are read or refused with a
// message, and what is read holds no control character and counts its lines in order.
#include "Errors.h"
#include "FuzzSupport.h"
#include "io/DelimitedFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace vel;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const std::optional<TextEncoding> encoding :
         {std::optional<TextEncoding>{}, std::optional{TextEncoding::Utf8},
          std::optional{TextEncoding::Gbk}}) {
        try {
            const DelimitedText text = parseDelimitedBytes(bytes, encoding);
            int previous = 0;
            for (const DelimitedLine& line : text.lines) {
                fuzz::require(line.line == previous + 1);
                previous = line.line;
                for (const QString& cell : line.cells)
                    fuzz::require(controlCharAt(cell) < 0);
            }
            if (encoding)
                fuzz::require(text.encoding == *encoding);
        } catch (const ConversionError& e) {
            fuzz::require(!e.message().isEmpty());
        }
    }
    return 0;
}
