#include "RosterCommands.h"

#include "CliSupport.h"
#include "Session.h"
#include "sheet/Sheet.h"
#include "staff/RosterFile.h"
#include "staff/RosterStore.h"
#include "staff/RosterSubmission.h"
#include "staff/StaffRules.h"

namespace vel::cli {
namespace {

bool validMonth(int month)
{
    if (month >= 0 && month <= 12)
        return true;
    err(QStringLiteral("月份必须是0（期初）到12。"));
    return false;
}

}  // namespace

int rosterImport(Session& session, int month, const QString& path,
                 std::optional<TextEncoding> encoding)
{
    if (!validMonth(month))
        return Refused;
    if (unitRefused(session))
        return Refused;
    RosterFile file;
    try {
        file = readRosterFile(path, encoding);
    } catch (const Error& e) {
        err(e.message());
        return Refused;
    }
    out(QStringLiteral("encoding %1").arg(encodingName(file.encoding)));
    const std::vector<RosterFileRow>& rows = file.rows;
    if (rows.empty()) {
        err(QStringLiteral("第一行没有数据。"));
        return Refused;
    }
    Sheet sheet(Sheet::DefaultMaxRow, staff::ColumnCount);
    if (static_cast<int>(rows.size()) > sheet.maxRow() - staff::FirstPersonRow + 1) {
        err(QStringLiteral("人员多于人员表能容纳的%1行。")
                .arg(sheet.maxRow() - staff::FirstPersonRow + 1));
        return Refused;
    }
    const StaffClass staffClass = staffClassOf(session.unit().CurDepInfo);
    fillStaffSheet(sheet, rows, staffClass);

    session.codes().load(session.db(), session.postFilter());
    const StaffRules rules(session.codes(), session.unit());
    StaffPassResult audit;
    try {
        audit = auditAndReplaceRoster(session.db(), month, sheet, rules, staffClass);
    } catch (const Error& e) {
        err(e.message());
        return Refused;
    }

    int failed = 0;
    for (size_t i = 0; i < audit.rows.size(); ++i) {
        const StaffRowResult& r = audit.rows[i];
        if (r.passed)
            continue;
        ++failed;
        QStringList headers;
        for (int col : r.failedColumns)
            headers << staffHeader(col, StaffTemplate::ErrorCorrection);
        out(QStringLiteral("line %1: %2: %3")
                .arg(rows[i].line)
                .arg(sheet.text(r.row, staff::NameCol), headers.join(", ")));
    }
    out(QStringLiteral("stored %1 rows, %2 failed").arg(audit.rows.size()).arg(failed));
    return 0;
}

int rosterExport(Session& session, int month)
{
    if (!validMonth(month))
        return Refused;
    write(rosterExportText(session.db(), month));
    return 0;
}

int rosterSubmit(Session& session)
{
    if (unitRefused(session))
        return Refused;
    out(writeRosterSubmission(session.db(), session.folder(), session.unit().CurDepNo));
    return 0;
}

}  // namespace vel::cli
