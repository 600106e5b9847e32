#pragma once

#include "db/Db.h"

#include <QString>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vel {

class WorkFolder;

// The rows a submission file carries: every column of a query's result, in its order.
struct DbfSource {
    std::string select;
    SqlParams params;
    // Columns written with exactly these decimals: the authority reads every file of a form with
    // one field definition, whatever this year's values are.
    std::map<std::string, int> decimals = {};
    // Text fields of exactly these widths in GBK bytes, so that a form's file has one record
    // layout whichever unit writes it; a text field not named here is as wide as its widest value.
    std::map<std::string, int> textWidths = {};

    // Every column and row of a table.
    static DbfSource table(const QString& name, std::map<std::string, int> decimals = {},
                           std::map<std::string, int> textWidths = {});
};

// The longest text a dBASE character field holds, in GBK bytes.
constexpr int DbfMaxTextBytes = 254;

// The GBK bytes of a text, when GBK proper holds it; nullopt for a character it cannot hold.
std::optional<QByteArray> gbkBytes(const QString& text);
// The first character (a surrogate pair whole) that GBK cannot hold; empty when there is none.
QString firstNonGbkCharacter(const QString& text);

// The folders the statistics authority's files go to.
enum class SubmissionFolder { Gzsb, Rcsb };  // GZSB, RCSB

// `fileName` in GZSB or RCSB of the work folder, the folder created when missing.
QString submissionPath(const WorkFolder& folder, SubmissionFolder where, const QString& fileName);

// Writes the query's result as a dBASE file at `path` (version 0x03, code page 936), one field
// per column under the column's name: whole numbers and decimals as numeric fields, texts as
// character fields in GBK (of the source's widths), nulls blank. The previous file at `path` is replaced only once the
// new one is complete. A text GBK cannot hold, or one too long for a field, throws
// ConversionError naming the column and the record, and nothing is written; a file that
// cannot be written throws FileError.
void writeDbf(Db& db, const DbfSource& source, const QString& path);

// What a file written from a query holds: the field names the writer gives the columns (GBK),
// and each record's values as the query gives them.
struct DbfContent {
    std::vector<QByteArray> fields;
    std::vector<SqlParams> records;
};
DbfContent dbfContent(Db& db, const DbfSource& source);

// Removes a file left under a name the report no longer uses; throws FileError when it stays.
void removeOlderFile(const QString& path);

}  // namespace vel
