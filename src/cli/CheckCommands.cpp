#include "CheckCommands.h"

#include "CliSupport.h"
#include "Session.h"
#include "checks/CheckNotes.h"
#include "checks/DataCheck.h"
#include "reports/Forms.h"

namespace vel::cli {
namespace {

// A form by its number ("I102-1", any case) or its command ("annual"), for the unit's kind.
const FormDefinition* namedForm(Session& session, const QString& name)
{
    const bool organ = session.unit().isOrgan();
    if (const FormDefinition* byCommand = formFor(name, organ))
        return byCommand;
    for (const FormDefinition* f : forms())
        if (f->number.compare(name, Qt::CaseInsensitive) == 0 && f->appliesTo(organ))
            return f;
    return nullptr;
}

}  // namespace

CheckCommands::CheckCommands(CLI::App& cli)
{
    check_ = cli.add_subcommand("check", "run the data check before hand-in (数据审核)");
    check_->require_subcommand(0, 1);
    formOption_ = check_->add_option(
        "--form", form_, "only what touches this form: its number (I102-1) or report command");
    monthOption_ = check_->add_option("--month", month_, "only what lies in this month, 0 to 12")
                       ->check(CLI::Range(0, 12));
    explain_ = check_->add_subcommand("explain", "keep the explanation of a warning");
    explain_->add_option("CODE", code_, "the rule's code as check prints it (W01 …)")->required();
    explain_->add_option("PLACE", place_, "the place as check prints it (7/1001 …)")->required();
    explain_->add_option("TEXT", text_, "the explanation; empty removes it")->required();
}

std::optional<int> CheckCommands::run(Session& session)
{
    if (!check_->parsed())
        return std::nullopt;
    session.unitRegistered();
    if (explain_->parsed()) {
        const Finding finding = currentFinding(session, QString::fromStdString(code_),
                                               QString::fromStdString(place_));
        const QString text = QString::fromStdString(text_).simplified();
        storeCheckNote(session.db(), finding, text);
        out(text.isEmpty() ? QStringLiteral("已删除%1 %2的说明。").arg(finding.code, place_.c_str())
                           : QStringLiteral("已记下%1 %2的说明。").arg(finding.code, place_.c_str()));
        return 0;
    }
    CheckScope scope;
    if (*formOption_) {
        scope.form = namedForm(session, QString::fromStdString(form_));
        if (!scope.form) {
            err(QStringLiteral("没有表“%1”：请写表号（如 I102-1）或报表命令（如 annual）。")
                    .arg(QString::fromStdString(form_)));
            return Usage;
        }
    }
    if (*monthOption_)
        scope.month = month_;
    const Findings findings = runDataCheck(session, scope);
    for (const Finding& f : findings)
        out(findingLine(f));
    const CheckCounts counts = countFindings(findings);
    out(countLine(counts));
    return counts.clear() ? 0 : Refused;
}

}  // namespace vel::cli
