#include "QuarterlyReportWindow.h"

#include "Guarded.h"
#include "Prompter.h"
#include "Session.h"
#include "reports/QuarterlyReport.h"
#include "reports/ReportChecks.h"
#include "reports/ReportHeader.h"
#include "reports/ReportWindow.h"

#include <QDialog>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

namespace vel::gui {

void openQuarterlyReport(const WindowContext& context, int quarter, QWidget* parent)
{
    const CheckOutcome checks = quarterlyReportOpens(context.session.db(), quarter);
    for (const QString& message : checks.messages)
        prompt().info(parent, message);
    if (!checks.passed)
        return;

    auto report = std::make_shared<QuarterlyReport>(context.session, quarter);
    report->compute([&context](int p) { context.setProgress(p); });
    report->store();
    context.setProgress(0);
    auto* window = new ReportWindow(context, QStringLiteral("从业人员及工资总额（季报）"), report,
                                    report->sheet(), commandsOf(report), parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    const UnitAttributes& u = context.session.unit();
    addReportHeader(window->headerArea(), window,
                    {QStringLiteral("组织机构代码 ：") + u.CurDepNo,
                     QStringLiteral("企业（单位）详细名称 ：") + u.CurDepName,
                     report->quarterLabel()},
                    {QStringLiteral("表         号：202 - 1  表  "),
                     QStringLiteral("制定机关：Ardelm统计局     "),
                     QStringLiteral("批准文号：国统字(2012)174号          "),
                     QStringLiteral("有效期至：2014年1月   ")});
    window->show();
}

void openQuarterChooser(const WindowContext& context, QWidget* parent)
{
    auto* chooser = new QDialog(parent);
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    chooser->setObjectName("quarterChooser");
    chooser->setWindowTitle(QStringLiteral("季度选择"));
    auto* layout = new QVBoxLayout(chooser);
    const char* captions[] = {" 一 季 度", " 二 季 度", " 三 季 度"};
    for (int q = 1; q <= 3; ++q) {
        auto* b = new QPushButton(QString::fromUtf8(captions[q - 1]), chooser);
        b->setObjectName(QStringLiteral("quarter%1").arg(q));
        QObject::connect(b, &QPushButton::clicked, chooser, [context, q, chooser, parent] {
            runCommand(chooser, [&] { openQuarterlyReport(context, q, parent); });
        });
        layout->addWidget(b);
    }
    // Not modal: the reports it opens are worked with while it stays open.
    chooser->show();
}

}  // namespace vel::gui
