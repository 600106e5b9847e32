#include "FormWindows.h"

#include "CheckBoxes.h"
#include "Guarded.h"
#include "Session.h"
#include "period/CommandChecks.h"
#include "reports/FormRun.h"
#include "reports/Forms.h"
#include "reports/MonthRangeChooser.h"
#include "reports/ReportWindow.h"

#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

namespace vel::gui {

void openForm(const WindowContext& context, const FormDefinition& form, const FormPeriod& period,
              QWidget* parent, bool offerUnitWindow)
{
    auto run = std::make_shared<FormRun>(context.session, form, period);
    if (!passChecks(parent, run->check({}, offerUnitWindow), context.takeOffer))
        return;
    const CheckOutcome guard = run->computeAndStore([&context](int p) { context.setProgress(p); });
    context.setProgress(0);
    auto* window = new ReportWindow(context, run, parent);
    if (!guard.passed)
        // Shown over the blank form, which stays open as the clerk left it.
        QMetaObject::invokeMethod(
            window, [window, guard] { passChecks(window, guard); }, Qt::QueuedConnection);
    if (form.window.modal) {
        window->exec();
        delete window;
        return;
    }
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}

void openFormEntry(const WindowContext& context, const FormDefinition& form,
                   const FormEntry& entry, QWidget* parent)
{
    Session& session = context.session;
    if (entry.period.kind != PeriodKind::MonthRange) {
        const FormDefinition* drawn = formFor(form.command, session.unit().isOrgan());
        openForm(context, drawn ? *drawn : form, entry.period, parent, entry.offersUnitWindow);
        return;
    }
    if (!passChecks(parent, unitCheck(session, entry.offersUnitWindow), context.takeOffer))
        return;
    const FormDefinition* drawn = formFor(form.command, session.unit().isOrgan());
    const FormDefinition& shown = drawn ? *drawn : form;
    const int copyRows = shown.storedCopyRows();
    openRangeChooser(context, parent, shown.chooserChecks(session.db()),
                     copyRows > 0 ? RangePurpose::Summary : RangePurpose::Period, copyRows,
                     [context, &shown](const ChosenRange& chosen, QWidget* owner) {
                         openForm(context, shown,
                                  FormPeriod::ofRange(chosen.range, chosen.reuseCopy), owner);
                     });
}

void openQuarterChooser(const WindowContext& context, const FormDefinition& form, QWidget* parent)
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
        QObject::connect(b, &QPushButton::clicked, chooser, [context, &form, q, chooser, parent] {
            runCommand(chooser, [&] { openForm(context, form, FormPeriod::ofQuarter(q), parent); });
        });
        layout->addWidget(b);
    }
    // Not modal: the forms it opens are worked with while it stays open.
    chooser->show();
}

}  // namespace vel::gui
