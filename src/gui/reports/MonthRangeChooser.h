#pragma once

#include "WindowContext.h"
#include "reports/MonthRange.h"

#include <QDialog>

#include <functional>
#include <vector>

class QComboBox;

namespace vel::gui {

// What the chooser's button is for: "汇 总" for a wage summary, which may show the copy stored
// for the range; "确 定" for a report that always recomputes.
enum class RangePurpose { Summary, Period };

// "选择汇总月度区间": the start and end month from the months with a monthly roster. Its button
// checks the range, asks whether to recompute when a copy is stored, and hands the choice to
// `open` with the chooser as the owner of what it opens; the chooser closes once `open` returns,
// and stays open after a refusal.
class MonthRangeChooser : public QDialog {
    Q_OBJECT
public:
    using Open = std::function<void(const ChosenRange&, QWidget* owner)>;

    // `summaryRows`: the rows of the summary whose stored copy is looked for (Summary only).
    MonthRangeChooser(const WindowContext& context, const std::vector<int>& months,
                      RangePurpose purpose, int summaryRows, Open open, QWidget* parent = nullptr);

    QComboBox* fromBox() const { return from_; }
    QComboBox* toBox() const { return to_; }
    // The visible button's command.
    void choose();

private:
    WindowContext context_;
    RangePurpose purpose_;
    int summaryRows_;
    Open open_;
    QComboBox* from_ = nullptr;
    QComboBox* to_ = nullptr;
};

// Shows the opening's refusals, or the chooser modally when its checks passed.
void openRangeChooser(const WindowContext& context, QWidget* parent, const ChooserOpening& opening,
                      RangePurpose purpose, int summaryRows, MonthRangeChooser::Open open);

}  // namespace vel::gui
