#include "YearOverviewWindow.h"

#include "CommandWidgets.h"
#include "Guarded.h"
#include "PrintCommands.h"
#include "Prompter.h"
#include "Session.h"
#include "WindowFit.h"
#include "grid/SheetView.h"
#include "monthly/WageEntryWindow.h"
#include "monthly/WageSheet.h"
#include "monthly/WageSheetWindow.h"
#include "staff/MonthlyRosterWindow.h"
#include "staff/OpeningRosterWindow.h"
#include "staff/RosterDiff.h"
#include "staff/StaffPanelFrame.h"

#include <QBarCategoryAxis>
#include <QLabel>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QLineSeries>
#include <QPushButton>
#include <QSplitter>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>

namespace vel::gui {
namespace {

constexpr int Months = 13;

QChartView* chartView(QChart* chart, QWidget* parent)
{
    chart->legend()->hide();
    chart->setAnimationOptions(QChart::NoAnimation);
    // Narrowed on a small screen, the plot keeps the room its month labels need.
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setBackgroundRoundness(0);
    auto* view = new QChartView(chart, parent);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(400, 220);
    return view;
}

QStringList monthNames()
{
    QStringList names;
    for (int m = 0; m <= 12; ++m)
        names << rosterMonthName(m);
    return names;
}

// A fresh category axis along the bottom and a value axis from 0 up to a round maximum.
void setAxes(QChart* chart, QAbstractSeries* series, double maximum)
{
    for (QAbstractAxis* axis : chart->axes())
        chart->removeAxis(axis);
    auto* months = new QBarCategoryAxis(chart);
    months->append(monthNames());
    QFont small = months->labelsFont();
    small.setPointSizeF(small.pointSizeF() * 0.8);  // "10月" to "12月" must not be cut short
    months->setLabelsFont(small);
    auto* values = new QValueAxis(chart);
    values->setRange(0, maximum > 0 ? maximum : 1);
    values->applyNiceNumbers();
    values->setLabelFormat("%.0f");
    chart->addAxis(months, Qt::AlignBottom);
    chart->addAxis(values, Qt::AlignLeft);
    series->attachAxis(months);
    series->attachAxis(values);
}

}  // namespace

YearOverviewWindow::YearOverviewWindow(const WindowContext& context, QWidget* parent)
    : QDialog(parent), context_(context), sheet_(Months + 1, 14)
{
    setWindowTitle(QStringLiteral("全年概况"));
    view_ = new SheetView(sheet_, this);
    view_->setObjectName("overview");
    view_->setReadOnly(true);
    view_->setWordWrap(true);  // the longer headers take more than one line
    setSheetMenu(view_, {{QStringLiteral("复制"), [this] { view_->copy(); }}});
    connect(view_, &SheetView::cellDoubleClicked, this,
            [this](int row, int) { runCommand(this, [this, row] { openMonth(row); }); });

    heads_ = new QChart;
    heads_->setTitle(QStringLiteral("每月人数"));
    wages_ = new QChart;
    wages_->setTitle(QStringLiteral("每月工资合计（元）"));
    auto* charts = new QWidget(this);
    auto* chartLayout = new QVBoxLayout(charts);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    chartLayout->addWidget(chartView(heads_, charts));
    chartLayout->addWidget(chartView(wages_, charts));

    auto* split = new QSplitter(this);
    split->addWidget(view_);
    split->addWidget(charts);
    split->setSizes({860, 560});

    auto* again = commandButton(this, QStringLiteral("刷新"), "refresh", [this] { refresh(); });
    auto* print = commandButton(this, QStringLiteral("打印"), "print", [this] { this->print(); });
    auto* pdf = commandButton(this, QStringLiteral("导出PDF"), "exportPdf", [this] { exportPdf(); });
    auto* close = commandButton(this, QStringLiteral("关闭"), "close", [this] { reject(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sheetTitle(QStringLiteral("全年概况"), this));
    layout->addWidget(split, 1);
    layout->addLayout(buttonRow({again, print, pdf, close}));
    resize(1460, 660);
    fitOnShow(this);  // on a smaller screen the charts narrow and the table scrolls

    refresh();
}

void YearOverviewWindow::print()
{
    openPrintPreview(this, yearOverviewPage(overview_, context_.session.unit()).laidOut());
}

void YearOverviewWindow::exportPdf()
{
    gui::exportPdf(this, context_.session.folder(), YearOverviewName,
                   yearOverviewPage(overview_, context_.session.unit()).laidOut());
}

void YearOverviewWindow::refresh()
{
    Session& session = context_.session;
    overview_ = yearOverview(session);
    const std::vector<QStringList> table = yearOverviewTable(overview_);
    {
        SheetBatch batch(sheet_);
        sheet_.clearRange(1, 1, sheet_.maxRow(), sheet_.columnCount(), ClearWhat::Everything);
        sheet_.setMaxCol(static_cast<int>(table.front().size()));
        sheet_.setColumnWidths(1, 2, 5 * 256);
        sheet_.setColumnWidths(3, sheet_.columnCount(), 8 * 256);
        // The last two hold a form's code each: what was submitted, and a file older than the data.
        sheet_.setColumnWidths(sheet_.maxCol() - 1, sheet_.maxCol(), 6 * 256);
        // Wide enough to wrap after "津贴", not inside it.
        const int allowanceCol =
            static_cast<int>(table.front().indexOf(wageFileHeader(wage::AllowanceCol))) + 1;
        sheet_.setColumnWidths(allowanceCol, allowanceCol, 10 * 256);
        sheet_.setRowHeights(1, 1, 3 * sheet_.rowHeight(2));
        sheet_.setFont(1, 1, 1, sheet_.columnCount(), CellFont{10, true});
        for (int r = 0; r < static_cast<int>(table.size()); ++r) {
            const QStringList& cells = table[static_cast<size_t>(r)];
            for (int c = 0; c < cells.size(); ++c)
                sheet_.setText(r + 1, c + 1, cells[c]);
        }
        const int failedCol =
            static_cast<int>(table.front().indexOf(QStringLiteral("人员审核未通过"))) + 1;
        for (const MonthOverview& m : overview_.months) {
            const int row = m.month + 2;
            if (!m.hasProblems())
                continue;
            sheet_.setMark(row, 1, CellMark::Error);
            if (m.failedStaff > 0)
                sheet_.setMark(row, failedCol, CellMark::Error);
            if (m.flaggedWages > 0)
                sheet_.setMark(row, failedCol + 1, CellMark::Error);
        }
    }
    fillCharts();
}

void YearOverviewWindow::fillCharts()
{
    heads_->removeAllSeries();
    auto* persons = new QBarSet(QStringLiteral("人数"));
    int most = 0;
    for (const MonthOverview& m : overview_.months) {
        *persons << m.persons;
        most = std::max(most, m.persons);
    }
    auto* bars = new QBarSeries(heads_);
    bars->append(persons);
    heads_->addSeries(bars);
    setAxes(heads_, bars, most);

    wages_->removeAllSeries();
    auto* line = new QLineSeries(wages_);
    double highest = 0;
    // The opening roster has no wages: the line starts at January, the axis keeps its place.
    for (const MonthOverview& m : overview_.months) {
        if (m.month == 0 || m.wageRows == 0)
            continue;
        line->append(m.month, m.total);
        highest = std::max(highest, m.total);
    }
    line->setPointsVisible(true);
    wages_->addSeries(line);
    setAxes(wages_, line, highest);
}

void YearOverviewWindow::openMonth(int row)
{
    const int month = row - 2;
    if (month < 0 || month > 12)
        return;
    const MonthOverview& m = overview_.months[static_cast<size_t>(month)];
    switch (windowFor(m)) {
    case MonthWindow::None:
        prompt().info(this, QStringLiteral("%1没有数据。").arg(rosterMonthName(month)));
        return;
    case MonthWindow::OpeningRoster: {
        OpeningRosterWindow window(context_, OpeningRosterMode::Entry, this);
        window.exec();
        break;
    }
    case MonthWindow::MonthlyRoster: {
        MonthlyRosterWindow window(context_, month, this);
        window.exec();
        break;
    }
    case MonthWindow::Wages:
        openWageEntry(context_, month, this);
        break;
    }
    refresh();
}

}  // namespace vel::gui
