#include "ReportCommands.h"

#include "CliSupport.h"
#include "PdfOutput.h"
#include "Session.h"
#include "reports/FormRun.h"
#include "reports/Forms.h"

#include <QStringList>

#include <algorithm>

namespace vel::cli {
namespace {

bool takes(const FormDefinition& form, PeriodKind kind)
{
    return std::find(form.periods.begin(), form.periods.end(), kind) != form.periods.end();
}

void printSheet(const Sheet& sheet)
{
    for (int row = 1; row <= sheet.maxRow(); ++row) {
        QStringList cells;
        for (int col = 1; col <= sheet.columnCount(); ++col)
            cells << sheet.text(row, col);
        out(cells.join('\t'));
    }
}

}  // namespace

ReportCommands::ReportCommands(CLI::App& cli)
{
    CLI::App* report = cli.add_subcommand("report", "compute, store and print a statistical form");
    report->require_subcommand(1);
    for (const QString& name : formCommands()) {
        // The forms that share a command are alike in what they take.
        const FormDefinition& form = **std::find_if(forms().begin(), forms().end(),
                                                     [&](const FormDefinition* f) {
                                                         return f->command == name;
                                                     });
        Command c{name.toStdString()};
        c.app = report->add_subcommand(c.name, form.description.toStdString());
        const bool quarter = takes(form, PeriodKind::Quarter);
        const bool range = takes(form, PeriodKind::MonthRange);
        if (quarter) {
            c.quarter = c.app->add_option("--quarter", quarter_, "1, 2 or 3");
            if (!range)
                c.quarter->required();
        }
        if (range) {
            c.from = c.app->add_option("--from", from_, "first month");
            CLI::Option* to = c.app->add_option("--to", to_, "last month");
            if (quarter) {
                c.quarter->excludes(c.from)->excludes(to);
                c.from->needs(to);
                to->needs(c.from);
            } else {
                c.from->required();
                to->required();
            }
        }
        if (form.storedCopyRows() > 0)
            c.app->add_flag("--reuse", reuse_, "show the range's stored copy instead of recomputing");
        c.app->add_flag("--xlsx", workbook_, "also write the workbook under XLS");
        c.app->add_flag("--pdf", pdf_, "also write the printed pages as a PDF under XLS");
        const char* folder = form.submission.folder == SubmissionFolder::Gzsb ? "GZSB" : "RCSB";
        c.app->add_flag("--dbf", submission_,
                        std::string("also write the submission file under ") + folder);
        c.app->add_flag("--yes", yes_,
                        "with --dbf: write the files although the data check has warnings "
                        "without an explanation");
        commands_.push_back(c);
    }
}

std::optional<int> ReportCommands::run(Session& session)
{
    const auto chosen = std::find_if(commands_.begin(), commands_.end(),
                                     [](const Command& c) { return c.app->parsed(); });
    if (chosen == commands_.end())
        return std::nullopt;
    const FormDefinition* first = formFor(QString::fromStdString(chosen->name), false);
    if (!first)
        first = formFor(QString::fromStdString(chosen->name), true);

    FormPeriod period;
    period.kind = first->periods.front();
    if (chosen->from && *chosen->from) {
        period = FormPeriod::ofRange(QString::fromStdString(from_), QString::fromStdString(to_),
                                     reuse_);
    } else if (chosen->quarter && *chosen->quarter) {
        period = FormPeriod::ofQuarter(quarter_);
    } else if (chosen->quarter) {
        err(QStringLiteral("请给出 --quarter，或者 --from 和 --to。"));
        return Refused;
    }

    // The unit's kind chooses among forms that share a command; an unregistered unit is refused
    // by the checks of either.
    session.unitRegistered();
    const FormDefinition* form =
        formFor(QString::fromStdString(chosen->name), session.unit().isOrgan());
    FormRun run(session, form ? *form : *first, period);
    if (!checksPass(run.check({workbook_, submission_})))
        return Refused;
    if (!checksPass(run.computeAndStore()))
        return Refused;
    printSheet(run.sheet());
    if (workbook_) {
        run.exportWorkbook();
        out(run.workbookPath());
    }
    if (pdf_)
        writePagePdf(session.folder(), run.workbookName(), run.printedSheet());
    if (submission_) {
        if (!checksPass(run.submissionAudit(), yes_))
            return Refused;
        run.submit();
        for (const QString& path : run.submissionPaths())
            out(path);
    }
    return 0;
}

}  // namespace vel::cli
