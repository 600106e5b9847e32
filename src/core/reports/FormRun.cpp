#include "FormRun.h"

#include "Errors.h"
#include "Session.h"
#include "checks/DataCheck.h"
#include "checks/FileRules.h"
#include "checks/NotesFile.h"
#include "output/WorkbookWriter.h"
#include "period/CommandChecks.h"
#include "reports/WageSummary.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace vel {
namespace {

bool contains(const std::vector<PeriodKind>& kinds, PeriodKind kind)
{
    return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
}

// A form that runs onto a second page numbers its pages, on paper and in the workbook alike.
WorkbookLayout pagedLayout(WorkbookLayout layout)
{
    layout.stamp.numbers = PageNumbers::WhenSeveral;
    return layout;
}

}  // namespace

FormRun::FormRun(Session& session, const FormDefinition& form, const FormPeriod& period)
    : session_(session), form_(form), period_(period)
{
}

FormRun::~FormRun() = default;

CheckOutcome FormRun::check(FormFiles files, bool offerUnitWindow)
{
    checkedFiles_ = files;
    if (period_.kind == PeriodKind::Quarter && (period_.quarter < 1 || period_.quarter > 3))
        return CheckOutcome::refused(QStringLiteral("季度必须是1到3。"));
    if (files.submission && !contains(form_.submission.periods, period_.kind))
        return CheckOutcome::refused(form_.submission.notSubmittedMessage);
    CheckOutcome unit = unitCheck(session_, offerUnitWindow);
    if (!unit.passed)
        return unit;
    Db& db = session_.db();
    if (period_.kind == PeriodKind::MonthRange) {
        const ChooserOpening opening = form_.chooserChecks(db);
        if (!opening.checks.passed)
            return opening.checks;
        const RangeChoice choice =
            checkRange(db, period_.fromText, period_.toText, form_.storedCopyRows());
        if (!choice.checks.passed)
            return choice.checks;
        copyStored_ = choice.copyStored;
    }
    if (form_.checks) {
        CheckOutcome own = form_.checks(db, period_);
        if (!own.passed)
            return own;
    }
    if (files.submission && !submissionOffered())
        return CheckOutcome::refused(form_.submission.notSubmittedMessage);
    if (period_.reuseStoredCopy && !copyStored_)
        return CheckOutcome::refused(WageSummary::noStoredCopyMessage(period_.range()));
    return {};
}

FormEngine& FormRun::engine() const
{
    if (!engine_)
        engine_ = std::visit(
            EngineVisitor{
                [this](const FigureFormSetup& setup) -> std::unique_ptr<FormEngine> {
                    return std::make_unique<FigureForm>(session_, setup, form_.table, period_);
                },
                [this](const CategoryFormSetup& setup) -> std::unique_ptr<FormEngine> {
                    return std::make_unique<CategoryForm>(session_, setup, form_.table);
                },
                [this](const SummarySetup& setup) -> std::unique_ptr<FormEngine> {
                    return std::make_unique<WageSummary>(session_, wageSummaryForm(setup.form),
                                                         period_);
                }},
            form_.engine);
    return *engine_;
}

CheckOutcome FormRun::compute(const Progress& progress)
{
    CheckOutcome out = engine().compute(progress);
    computed_ = out.passed;
    return out;
}

void FormRun::store()
{
    engine().store();
}

CheckOutcome FormRun::computeAndStore(const Progress& progress)
{
    // The checks, the figures and the stored row read one state of the records: a roster or wage
    // save that comes meanwhile waits for the commit.
    Transaction tx(session_.db());
    if (checkedFiles_) {
        CheckOutcome again = check(*checkedFiles_);
        if (!again.passed)
            return again;
    }
    CheckOutcome out = compute(progress);
    if (out.passed)
        store();
    tx.commit();
    return out;
}

Sheet& FormRun::sheet() const
{
    return engine().sheet();
}

QString FormRun::caption() const
{
    return form_.window.caption(period_);
}

std::optional<QString> FormRun::periodLine() const
{
    return engine().periodLine();
}

