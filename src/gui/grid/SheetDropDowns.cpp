#include "SheetDropDowns.h"

#include "SheetDocument.h"
#include "SheetDropDown.h"
#include "SheetModel.h"
#include "SheetView.h"

#include <QHeaderView>
#include <QScrollBar>

#include <algorithm>
#include <climits>

namespace vel::gui {

SheetDropDowns::SheetDropDowns(SheetView& view) : QObject(&view), view_(view)
{
    SheetModel* model = view_.sheetModel();
    connect(model, &SheetModel::sheetLayoutChanged, this, &SheetDropDowns::place);
    connect(model, &QAbstractItemModel::modelReset, this, &SheetDropDowns::hideAll);
    connect(view_.document(), &SheetDocument::replayed, this, &SheetDropDowns::hideAll);
    connect(view_.horizontalHeader(), &QHeaderView::sectionResized, this, &SheetDropDowns::place);
    connect(view_.verticalHeader(), &QHeaderView::sectionResized, this, &SheetDropDowns::place);
    connect(view_.horizontalScrollBar(), &QScrollBar::valueChanged, this, &SheetDropDowns::place);
    connect(view_.verticalScrollBar(), &QScrollBar::valueChanged, this, &SheetDropDowns::place);
}

SheetDropDown* SheetDropDowns::add(const QString& name, const QStringList& items)
{
    auto* dropDown = new SheetDropDown(name, view_.viewport());
    dropDown->setItems(items);
    connect(dropDown, &SheetDropDown::chosen, this, &SheetDropDowns::chosen);
    connect(dropDown, &SheetDropDown::dismissed, &view_, [this] { view_.setFocus(); });
    dropDowns_.push_back(dropDown);
    return dropDown;
}

SheetDropDown* SheetDropDowns::find(const QString& name) const
{
    for (SheetDropDown* d : dropDowns_)
        if (d->name() == name)
            return d;
    return nullptr;
}

void SheetDropDowns::show(SheetDropDown* dropDown, const CellRange& area)
{
    if (!dropDown || area.isEmpty())
        return;
    for (SheetDropDown* d : dropDowns_)
        if (d != dropDown)
            d->hide();
    dropDown->linkToCell(area.r1, area.c1);
    dropDown->setCurrentRow(-1);
    dropDown->clearSelection();
    shown_ = dropDown;
    area_ = area;
    dropDown->show();
    dropDown->raise();
    place();
    dropDown->setFocus();
}

void SheetDropDowns::hideAll()
{
    for (SheetDropDown* d : dropDowns_)
        d->hide();
}

void SheetDropDowns::chosen(int row, int col, const QString& text)
{
    view_.setFocus();
    SheetModel* model = view_.sheetModel();
    if (Sheet* s = model->sheet())
        view_.document()->editCells({{row, col, row, col}}, [&] { s->setText(row, col, text); });
}

void SheetDropDowns::place()
{
    if (!shown_ || shown_->isHidden())
        return;
    const CellRange& a = area_;
    const int columns = view_.sheetModel()->columnCount();
    int left = INT_MAX;
    int right = INT_MIN;
    for (int c = a.c1; c <= std::min(a.c2, columns); ++c) {
        if (view_.isColumnHidden(c - 1))
            continue;
        const int x = view_.columnViewportPosition(c - 1);
        left = std::min(left, x);
        right = std::max(right, x + view_.columnWidth(c - 1));
    }
    const int lastRow = std::min(a.r2, view_.sheetModel()->rowCount());
    if (left >= right || lastRow < a.r1) {
        shown_->hide();
        return;
    }
    const int top = view_.rowViewportPosition(a.r1 - 1);
    const int bottom = view_.rowViewportPosition(lastRow - 1) + view_.rowHeight(lastRow - 1);
    // As wide as its longest entry, kept inside the grid where the cell lies near its edge.
    const int width = std::max(right - left, shown_->fullWidth(bottom - top));
    const int x = std::max(0, std::min(left, view_.viewport()->width() - width));
    shown_->setGeometry(x, top, width, bottom - top);
}

}  // namespace vel::gui
