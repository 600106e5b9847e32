#pragma once

#include "WindowContext.h"
#include "db/ReadStamp.h"
#include "sheet/Sheet.h"

#include <QDialog>

class QLabel;

namespace vel::gui {

class SheetView;

// Many persons removed from one month's roster at once: the list typed or pasted on the left,
// the stored persons it names on the right.
class BatchDeleteWindow : public QDialog {
    Q_OBJECT
public:
    BatchDeleteWindow(const WindowContext& context, int month, QWidget* parent = nullptr);

    Sheet& input() { return input_; }
    Sheet& result() { return result_; }
    SheetView* resultView() const { return resultView_; }

    // "查询".
    void lookUp();
    // The result menu's "删除整条" on the active row, and "清空".
    void deleteOne();
    void deleteAll();

private:
    void showResult();

    WindowContext context_;
    int month_;
    // Taken when the matches are shown; the deletions go through it.
    ReadStamp read_;
    Sheet input_;
    Sheet result_;
    SheetView* inputView_ = nullptr;
    SheetView* resultView_ = nullptr;
    QLabel* count_ = nullptr;
    QLabel* hint_ = nullptr;
};

void openBatchDelete(const WindowContext& context, int month, QWidget* parent);

}  // namespace vel::gui
