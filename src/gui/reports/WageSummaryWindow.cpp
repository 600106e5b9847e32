#include "WageSummaryWindow.h"

#include "CommandWidgets.h"
#include "Prompter.h"
#include "Session.h"
#include "grid/SheetView.h"
#include "reports/MonthRangeChooser.h"
#include "reports/ReportHeader.h"
#include "reports/ReportWindow.h"
#include "reports/WageSummary.h"

#include <QPushButton>

#include <memory>

namespace vel::gui {

void openWageSummary(const WindowContext& context, const ChosenRange& chosen, QWidget* parent)
{
    auto report = std::make_shared<WageSummary>(context.session, chosen.range);
    bool computed = true;
    if (chosen.reuseCopy) {
        report->reload();
    } else {
        computed = report->compute([&context](int p) { context.setProgress(p); });
        if (computed)
            report->store();
        context.setProgress(0);
    }

    ReportCommands commands = commandsOf(report);
    commands.exportCaption = QStringLiteral("导成Excel");
    commands.submitCaption = QStringLiteral("生成上报文件");

    ReportWindow window(context, report->form().caption, report, report->sheet(), commands,
                        parent);
    SheetView* view = window.view();
    setSheetMenu(view, {{QStringLiteral("复制"), [view] { view->copy(); }}});
    const UnitAttributes& u = context.session.unit();
    addReportHeader(window.headerArea(), &window,
                    {QStringLiteral("单位名称：") + u.CurDepName,
                     QStringLiteral("单位法人代码：") + u.CurDepNo, report->rangeLabel()},
                    report->form().formLines, report->form().title);
    window.findChild<QPushButton*>("submit")->setEnabled(computed && report->submissionOffered());
    if (!computed) {
        window.findChild<QPushButton*>("exportWorkbook")->setEnabled(false);
        window.findChild<QPushButton*>("print")->setEnabled(false);
        // Shown over the blank form, which stays open as the clerk left it.
        QMetaObject::invokeMethod(
            &window, [&window] { prompt().info(&window, WageSummary::UnauditedMessage); },
            Qt::QueuedConnection);
    }
    window.exec();
}

void openWageSummaryChooser(const WindowContext& context, QWidget* parent)
{
    const int rows = wageSummaryForm(WageSummary::formOf(context.session)).rowCount();
    openRangeChooser(context, parent, wageSummaryOpens(context.session.db()),
                     RangePurpose::Summary, rows, [context](const ChosenRange& chosen, QWidget* owner) {
                         openWageSummary(context, chosen, owner);
                     });
}

}  // namespace vel::gui
