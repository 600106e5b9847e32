#include "SheetDocument.h"

#include "Prompter.h"
#include "SheetModel.h"
#include "sheet/SheetEdit.h"

#include <QUndoStack>

namespace vel::gui {
namespace {

// The stack keeps the step; its first redo is the edit already done.
class SheetEditCommand : public QUndoCommand {
public:
    SheetEditCommand(SheetEdit edit, std::function<void(const SheetEdit&, bool)> replay)
        : edit_(std::move(edit)), replay_(std::move(replay))
    {
    }
    void undo() override { replay_(edit_, true); }
    void redo() override
    {
        if (done_)
            done_ = false;
        else
            replay_(edit_, false);
    }

private:
    SheetEdit edit_;
    std::function<void(const SheetEdit&, bool)> replay_;
    bool done_ = true;
};

}  // namespace

SheetDocument::SheetDocument(SheetModel& model, QObject* parent)
    : QObject(parent), model_(model), undo_(new QUndoStack(this))
{
    connect(&model_, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex&, const QModelIndex&, const QList<int>& roles) {
                changedUnrecorded(roles.isEmpty() || roles.contains(Qt::DisplayRole));
            });
    connect(&model_, &QAbstractItemModel::modelReset, this, &SheetDocument::forgetSteps);
}

bool SheetDocument::isModified() const
{
    return !undo_->isClean();
}

void SheetDocument::markSaved()
{
    undo_->setClean();
}

void SheetDocument::markEdited()
{
    undo_->resetClean();
}

void SheetDocument::quietly(const std::function<void()>& change)
{
    ++quiet_;
    try {
        change();
    } catch (...) {
        --quiet_;
        throw;
    }
    --quiet_;
}

bool SheetDocument::mayDropEdits(QWidget* asker) const
{
    return !isModified() ||
           prompt().ask(asker,
                        QStringLiteral("上表的更改尚未保存，继续将放弃这些更改。是否继续？"));
}

bool SheetDocument::mayClose(QWidget* asker) const
{
    return !isModified() ||
           prompt().ask(asker,
                        QStringLiteral("上表的更改尚未保存，关闭将放弃这些更改。是否关闭？"));
}

void SheetDocument::editCells(const std::vector<CellRange>& areas,
                              const std::function<void()>& change)
{
    Sheet* s = model_.sheet();
    if (!s)
        return;
    recording_ = true;
    SheetEdit edit;
    try {
        const SheetBatch batch(*s);
        edit = SheetEdit::ofCells(*s, areas, change);
    } catch (...) {
        recording_ = false;
        forgetSteps();  // a change cut short leaves no step that could be taken back exactly
        markEdited();
        throw;
    }
    recording_ = false;
    push(std::move(edit));
}

void SheetDocument::insertRows(int row, int count)
{
    record([&](Sheet& s) { return SheetEdit::insertRows(s, row, count); });
}

void SheetDocument::deleteRows(int row, int count)
{
    record([&](Sheet& s) { return SheetEdit::deleteRows(s, row, count); });
}

void SheetDocument::record(const std::function<SheetEdit(Sheet&)>& change)
{
    if (Sheet* s = model_.sheet()) {
        recording_ = true;
        SheetEdit edit = change(*s);
        recording_ = false;
        push(std::move(edit));
    }
}

void SheetDocument::undo()
{
    undo_->undo();
}

void SheetDocument::redo()
{
    undo_->redo();
}

void SheetDocument::push(SheetEdit edit)
{
    if (edit.isEmpty())
        return;
    undo_->push(new SheetEditCommand(std::move(edit), [this](const SheetEdit& e, bool back) {
        replay(e, back);
    }));
}

void SheetDocument::replay(const SheetEdit& edit, bool back)
{
    Sheet* s = model_.sheet();
    if (!s)
        return;
    recording_ = true;
    if (back)
        edit.undo(*s);
    else
        edit.redo(*s);
    recording_ = false;
    emit replayed(edit.area());
}

void SheetDocument::changedUnrecorded(bool textChanged)
{
    if (recording_)
        return;
    if (textChanged)
        forgetSteps();
    if (quiet_ == 0)
        markEdited();
}

void SheetDocument::forgetSteps()
{
    const bool modified = isModified();
    undo_->clear();
    if (modified)
        undo_->resetClean();
}

}  // namespace vel::gui
