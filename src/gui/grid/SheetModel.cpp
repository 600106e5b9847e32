#include "SheetModel.h"

#include <QBrush>
#include <QColor>

namespace vel::gui {

class SheetModel::Follower : public SheetObserver {
public:
    explicit Follower(SheetModel& model) : model_(model) {}
    void cellsChanged(int r1, int c1, int r2, int c2) override
    {
        model_.onCellsChanged(r1, c1, r2, c2);
    }
    void rowsInserted(int row, int) override { model_.onRowsMoved(row); }
    void rowsRemoved(int row, int) override { model_.onRowsMoved(row); }
    void layoutChanged() override { model_.onLayoutChanged(); }
    void sheetDestroyed() override { model_.onSheetGone(); }

private:
    SheetModel& model_;
};

namespace {

// The error fill is pattern 18 in red 200 over red 255: at that density it reads as plain red.
const QBrush& errorBrush()
{
    static const QBrush brush(QColor(255, 0, 0));
    return brush;
}

// The error-correction sheet's variant must stay distinguishable from the plain one.
const QBrush& errorPatternBrush()
{
    static const QBrush brush(QColor(255, 0, 0), Qt::BDiagPattern);
    return brush;
}

// A … Z, AA, AB …, as a spreadsheet names its columns.
QString columnName(int col)
{
    QString name;
    for (; col > 0; col = (col - 1) / 26)
        name.prepend(QChar(u'A' + (col - 1) % 26));
    return name;
}

bool looksNumeric(const QString& text)
{
    bool ok = false;
    text.toDouble(&ok);
    return ok;
}

}  // namespace

SheetModel::SheetModel(Sheet& sheet, QObject* parent)
    : QAbstractTableModel(parent), sheet_(&sheet), follower_(std::make_unique<Follower>(*this))
{
    sheet.setObserver(follower_.get());
}

SheetModel::~SheetModel()
{
    if (sheet_)
        sheet_->setObserver(nullptr);
}

void SheetModel::setReadOnly(bool readOnly)
{
    readOnly_ = readOnly;
}

void SheetModel::setBaseFont(const QFont& font)
{
    baseFont_ = font;
    fonts_.clear();
    onLayoutChanged();
}

void SheetModel::setOneFontSize(bool on)
{
    oneFontSize_ = on;
    fonts_.clear();
    onLayoutChanged();
}

int SheetModel::shownSize(int row, int col) const
{
    return oneFontSize_ || !sheet_ ? CellFont{}.size : sheet_->font(row, col).size;
}

int SheetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !sheet_ ? 0 : sheet_->maxRow();
}

int SheetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() || !sheet_ ? 0 : sheet_->columnCount();
}

QVariant SheetModel::data(const QModelIndex& index, int role) const
{
    if (!sheet_ || !index.isValid())
        return {};
    const int row = index.row() + 1;
    const int col = index.column() + 1;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return sheet_->text(row, col);
    case Qt::BackgroundRole:
        switch (sheet_->mark(row, col)) {
        case CellMark::Error:
            return QVariant::fromValue(errorBrush());
        case CellMark::ErrorPattern:
            return QVariant::fromValue(errorPatternBrush());
        case CellMark::None:
            return {};
        }
        return {};
    case Qt::FontRole:
        return cellFont(sheet_->font(row, col));
    case Qt::TextAlignmentRole: {
        const Qt::Alignment h = looksNumeric(sheet_->text(row, col)) ? Qt::AlignRight : Qt::AlignLeft;
        return static_cast<int>(h | Qt::AlignVCenter);
    }
    default:
        return {};
    }
}

bool SheetModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!sheet_ || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    if (writer_)
        writer_(index.row() + 1, index.column() + 1, value.toString());
    else
        sheet_->setText(index.row() + 1, index.column() + 1, value.toString());
    return true;
}

Qt::ItemFlags SheetModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!readOnly_ && index.row() >= headerRows_ && !computed_.contains(index.column() + 1))
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant SheetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::TextAlignmentRole)
        return static_cast<int>(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return {};
    return orientation == Qt::Horizontal ? columnName(section + 1) : QString::number(section + 1);
}

void SheetModel::onCellsChanged(int r1, int c1, int r2, int c2)
{
    emit dataChanged(index(r1 - 1, c1 - 1), index(r2 - 1, c2 - 1));
}

void SheetModel::onRowsMoved(int row)
{
    emit dataChanged(index(row - 1, 0), index(rowCount() - 1, columnCount() - 1));
    emit sheetLayoutChanged();
}

void SheetModel::onLayoutChanged()
{
    emit sheetLayoutChanged();
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::FontRole});
}

void SheetModel::onSheetGone()
{
    beginResetModel();
    sheet_ = nullptr;
    endResetModel();
}

QFont SheetModel::cellFont(const CellFont& font) const
{
    const int key = font.size * 2 + (font.bold ? 1 : 0);
    auto it = fonts_.find(key);
    if (it == fonts_.end()) {
        QFont f = baseFont_;
        f.setPointSize(oneFontSize_ ? CellFont{}.size : font.size);
        f.setBold(font.bold);
        it = fonts_.insert(key, f);
    }
    return *it;
}

}  // namespace vel::gui