QStringList FormRun::unitLines() const
{
    return form_.window.unitLines(session_.unit());
}

FormContext FormRun::context(const QString& year) const
{
    return {session_.unit(), period_, year.isNull() ? form_.workbook.defaultYear : year};
}

QString FormRun::workbookName() const
{
    return form_.workbook.name(context());
}

QString FormRun::workbookPath() const
{
    return vel::workbookPath(session_.folder(), workbookName());
}

QString FormRun::workbookFolder() const
{
    return QFileInfo(workbookPath()).path();
}

QString FormRun::exportWorkbook(const Progress& progress, const QString& year) const
{
    Sheet& shown = sheet();
    WorkbookLayout withNotes = pagedLayout(form_.workbook.layout(context(year), shown));
    withNotes.notesSheetName = QStringLiteral("审核说明");
    withNotes.notesRows = notesSheetRows(findings());
    const QString path = workbookPath();
    writeWorkbook(shown, withNotes, path, progress);
    return form_.workbook.message(path);
}

LaidOutSheet FormRun::printedSheet(const QString& year) const
{
    Sheet& shown = sheet();
    return layOutSheet(shown, pagedLayout(form_.workbook.layout(context(year), shown)));
}

bool FormRun::submissionOffered() const
{
    if (!contains(form_.submission.periods, period_.kind))
        return false;
    const std::vector<MonthRange>& ranges = form_.submission.ranges;
    return ranges.empty() ||
           std::find(ranges.begin(), ranges.end(), period_.range()) != ranges.end();
}

QStringList FormRun::submissionPaths() const
{
    QStringList paths;
    for (const SubmissionFile& f : form_.submission.files)
        paths << vel::submissionPath(session_.folder(), form_.submission.folder,
                                     f.name(session_.unit().CurDepNo, period_));
    return paths;
}

QString FormRun::submissionFolder() const
{
    return QFileInfo(submissionPaths().first()).path();
}

std::vector<Finding> FormRun::findings() const
{
    return runDataCheck(session_, {&form_, period_, std::nullopt, false});
}

CheckOutcome FormRun::submissionAudit()
{
    audited_ = findings();
    return vel::submissionAudit(*audited_);
}

QString FormRun::notesPath() const
{
    return notesFilePath(session_.folder(), session_.unit().CurDepNo, form_, period_);
}

QString FormRun::submit()
{
    if (!submissionOffered())
        throw Error(form_.submission.notSubmittedMessage);
    // What is stored, checked and written out is one state of the records.
    Transaction tx(session_.db());
    if (form_.submission.storesFirst)
        store();
    // What the clerk was shown answers for this submission; a submission not shown them is checked
    // here.
    const std::vector<Finding> found = audited_ ? std::move(*audited_) : findings();
    audited_.reset();
    const CheckOutcome audit = vel::submissionAudit(found);
    if (!audit.passed)
        throw Error(audit.messages.join('\n'));
    const QStringList paths = submissionPaths();
    for (size_t i = 0; i < form_.submission.files.size(); ++i) {
        const SubmissionFile& f = form_.submission.files[i];
        const QString& path = paths[static_cast<int>(i)];
        writeDbf(session_.db(), f.source(session_.db(), period_), path);
        if (!f.olderName.isEmpty())
            removeOlderFile(vel::submissionPath(session_.folder(), form_.submission.folder,
                                                f.olderName.arg(session_.unit().CurDepNo)));
    }
    // The receiver's check: a file that does not read back as stored must not go out.
    const std::vector<Finding> unread = checkWrittenFiles(session_, form_, period_);
    if (!unread.empty()) {
        for (const QString& path : paths)
            QFile::remove(path);
        QStringList lines;
        for (const Finding& f : unread)
            lines << f.message;
        throw Error(QStringLiteral("写出的上报文件读回后与已存数据不符，已删除，请重新生成：\n") +
                    lines.join('\n'));
    }
    writeNotesFile(notesPath(), noteLines(found));
    tx.commit();
    return form_.submission.message(paths);
}

}  // namespace vel
