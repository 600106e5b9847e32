#include "StaffSheetPanel.h"

#include "CommandWidgets.h"
#include "Session.h"
#include "grid/SheetDocument.h"
#include "grid/SheetDropDown.h"
#include "grid/SheetDropDowns.h"
#include "grid/SheetView.h"
#include "staff/StaffSheetEdits.h"

#include <QComboBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QVBoxLayout>

namespace vel::gui {
namespace {

// The drop-down of an answer column, and how many rows it reaches down over.
struct ColumnEditor {
    const char* dropDown;
    int rows;
};

std::optional<ColumnEditor> editorOf(int col)
{
    switch (col) {
    case staff::SexCol:
        return ColumnEditor{"sexCom", 3};
    case staff::NationCol:
        return ColumnEditor{"YorN", 3};
    case staff::PartyCol:
        return ColumnEditor{"YorN", 6};
    case staff::EduCol:
        return ColumnEditor{"XL", 9};
    case staff::PostCol:
        return ColumnEditor{"GW", 16};
    case staff::GradeCol:
        return ColumnEditor{"ZC", 9};
    case staff::GradeJnCol:
        return ColumnEditor{"JN", 9};
    case staff::RoleCol:
        return ColumnEditor{"Role", 9};
    case staff::FullTimeCol:
    case staff::EngineerCol:
    case staff::ConstructorCol:
    case staff::ProductionCol:
        return ColumnEditor{"YorN", 9};
    case staff::SiteWorkerCol:
        return ColumnEditor{"Sg", 9};
    default:
        return std::nullopt;
    }
}

// Enter in an editor box hands the focus on, as Tab does.
class EnterMovesOn : public QObject {
public:
    explicit EnterMovesOn(QWidget* owner, std::function<void()> onEnter)
        : QObject(owner), onEnter_(std::move(onEnter))
    {
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                onEnter_();
                return true;
            }
        }
        return false;
    }

private:
    std::function<void()> onEnter_;
};

class FocusOutCommits : public QObject {
public:
    FocusOutCommits(QObject* owner, std::function<void()> commit)
        : QObject(owner), commit_(std::move(commit))
    {
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::FocusOut)
            commit_();
        return false;
    }

private:
    std::function<void()> commit_;
};

}  // namespace

StaffSheetPanel::StaffSheetPanel(Session& session, StaffTemplate layout, QWidget* parent)
    : QWidget(parent),
      session_(session),
      layout_(layout),
      sheet_(Sheet::DefaultMaxRow, staff::ColumnCount)
{
    view_ = new SheetView(sheet_, this);
    view_->setObjectName("staffSheet");
    view_->setHeaderRows(staff::NumberRow);
    dropDowns_ = new SheetDropDowns(*view_);
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(view_);
    {
        SheetBatch batch(sheet_);
        sheet_.setFont(1, 1, staff::LastDataRow, staff::LastDataCol, CellFont{8, false});
    }
    buildEditors();
    buildContextMenu();
    connect(view_, &SheetView::cellDoubleClicked, this, &StaffSheetPanel::editCell);
    applyLayout();
}

StaffClass StaffSheetPanel::staffClass() const
{
    return staffClassOf(session_.unit().CurDepInfo);
}

void StaffSheetPanel::applyLayout()
{
    applyStaffLayout(sheet_, staffClass(), layout_);
}

void StaffSheetPanel::buildEditors()
{
    for (const char* name : {"sexCom", "YorN", "XL", "GW", "ZC", "JN", "Role", "Sg"})
        dropDowns_->add(QString::fromLatin1(name));
    dropDowns_->find("sexCom")->setItems({QStringLiteral("女"), QStringLiteral("男")});
    dropDowns_->find("YorN")->setItems({QStringLiteral("否"), QStringLiteral("是")});

    nameBox_ = new QLineEdit(view_->viewport());
    nameBox_->setObjectName("nameBox");
    nameBox_->hide();
    nameBox_->installEventFilter(new FocusOutCommits(nameBox_, [this] { commitName(); }));
    nameBox_->installEventFilter(new EnterMovesOn(nameBox_, [this] { commitName(); }));

    yearBox_ = new QComboBox(view_->viewport());
    yearBox_->setObjectName("birthYearBox");
    monthBox_ = new QComboBox(view_->viewport());
    monthBox_->setObjectName("birthMonthBox");
    for (int m = 1; m <= 12; ++m)
        monthBox_->addItem(QString::asprintf("%02d", m));
    yearBox_->hide();
    monthBox_->hide();
    yearBox_->installEventFilter(
        new EnterMovesOn(yearBox_, [this] { monthBox_->setFocus(); }));
    monthBox_->installEventFilter(new EnterMovesOn(monthBox_, [this] { monthChosen(); }));
    connect(monthBox_, QOverload<int>::of(&QComboBox::activated), this,
            &StaffSheetPanel::monthChosen);
}

