#include "RosterChangesWindow.h"

#include "CommandWidgets.h"
#include "Guarded.h"
#include "PrintCommands.h"
#include "Prompter.h"
#include "Session.h"
#include "grid/SheetView.h"
#include "monthly/WageSheetWindow.h"
#include "reports/ReportOutput.h"
#include "staff/StaffPanelFrame.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace vel::gui {
namespace {

QComboBox* monthBox(int month, const char* name, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    for (int m = 0; m <= 12; ++m)
        box->addItem(rosterMonthName(m), m);
    box->setCurrentIndex(std::clamp(month, 0, 12));
    return box;
}

}  // namespace

RosterChangesWindow::RosterChangesWindow(const WindowContext& context, int from, int to,
                                         QWidget* parent)
    : QDialog(parent), context_(context)
{
    setWindowTitle(QStringLiteral("人员变动"));
    from_ = monthBox(from, "fromMonth", this);
    to_ = monthBox(to, "toMonth", this);
    auto* compareButton = commandButton(this, QStringLiteral("比较"), "compare", [this] { compare(); });
    export_ = commandButton(this, QStringLiteral("导出"), "export", [this] { exportTable(); });
    print_ = commandButton(this, QStringLiteral("打印"), "print", [this] { print(); });
    pdf_ = commandButton(this, QStringLiteral("导出PDF"), "exportPdf", [this] { exportPdf(); });
    offerFiles(false);
    auto* close = commandButton(this, QStringLiteral("关闭"), "close", [this] { reject(); });
    summary_ = new QLabel(this);
    summary_->setObjectName("summary");

    auto* months = new QHBoxLayout;
    months->addWidget(new QLabel(QStringLiteral("从："), this));
    months->addWidget(from_);
    months->addWidget(new QLabel(QStringLiteral("到："), this));
    months->addWidget(to_);
    months->addWidget(compareButton);
    months->addSpacing(16);
    months->addWidget(summary_, 1);

    layout_ = new QVBoxLayout(this);
    layout_->addWidget(sheetTitle(QStringLiteral("人员变动"), this));
    layout_->addLayout(months);
    layout_->addLayout(buttonRow({export_, print_, pdf_, close}));
    resize(900, 600);

    // The months it opens on are shown at once when they can be compared.
    const QString refusal = rosterDiffRefusal(context_.session.db(), from, to);
    if (refusal.isEmpty()) {
        showDiff(diffRosters(context_.session.db(), from, to));
    } else {
        showDiff(RosterDiff{from, to, {}});
        offerFiles(false);
        summary_->setText(refusal);
    }
}

QString RosterChangesWindow::summary() const
{
    return summary_->text();
}

void RosterChangesWindow::compare()
{
    Db& db = context_.session.db();
    const int from = from_->currentData().toInt();
    const int to = to_->currentData().toInt();
    const QString refusal = rosterDiffRefusal(db, from, to);
    if (!refusal.isEmpty()) {
        prompt().info(this, refusal);
        return;
    }
    showDiff(diffRosters(db, from, to));
}

void RosterChangesWindow::showDiff(const RosterDiff& diff)
{
    const std::vector<QStringList> rows = rosterDiffTable(diff);
    // A new sheet of the table's size: a long list is never cut off at a fixed row count.
    auto sheet = std::make_unique<Sheet>(static_cast<int>(rows.size()), 6);
    {
        SheetBatch batch(*sheet);
        sheet->setColumnWidths(1, 2, 9 * 256);
        sheet->setColumnWidths(3, 3, 10 * 256);
        sheet->setColumnWidths(4, 4, 24 * 256);
        sheet->setColumnWidths(5, 6, 16 * 256);
        sheet->setFont(1, 1, 1, 6, CellFont{10, true});
        for (int r = 0; r < static_cast<int>(rows.size()); ++r)
            for (int c = 0; c < rows[static_cast<size_t>(r)].size(); ++c)
                sheet->setText(r + 1, c + 1, rows[static_cast<size_t>(r)][c]);
    }
    auto* view = new SheetView(*sheet, this);
    view->setObjectName("changes");
    view->setReadOnly(true);
    setSheetMenu(view, {{QStringLiteral("复制"), [view] { view->copy(); }}});
    if (view_) {
        layout_->replaceWidget(view_, view);
        delete view_;
    } else {
        layout_->insertWidget(2, view, 1);
    }
    view_ = view;
    sheet_ = std::move(sheet);
    diff_ = diff;
    summary_->setText(QStringLiteral("%1—%2：").arg(rosterMonthName(diff.from), rosterMonthName(diff.to)) +
                      rosterDiffSummary(diff));
    offerFiles(true);
}

void RosterChangesWindow::offerFiles(bool offered)
{
    for (QPushButton* b : {export_, print_, pdf_})
        b->setEnabled(offered);
}

void RosterChangesWindow::exportTable()
{
    const QString path = exportRosterDiff(context_.session.folder(), diff_, context_.session.unit());
    prompt().info(this, writtenFileMessage(path));
}

void RosterChangesWindow::print()
{
    openPrintPreview(this, rosterDiffPage(diff_, context_.session.unit()).laidOut());
}

void RosterChangesWindow::exportPdf()
{
    gui::exportPdf(this, context_.session.folder(), rosterDiffName(diff_),
                   rosterDiffPage(diff_, context_.session.unit()).laidOut());
}

void openRosterChanges(const WindowContext& context, QWidget* parent)
{
    const int to = latestRosterMonth(context.session.db()).value_or(1);
    RosterChangesWindow window(context, std::max(to - 1, 0), std::max(to, 1), parent);
    window.exec();
}

void openRosterChanges(const WindowContext& context, int month, QWidget* parent)
{
    RosterChangesWindow window(context, std::max(month - 1, 0), month, parent);
    window.exec();
}

}  // namespace vel::gui
