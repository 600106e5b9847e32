#include "LaborReportWindows.h"

#include "Prompter.h"
#include "Session.h"
#include "reports/BasicAnnualReport.h"
#include "reports/BasicQuarterlyReport.h"
#include "reports/ReportChecks.h"
#include "reports/ReportHeader.h"
#include "reports/ReportWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

namespace vel::gui {

namespace {

bool passes(const CheckOutcome& checks, QWidget* parent)
{
    for (const QString& message : checks.messages)
        prompt().info(parent, message);
    return checks.passed;
}

QStringList unitLines(const WindowContext& context)
{
    const UnitAttributes& u = context.session.unit();
    return {QStringLiteral("组织机构代码 ") + u.CurDepNo,
            QStringLiteral("企业（单位）详细名称 ") + u.CurDepName};
}

// "基层定期报表" above the form's own title.
void addLaborHeader(ReportWindow* window, const WindowContext& context, const QString& period,
                    const QStringList& formLines)
{
    auto* kind = new QLabel(QStringLiteral("基层定期报表"), window);
    kind->setAlignment(Qt::AlignCenter);
    window->headerArea()->addWidget(kind);
    QStringList lines = unitLines(context);
    lines << period;
    addReportHeader(window->headerArea(), window, lines, formLines,
                    QStringLiteral("劳   动   情   况"));
}

void showBasicQuarterly(const WindowContext& context, BasicQuarterlyReport computed,
                        QWidget* parent)
{
    auto report = std::make_shared<BasicQuarterlyReport>(std::move(computed));
    report->compute([&context](int p) { context.setProgress(p); });
    report->store();
    context.setProgress(0);
    ReportWindow window(context, report->caption(), report, report->sheet(), commandsOf(report),
                        parent);
    addLaborHeader(&window, context, report->quarter() > 0 ? report->periodLabel() : QString(),
                   {QStringLiteral("表           号：I202-2表     "),
                    QStringLiteral("有效期至：2013年1月     ")});
    window.submitButton()->setEnabled(report->quarter() > 0);
    window.exec();
}

}  // namespace

void openBasicQuarterly(const WindowContext& context, int quarter, QWidget* parent)
{
    if (passes(basicQuarterlyOpens(context.session.db(), quarter), parent))
        showBasicQuarterly(context, BasicQuarterlyReport::forQuarter(context.session, quarter),
                           parent);
}

void openBasicRange(const WindowContext& context, int from, int to, QWidget* parent)
{
    if (passes(basicRangeOpens(context.session.db(), from, to), parent))
        showBasicQuarterly(context, BasicQuarterlyReport::forRange(context.session, from, to),
                           parent);
}

void openBasicAnnual(const WindowContext& context, QWidget* parent)
{
    if (!passes(basicAnnualOpens(context.session.db()), parent))
        return;
    auto report = std::make_shared<BasicAnnualReport>(context.session);
    report->compute([&context](int p) { context.setProgress(p); });
    report->store();
    context.setProgress(0);
    auto* window = new ReportWindow(context, QStringLiteral("企事业单位劳动统计报表（年度）"),
                                    report, report->sheet(), commandsOf(report), parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    addLaborHeader(window, context, BasicAnnualReport::YearLabel,
                   {QStringLiteral("表             号：I102-2表     "),
                    QStringLiteral("有效期至：2012年6月     ")});
    window->show();
}

}  // namespace vel::gui
