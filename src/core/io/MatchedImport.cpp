#include "MatchedImport.h"

#include "Errors.h"
#include "db/Db.h"
#include "io/XlsxFile.h"

namespace vel {
namespace {

const QChar HeadingSeparator = u'\t';

// The first lines hold the headings; a title above them is short.
constexpr size_t HeadingSearchLines = 50;

bool holdsHeadings(const std::vector<DelimitedLine>& lines, const QStringList& headings)
{
    for (size_t i = 0; i < lines.size() && i < HeadingSearchLines; ++i)
        if (headingKeys(lines[i]) == headings)
            return true;
    return false;
}

QStringList firstHeadings(const std::vector<DelimitedLine>& lines)
{
    for (const DelimitedLine& line : lines) {
        const QStringList keys = headingKeys(line);
        if (!keys.isEmpty())
            return keys;
    }
    return {};
}

}  // namespace

std::vector<StoredColumnMatch> storedColumnMatches(Db& db, const QString& kind)
{
    std::vector<StoredColumnMatch> matches;
    Query q(db, "SELECT Headings, Matching FROM Column_Match WHERE Kind = ? ORDER BY rowid", {kind});
    while (q.next())
        matches.push_back({q.text("Headings").split(HeadingSeparator), q.text("Matching")});
    return matches;
}

void storeColumnMatch(Db& db, const QString& kind, const StoredColumnMatch& match)
{
    db.exec("INSERT OR REPLACE INTO Column_Match (Kind, Headings, Matching) VALUES (?, ?, ?)",
            {kind, match.headings.join(HeadingSeparator), match.text});
}

ColumnMatchNeeded::ColumnMatchNeeded(QStringList found, std::optional<ColumnProposal> proposed)
    : Error(QStringLiteral("文件的栏目与本系统的不同，请先确认各栏的对应关系。")),
      headings(std::move(found)), proposal(std::move(proposed))
{
}

MatchedImport matchImportLines(Db& db, const ImportLayout& layout,
                               const std::vector<DelimitedLine>& lines,
                               const std::optional<QString>& columns)
{
    MatchedImport out;
    if (columns) {
        out.origin = MatchOrigin::Given;
        out.match = parseColumnMatch(layout, *columns);
        out.rows = applyColumnMatch(layout, out.match, lines);
        return out;
    }
    for (const StoredColumnMatch& stored : storedColumnMatches(db, layout.kind)) {
        if (!holdsHeadings(lines, stored.headings))
            continue;
        out.origin = MatchOrigin::Stored;
        out.match = parseColumnMatch(layout, stored.text);
        out.rows = applyColumnMatch(layout, out.match, lines);
        return out;
    }
    if (const std::optional<ColumnMatch> standard = standardColumnMatch(layout, lines)) {
        out.origin = MatchOrigin::Standard;
        out.match = *standard;
        out.rows = applyColumnMatch(layout, out.match, lines);
        return out;
    }
    std::optional<ColumnProposal> proposal = proposeColumnMatch(layout, lines);
    QStringList found = proposal ? proposal->headings : firstHeadings(lines);
    throw ColumnMatchNeeded(std::move(found), std::move(proposal));
}

ImportSheets readImportSheets(const QString& path, const ImportOptions& options)
{
    ImportTable table = readImportFile(path, options.encoding);
    ImportSheets read;
    read.source = table.source;
    // Only the .xlsx reader goes past the first worksheet.
    if (!options.sheet && table.source.format == ImportFormat::Xlsx) {
        const QStringList names = readXlsxSheetNames(path);
        read.sheets.push_back({names.value(0), std::move(table.lines)});
        for (int i = 1; i < names.size(); ++i)
            read.sheets.push_back({names[i], sheetLines(readXlsxSheet(path, i)), true});
        return read;
    }
    if (!options.sheet) {
        read.sheets.push_back({QString(), std::move(table.lines)});
        return read;
    }
    if (table.source.format != ImportFormat::Xlsx)
        throw Error(QStringLiteral("只能从.xlsx工作簿中选择工作表。请在表格程序中另存为.xlsx后再导入。"));
    const QStringList names = readXlsxSheetNames(path);
    const bool all = options.sheet->compare(QStringLiteral("all"), Qt::CaseInsensitive) == 0;
    if (!all && !names.contains(*options.sheet))
        throw Error(QStringLiteral("工作簿中没有名为“%1”的工作表。现有的工作表：%2")
                        .arg(*options.sheet, names.join(u'、')));
    for (int i = 0; i < names.size(); ++i) {
        if (!all && names[i] != *options.sheet)
            continue;
        std::vector<DelimitedLine> lines =
            i == 0 ? std::move(table.lines) : sheetLines(readXlsxSheet(path, i));
        // A sheet left empty (a second sheet nobody used) holds no department.
        if (all && lines.empty())
            continue;
        read.sheets.push_back({names[i], std::move(lines)});
    }
    return read;
}

MatchedFile matchImportSheets(Db& db, const ImportLayout& layout, const ImportSheets& read,
                              const std::optional<QString>& columns)
{
    MatchedFile file;
    file.source = read.source;
    for (const ImportSheet& sheet : read.sheets) {
        if (&sheet == &read.sheets.front()) {
            file.matched = matchImportLines(db, layout, sheet.lines, columns);
            file.sheets << sheet.name;
            continue;
        }
        MatchedRows more;
        try {
            more = applyColumnMatch(layout, file.matched.match, sheet.lines);
        } catch (const Error& e) {
            if (sheet.ifSameHeadings)
                continue;
            throw Error(QStringLiteral("工作表“%1”：%2").arg(sheet.name, e.message()));
        }
        if (sheet.ifSameHeadings && more.headings != file.matched.rows.headings)
            continue;
        file.sheets << sheet.name;
        MatchedRows& rows = file.matched.rows;
        rows.skipped += more.skipped;
        rows.rows.insert(rows.rows.end(), std::make_move_iterator(more.rows.begin()),
                         std::make_move_iterator(more.rows.end()));
    }
    return file;
}

MatchedFile readMatchedFile(Db& db, const ImportLayout& layout, const QString& path,
                            const ImportOptions& options)
{
    return matchImportSheets(db, layout, readImportSheets(path, options), options.columns);
}

void rememberColumnMatch(Db& db, const ImportLayout& layout, const MatchedImport& matched)
{
    if (matched.origin == MatchOrigin::Given)
        storeColumnMatch(db, layout.kind, {matched.rows.headings, matched.match.text(layout)});
}

}  // namespace vel
