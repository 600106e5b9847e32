#pragma once

#include "io/DelimitedFile.h"

#include <QString>

#include <optional>

namespace vel {
class Session;
}

namespace vel::cli {

// Checks, totals and stores a wage file as the month's wages, after the checks that opening the
// month's wage entry runs. A workbook is read by its first worksheet; a CSV file in `encoding`,
// else in the one its bytes show. The first line printed says which.
int wagesImport(Session& session, int month, const QString& path,
                std::optional<TextEncoding> encoding);
// "导入上一月" and store: last month's wages for the month's roster, after the same checks.
// Wages already stored for the month are replaced only with `replace`.
int wagesCarry(Session& session, int month, bool replace);
int wagesExport(Session& session, int month);
// The wage payout list over months first..last as tab-separated text; with `pdf` also its
// printed pages.
int payoutList(Session& session, int first, int last, bool pdf);

}  // namespace vel::cli
