#pragma once

#include "io/MatchedImport.h"

#include <QString>

#include <optional>

namespace vel {
class Session;
}

namespace vel::cli {

// Audits and stores a roster file as the month's roster, as the roster windows save a sheet.
// A workbook is read by its first worksheet; a CSV file in the encoding given, else in the one
// its bytes show. The first line printed says which. The columns are matched as wagesImport's.
int rosterImport(Session& session, int month, const QString& path, const ImportOptions& options);
// The stored matchings of staff lists.
int rosterColumns(Session& session);
int rosterExport(Session& session, int month);
// "人员变动" as tab-separated lines, then the counts per kind; with `pdf` also its printed pages.
int rosterDiff(Session& session, int from, int to, bool pdf);
// "过录表上报": writes the stored opening roster as RCSB/Gl_{unit number}.dbf; prints its path.
int rosterSubmit(Session& session);

}  // namespace vel::cli
