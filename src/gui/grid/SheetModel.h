#pragma once

#include "sheet/Sheet.h"

#include <QAbstractTableModel>
#include <QFont>
#include <QHash>

#include <functional>
#include <memory>

namespace vel::gui {

// A vel::Sheet as a Qt table: every change core code makes to the sheet shows at once. Model row
// r and column c are sheet row r+1 and column c+1. The row count never changes: inserting or
// deleting sheet rows moves the cells, as in a spreadsheet, and is reported as changed data.
class SheetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit SheetModel(Sheet& sheet, QObject* parent = nullptr);
    ~SheetModel() override;

    // nullptr once the sheet is gone.
    Sheet* sheet() const { return sheet_; }

    // What typing into a cell runs instead of writing the sheet directly (the view records it).
    void setCellWriter(std::function<void(int row, int col, const QString& text)> writer)
    {
        writer_ = std::move(writer);
    }

    bool isReadOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly);
    // Sheet rows 1..rows are the header: shown, never edited.
    int headerRows() const { return headerRows_; }
    void setHeaderRows(int rows) { headerRows_ = rows; }
    // Sheet columns the program fills in itself (a total): shown, never typed into.
    void setComputedColumns(QList<int> columns) { computed_ = std::move(columns); }
    // The family and the size that a cell of the sheet's default font gets.
    void setBaseFont(const QFont& font);
    QFont baseFont() const { return baseFont_; }
    // Every cell at the sheet's standard size (the sheet keeps its own sizes).
    void setOneFontSize(bool on);
    // The size a cell is shown at.
    int shownSize(int row, int col) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

signals:
    // Widths, hidden columns, row heights or fonts changed; also after rows moved.
    void sheetLayoutChanged();

private:
    // The SheetObserver lives apart: its rowsInserted/rowsRemoved/layoutChanged would hide the
    // model signals of the same names.
    class Follower;

    void onCellsChanged(int r1, int c1, int r2, int c2);
    void onRowsMoved(int row);
    void onLayoutChanged();
    void onSheetGone();
    QFont cellFont(const CellFont& font) const;

    Sheet* sheet_;
    std::unique_ptr<Follower> follower_;
    std::function<void(int, int, const QString&)> writer_;
    bool readOnly_ = false;
    QList<int> computed_;
    int headerRows_ = 0;
    bool oneFontSize_ = false;
    QFont baseFont_;
    mutable QHash<int, QFont> fonts_;
};

}  // namespace vel::gui
