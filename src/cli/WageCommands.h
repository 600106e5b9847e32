#pragma once

#include "io/MatchedImport.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace vel {
class Session;
}

namespace vel::cli {

// Checks, totals and stores a wage file as the month's wages, after the checks that opening the
// month's wage entry runs. A workbook is read by its first worksheet (or as `options` says); a
// CSV file in the encoding given, else in the one its bytes show. The first line printed says
// which. The columns are matched as readMatchedForCommand says; a matching given is kept for
// files with the same headings once the month is stored.
int wagesImport(Session& session, int month, const QString& path, const ImportOptions& options);
// The stored matchings of payroll files.
int wagesColumns(Session& session);
// "导入上一月" and store: last month's wages for the month's roster, after the same checks.
// Wages already stored for the month are replaced only with `replace`.
int wagesCarry(Session& session, int month, bool replace);
// "工资审核性错误 [确认]" of the named persons' out-of-bounds totals, after the checks that
// opening the month's wage entry and its errors run; the window's question needs `yes`.
int wagesConfirm(Session& session, int month, const QStringList& numbers, bool yes);
int wagesExport(Session& session, int month);
// The wage payout list over months first..last as tab-separated text; with `pdf` also its
// printed pages.
int payoutList(Session& session, int first, int last, bool pdf);

}  // namespace vel::cli
