#include "TalentSummaryWindows.h"

#include "Prompter.h"
#include "Session.h"
#include "reports/ReportChecks.h"
#include "reports/ReportHeader.h"
#include "reports/ReportWindow.h"
#include "reports/TalentOpeningSummary.h"
#include "reports/TalentSummary.h"

#include <QPushButton>

#include <memory>

namespace vel::gui {

namespace {

struct TalentForm {
    QString caption;
    QString heading;
    QString printCaption;
    QStringList unitLines;
};

// Computes on opening unless the guard refuses: then the window stays on the blank form and
// offers no file, since none would match the records.
template <class Summary>
void showTalentSummary(const WindowContext& context, const TalentForm& form,
                       const CheckOutcome& guard, QWidget* parent)
{
    auto summary = std::make_shared<Summary>(context.session);
    ReportCommands commands = commandsOf(summary);
    commands.exportCaption = QStringLiteral("导成Excel");
    commands.submitCaption = QStringLiteral("生成上报文件");
    ReportWindow window(context, form.caption, summary, summary->sheet(), commands, parent);
    window.printButton()->setText(form.printCaption);
    addReportHeader(window.headerArea(), &window, form.unitLines, {}, form.heading);
    for (const QString& message : guard.messages)
        prompt().info(parent, message);
    if (guard.passed) {
        summary->compute();
        summary->store();
    }
    for (QPushButton* b : {window.exportButton(), window.printButton(), window.submitButton()})
        b->setEnabled(guard.passed);
    window.exec();
}

}  // namespace

void openTalentSummary(const WindowContext& context, QWidget* parent)
{
    Db& db = context.session.db();
    const CheckOutcome opens = talentSummaryOpens(db);
    for (const QString& message : opens.messages)
        prompt().info(parent, message);
    if (!opens.passed)
        return;
    const UnitAttributes& u = context.session.unit();
    showTalentSummary<TalentSummary>(
        context,
        {QStringLiteral("期初人才调查汇总表（统计上年末人才情况）"),
         QStringLiteral("年末人才调查汇总表  "), QStringLiteral("打  印"),
         {QStringLiteral("单位名称：%1 ").arg(u.CurDepName),
          QStringLiteral("单位法人代码：%1 ").arg(u.CurDepNo)}},
        monthlyStaffAudited(db), parent);
}

void openTalentOpeningSummary(const WindowContext& context, QWidget* parent)
{
    const UnitAttributes& u = context.session.unit();
    showTalentSummary<TalentOpeningSummary>(
        context,
        {QStringLiteral("人才资源汇总"), QStringLiteral("非公有制企业（单位）人才资源状况调查表"),
         QStringLiteral("打印"),
         {QStringLiteral("单位名称：") + u.CurDepName,
          QStringLiteral("单位法人代码：") + u.CurDepNo}},
        openingStaffAudited(context.session.db()), parent);
}

}  // namespace vel::gui
