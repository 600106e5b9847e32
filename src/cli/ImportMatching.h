#pragma once

#include "io/MatchedImport.h"

namespace vel {
class Session;
}

namespace vel::cli {

// Reads and matches a clerk's file, printing first how it was read ("workbook xlsx", "encoding
// UTF-8"); nullopt, with the reason on standard error, when it cannot be read or its columns are
// not matched. For headings that are not ours it prints those found and a proposed --columns.
std::optional<MatchedFile> readMatchedForCommand(Session& session, const ImportLayout& layout,
                                                 const QString& path,
                                                 const ImportOptions& options);

// What the summary line adds about the file: ", S skipped" for its total rows and ", sheets
// A、B" when several sheets were read.
QString matchedSummary(const MatchedFile& file);

// `wages columns` / `roster columns`: each stored matching as its MATCHING and the headings it is for,
// tab-separated.
int printStoredMatches(Session& session, const ImportLayout& layout);

}  // namespace vel::cli
