#include "AnnualReportWindow.h"

#include "Prompter.h"
#include "Session.h"
#include "reports/AnnualReport.h"
#include "reports/ReportChecks.h"
#include "reports/ReportHeader.h"
#include "reports/ReportWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <memory>

namespace vel::gui {

void openAnnualReport(const WindowContext& context, QWidget* parent)
{
    const CheckOutcome checks = annualReportOpens(context.session.db());
    for (const QString& message : checks.messages)
        prompt().info(parent, message);
    if (!checks.passed)
        return;

    auto report = std::make_shared<AnnualReport>(context.session);
    report->compute([&context](int p) { context.setProgress(p); });
    report->store();
    context.setProgress(0);

    auto* year = new QLineEdit(AnnualReport::DefaultYear);
    year->setObjectName("Year");
    year->setMaxLength(4);
    year->setFixedWidth(60);
    year->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,4}"), year));

    ReportCommands commands;
    commands.exportWorkbook = [report, year](const Progress& p) {
        return report->exportWorkbook(year->text(), p);
    };
    commands.workbookPath = [report] { return report->workbookPath(); };
    commands.workbookFolder = [report] { return report->workbookFolder(); };
    commands.submit = [report] { return report->submit(); };
    commands.submissionFolder = [report] { return report->submissionFolder(); };

    ReportWindow window(context, QStringLiteral("从业人员及工资总额（年报）"), report,
                        report->sheet(), commands, parent);
    const UnitAttributes& u = context.session.unit();
    addReportHeader(window.headerArea(), &window,
                    {QStringLiteral("组织机构代码 : ") + u.CurDepNo,
                     QStringLiteral("企业（单位）详细名称 : ") + u.CurDepName},
                    {QStringLiteral("表         号：１ ０ ２ - １ 表"),
                     QStringLiteral("制定机关：Ardelm统计局"),
                     QStringLiteral("批准文号：国统字(2012)174号"),
                     QStringLiteral("有效期至：２０１４年１月")});
    auto* yearLine = new QHBoxLayout;
    yearLine->addStretch();
    year->setParent(&window);
    yearLine->addWidget(year);
    yearLine->addWidget(new QLabel(QStringLiteral("年"), &window));
    yearLine->addStretch();
    window.headerArea()->addLayout(yearLine);
    window.exec();
}

}  // namespace vel::gui
