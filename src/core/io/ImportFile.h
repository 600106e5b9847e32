#pragma once

#include "io/DelimitedFile.h"

#include <QString>

#include <optional>
#include <vector>

namespace vel {

enum class ImportFormat { Delimited, Xlsx, Xls };

// How a clerk's file was read: a delimited file's encoding, or the kind of workbook.
struct ImportSource {
    ImportFormat format = ImportFormat::Delimited;
    TextEncoding encoding = TextEncoding::Utf8;  // a delimited file's; workbooks are Unicode
};

// The command line's first line about a file: "encoding UTF-8", "encoding GBK", "workbook xlsx"
// or "workbook xls".
QString importSourceText(const ImportSource& source);

struct ImportTable {
    ImportSource source;
    std::vector<DelimitedLine> lines;  // the header line included
};

// Reads a roster or wage file as lines of cells: an Excel workbook (.xlsx, or .xls from Excel 97
// on) by its first worksheet, each cell as shown there, row n as line n; any other file as CSV or
// tab-separated text (parseDelimitedBytes, in `encoding` or the one its bytes show). The kind is
// told from the bytes; a file named as a workbook that is none is refused. Only a regular file
// is opened: a pipe or a device is refused without a read. Throws Error naming the file or the
// cell, each refusal by its cause (missing, not readable, damaged, password, too large ...).
ImportTable readImportFile(const QString& path, std::optional<TextEncoding> encoding = std::nullopt);

}  // namespace vel
