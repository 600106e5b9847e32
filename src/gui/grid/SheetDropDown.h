#pragma once

#include <QListWidget>

namespace vel::gui {

// A named list of answers laid over a cell of a sheet: choosing an item writes its text into the
// linked cell. It hides itself on Escape and when it loses the focus.
class SheetDropDown : public QListWidget {
    Q_OBJECT
public:
    SheetDropDown(const QString& name, QWidget* parent);

    QString name() const { return objectName(); }
    void setItems(const QStringList& items);

    // The width that shows the longest entry whole in a list this high.
    int fullWidth(int height) const;

    // The cell a choice goes to (1-based).
    void linkToCell(int row, int col);

signals:
    // Both come before the list hides, so that the sheet can take the focus back.
    void chosen(int row, int col, const QString& text);
    void dismissed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void choose(QListWidgetItem* item);

    int row_ = 0;
    int col_ = 0;
};

}  // namespace vel::gui