void StaffSheetPanel::fillLists()
{
    const CodeLists& codes = session_.codes();
    dropDowns_->find("XL")->setItems(codes.names(CodeListId::Edu));
    dropDowns_->find("GW")->setItems(codes.names(CodeListId::Post));
    dropDowns_->find("ZC")->setItems(codes.names(CodeListId::Grade));
    dropDowns_->find("JN")->setItems(codes.names(CodeListId::GradeJn));
    dropDowns_->find("Role")->setItems(codes.names(CodeListId::Role));
    dropDowns_->find("Sg")->setItems(codes.names(CodeListId::Certy));
    yearBox_->clear();
    for (int year = staff::FirstOfferedBirthYear; year <= staff::LastOfferedBirthYear; ++year)
        yearBox_->addItem(QString::number(year));
    yearBox_->setCurrentText(QStringLiteral("1942"));
}

void StaffSheetPanel::hideEditors()
{
    dropDowns_->hideAll();
    nameBox_->hide();
    nameBox_->clear();
    yearBox_->hide();
    monthBox_->hide();
}

void StaffSheetPanel::goToCell(int row, int col)
{
    view_->selectRange(row, col, row, col);
}

void StaffSheetPanel::placeOver(QWidget* editor, int row, int col, int width)
{
    const QRect cell = view_->visualRect(view_->model()->index(row - 1, col - 1));
    editor->setGeometry(cell.x(), cell.y(), width > 0 ? width : cell.width(),
                        std::max(cell.height(), editor->sizeHint().height()));
    editor->show();
    editor->raise();
}

void StaffSheetPanel::editCell(int row, int col)
{
    if (row < staff::FirstPersonRow)
        return;  // the header rows are never edited
    hideEditors();
    editRow_ = row;
    editCol_ = col;
    if (col == staff::NameCol) {
        nameBox_->setText(sheet_.text(row, col));
        placeOver(nameBox_, row, col, 0);
        nameBox_->setFocus();
        nameBox_->selectAll();
        return;
    }
    if (col == staff::BirthCol) {
        monthBox_->setCurrentIndex(0);
        const int yearWidth = yearBox_->sizeHint().width();
        placeOver(yearBox_, row, col, yearWidth);
        const QRect cell = view_->visualRect(view_->model()->index(row - 1, col - 1));
        monthBox_->setGeometry(cell.x() + yearWidth, cell.y(), monthBox_->sizeHint().width(),
                               yearBox_->height());
        monthBox_->show();
        monthBox_->raise();
        yearBox_->setFocus();
        return;
    }
    const std::optional<ColumnEditor> editor = editorOf(col);
    if (!editor)
        return;
    int lastCol = col;
    // An industrial unit answers column 14 beside the hidden columns 15 to 17.
    if (col == staff::FullTimeCol && staffClass() == StaffClass::Industrial)
        lastCol = staff::SiteWorkerCol;
    dropDowns_->show(dropDowns_->find(QString::fromLatin1(editor->dropDown)),
                     CellRange{row, col, row + editor->rows - 1, lastCol});
}

void StaffSheetPanel::commitName()
{
    if (nameBox_->isHidden())
        return;
    writeEditCell(nameBox_->text());
    nameBox_->hide();
    nameBox_->clear();
    view_->setFocus();
}

void StaffSheetPanel::monthChosen()
{
    if (monthBox_->isHidden())
        return;
    writeEditCell(yearBox_->currentText() + QLatin1Char('-') + monthBox_->currentText());
    yearBox_->hide();
    monthBox_->hide();
    view_->setFocus();
}

void StaffSheetPanel::writeEditCell(const QString& text)
{
    const int row = editRow_;
    const int col = editCol_;
    view_->document()->editCells({{row, col, row, col}},
                                 [&] { sheet_.setText(row, col, text); });
}

void StaffSheetPanel::pasteWithRule()
{
    if (staffClass() == StaffClass::Industrial) {
        // The rule walks down from row 3 as far as column 15 is filled, which the paste may
        // have carried further than the filled rows reached before.
        const int reach = std::max(sheet_.lastUsedRow(), view_->selStartRow()) +
                          QGuiApplication::clipboard()->text().count(u'\n') + 1;
        view_->paste([this] { applyIndustrialPasteRule(sheet_); },
                     {staff::FirstPersonRow, staff::ProductionCol, reach, staff::ProductionCol});
    } else {
        view_->paste();
    }
    emit pasted();
}

void StaffSheetPanel::buildContextMenu()
{
    menu_ = new QMenu(this);
    menu_->addAction(QStringLiteral("插入"), this, [this] {
        view_->insertSelectedRows();
        emit rowsInserted();
    });
    const QString deleteCaption = layout_ == StaffTemplate::MonthlyRoster
                                      ? QStringLiteral("删除整条")
                                      : QStringLiteral("整条删除");
    menu_->addAction(deleteCaption, this, [this] {
        view_->deleteSelectedRows();
        emit rowsDeleted();
    });
    menu_->addAction(QStringLiteral("复制"), this, [this] { view_->copy(); });
    menu_->addAction(QStringLiteral("粘贴"), this, [this] { pasteWithRule(); });
    menu_->addAction(QStringLiteral("剪切"), this, [this] { view_->cut(); });
    menu_->addAction(QStringLiteral("查找替换"), this, [this] { emit findReplaceRequested(); });
    addUndoItems(menu_, view_);
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        hideEditors();
        menu_->popup(view_->viewport()->mapToGlobal(at));
    });
}

}  // namespace vel::gui
