#pragma once

#include "Errors.h"
#include "io/ColumnMatch.h"
#include "io/ImportFile.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace vel {

class Db;

// A matching the clerk confirmed, kept with the unit for files with the same heading row.
struct StoredColumnMatch {
    QStringList headings;  // the heading row's keys
    QString text;
};

// The kind's stored matchings, oldest first.
std::vector<StoredColumnMatch> storedColumnMatches(Db& db, const QString& kind);
// Keeps (or replaces) the matching for files with this heading row.
void storeColumnMatch(Db& db, const QString& kind, const StoredColumnMatch& match);

// How a file's columns were matched.
enum class MatchOrigin {
    Given,     // the clerk named the matching for this file: kept once the import is stored
    Stored,    // confirmed before for files with these headings
    Standard,  // the file has our own headings
};

struct MatchedImport {
    ColumnMatch match;
    MatchOrigin origin = MatchOrigin::Standard;
    MatchedRows rows;
};

// The file's headings are not ours and no confirmed matching fits them: the clerk must name one.
// Carries what was found, for the command line to print and the dialog to show.
class ColumnMatchNeeded : public Error {
public:
    ColumnMatchNeeded(QStringList headings, std::optional<ColumnProposal> proposal);
    QStringList headings;  // the proposal's heading row, else the file's first line with text
    std::optional<ColumnProposal> proposal;
};

// Reads the file's lines into our columns: by `columns` when given, else by a stored matching whose
// headings a line of the file holds, else by our own headings; otherwise throws
// ColumnMatchNeeded. A bad matching or a file that does not fit it throws Error naming the fault.
MatchedImport matchImportLines(Db& db, const ImportLayout& layout,
                               const std::vector<DelimitedLine>& lines,
                               const std::optional<QString>& columns = std::nullopt);

// What the clerk said about reading a file: its encoding (delimited files), the matching
// (`目标=来源[+来源…];…`), and for a workbook the worksheet by name or "all" (else the first).
struct ImportOptions {
    std::optional<TextEncoding> encoding;
    std::optional<QString> columns;
    std::optional<QString> sheet;
};

// A file's cells as read: a delimited file's lines, or the lines of the worksheets asked for.
// Without a sheet named, a workbook's later sheets are read too and taken when they hold the
// first one's heading row (a payroll with one sheet per department); "all" takes every sheet
// that holds anything, a name only that sheet. Only .xlsx workbooks are read past their first
// sheet.
struct ImportSheet {
    QString name;  // empty for a delimited file
    std::vector<DelimitedLine> lines;
    bool ifSameHeadings = false;  // taken only when it has the first sheet's heading row
};
struct ImportSheets {
    ImportSource source;
    std::vector<ImportSheet> sheets;
};
ImportSheets readImportSheets(const QString& path, const ImportOptions& options = {});

// A file read and matched: how it was read and the sheets its rows came from, in order.
struct MatchedFile {
    ImportSource source;
    QStringList sheets;  // the worksheets taken (an empty name for a delimited file)
    MatchedImport matched;
};

// The first sheet decides the matching (matchImportLines); every other sheet must hold the same
// headings and its rows follow in sheet order.
MatchedFile matchImportSheets(Db& db, const ImportLayout& layout, const ImportSheets& read,
                              const std::optional<QString>& columns = std::nullopt);

// readImportSheets, then matchImportSheets.
MatchedFile readMatchedFile(Db& db, const ImportLayout& layout, const QString& path,
                            const ImportOptions& options = {});

// Keeps a matching the clerk gave for files with these headings (in the caller's transaction).
void rememberColumnMatch(Db& db, const ImportLayout& layout, const MatchedImport& matched);

}  // namespace vel
