#include "RosterCommands.h"

#include "CliSupport.h"
#include "ImportMatching.h"
#include "PdfOutput.h"
#include "db/Db.h"
#include "Session.h"
#include "period/CommandChecks.h"
#include "sheet/Sheet.h"
#include "sheet/SheetClipboard.h"
#include "staff/RosterDiff.h"
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

int rosterImport(Session& session, int month, const QString& path, const ImportOptions& options)
{
    if (!validMonth(month))
        return Refused;
    // The checks hold until the store: no other program changes the unit in between.
    Transaction tx(session.db());
    if (!checksPass(unitCheck(session, false)))
        return Refused;
    const StaffClass staffClass = staffClassOf(session.unit().CurDepInfo);
    Sheet sheet(Sheet::DefaultMaxRow, staff::ColumnCount);
    std::optional<MatchedFile> matched =
        readMatchedForCommand(session, rosterImportLayout(), path, options);
    if (!matched)
        return Refused;
    RosterFile file;
    try {
        file = rosterFileOf(std::move(*matched));
        placeRosterFile(file, sheet, staffClass);
    } catch (const Error& e) {
        err(e.message());
        return Refused;
    }
    rememberColumnMatch(session.db(), rosterImportLayout(), file.file.matched);
    const std::vector<RosterFileRow>& rows = file.rows;

    session.codes().load(session.db(), session.postFilter());
    const StaffRules rules(session.codes(), session.unit());
    StaffPassResult audit;
    try {
        audit = auditAndReplaceRoster(session.db(), month, sheet, rules, staffClass);
    } catch (const Error& e) {
        err(e.message());
        return Refused;
    }
    tx.commit();

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
    out(QStringLiteral("stored %1 rows, %2 failed").arg(audit.rows.size()).arg(failed) +
        matchedSummary(file.file));
    return 0;
}

int rosterColumns(Session& session)
{
    return printStoredMatches(session, rosterImportLayout());
}

int rosterExport(Session& session, int month)
{
    if (!validMonth(month))
        return Refused;
    write(rosterExportText(session.db(), month));
    return 0;
}

int rosterDiff(Session& session, int from, int to, bool pdf)
{
    const QString refusal = rosterDiffRefusal(session.db(), from, to);
    if (!refusal.isEmpty()) {
        err(refusal);
        return Refused;
    }
    const RosterDiff diff = diffRosters(session.db(), from, to);
    for (const QStringList& row : rosterDiffTable(diff))
        out(delimitedLine(row, '\t'));
    out(QStringLiteral("joined %1, left %2, changed %3")
            .arg(diff.count(RosterChangeKind::Joined))
            .arg(diff.count(RosterChangeKind::Left))
            .arg(diff.count(RosterChangeKind::Changed)));
    if (pdf)
        writePagePdf(session.folder(), rosterDiffName(diff), rosterDiffPage(diff, session.unit()).laidOut());
    return 0;
}

int rosterSubmit(Session& session)
{
    if (!checksPass(unitCheck(session, false)))
        return Refused;
    out(writeRosterSubmission(session.db(), session.folder(), session.unit().CurDepNo));
    return 0;
}

}  // namespace vel::cli
