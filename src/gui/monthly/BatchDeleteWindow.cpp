#include "BatchDeleteWindow.h"

#include "CommandWidgets.h"
#include "Guarded.h"
#include "Prompter.h"
#include "Session.h"
#include "WindowFit.h"
#include "grid/SheetView.h"
#include "monthly/BatchDelete.h"
#include "staff/StaffPanelFrame.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace vel::gui {
namespace {

constexpr int InputColumns = 3;
constexpr int ResultColumns = 6;

void setHeaders(Sheet& sheet, const QStringList& headers)
{
    for (int c = 0; c < headers.size(); ++c)
        sheet.setText(1, c + 1, headers[c]);
}

}  // namespace

BatchDeleteWindow::BatchDeleteWindow(const WindowContext& context, int month, QWidget* parent)
    : QDialog(parent),
      context_(context),
      month_(month),
      read_(context.session.db()),
      input_(Sheet::DefaultMaxRow, InputColumns),
      result_(Sheet::DefaultMaxRow, ResultColumns)
{
    setWindowTitle(QStringLiteral("%1月批量人员删除").arg(month));
    setHeaders(input_, {QStringLiteral("姓名"), QStringLiteral("姓名编号"), QStringLiteral("备注")});
    setHeaders(result_, {QStringLiteral("姓名"), QStringLiteral("姓名编号"), QStringLiteral("性别"),
                         QStringLiteral("出生年月"), QStringLiteral("学历"),
                         QStringLiteral("现任职务（岗位）")});
    inputView_ = new SheetView(input_, this);
    inputView_->setObjectName("inputSheet");
    resultView_ = new SheetView(result_, this);
    resultView_->setObjectName("resultSheet");
    resultView_->setReadOnly(true);

    setSheetMenu(inputView_, {{QStringLiteral("插入"), [this] { inputView_->insertSelectedRows(); }},
                         {QStringLiteral("删除整条"), [this] { inputView_->deleteSelectedRows(); }},
                         {QStringLiteral("复制"), [this] { inputView_->copy(); }},
                         {QStringLiteral("粘贴"), [this] { inputView_->paste(); }},
                         {QStringLiteral("剪切"), [this] { inputView_->cut(); }}});
    setSheetMenu(resultView_, {{QStringLiteral("删除整条"), [this] { deleteOne(); }},
                          {QStringLiteral("清空"), [this] { deleteAll(); }}});

    auto* find = new QPushButton(QStringLiteral("查询"), this);
    find->setObjectName("lookUp");
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    close->setObjectName("close");
    connect(find, &QPushButton::clicked, this, [this] { runCommand(this, [this] { lookUp(); }); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    count_ = new QLabel(this);
    count_->setObjectName("count");
    hint_ = new QLabel(this);
    auto* status = new QStatusBar(this);
    status->addWidget(count_, 1);
    status->addWidget(hint_, 2);

    auto* sheets = new QGridLayout;
    sheets->addWidget(new QLabel(QStringLiteral("查询人员输入："), this), 0, 0);
    sheets->addWidget(new QLabel(QStringLiteral("查询人员结果："), this), 0, 1);
    sheets->addWidget(inputView_, 1, 0);
    sheets->addWidget(resultView_, 1, 1);
    sheets->setColumnStretch(0, 2);
    sheets->setColumnStretch(1, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(sheets, 1);
    layout->addLayout(buttonRow({find, close}));
    layout->addWidget(status);
    resize(1000, 560);
    fitOnShow(this);
}

void BatchDeleteWindow::lookUp()
{
    std::vector<DeletionRequest> requests;
    for (int row = 2; row <= input_.maxRow() && !input_.text(row, 2).isEmpty(); ++row)
        requests.push_back({input_.text(row, 1), input_.text(row, 2), input_.text(row, 3)});
    try {
        listForDeletion(context_.session.db(), month_, requests);
    } catch (const Error& e) {
        prompt().error(this, e.message());
    }
    showResult();
}

void BatchDeleteWindow::showResult()
{
    read_.take(context_.session.db());
    const std::vector<DeletionMatch> found = deletionMatches(context_.session.db());
    SheetBatch batch(result_);
    result_.clearRange(2, 1, result_.maxRow(), ResultColumns, ClearWhat::Values);
    int row = 2;
    for (const DeletionMatch& m : found) {
        for (int c = 0; c < m.size(); ++c)
            result_.setText(row, c + 1, m[c]);
        ++row;
    }
    count_->setText(QStringLiteral("查询结果：共有 %1 条记录！").arg(found.size()));
    hint_->setText(
        QStringLiteral("提示：没有查到的人，可能已经不在本月中或是你输入的姓名编号有误！"));
}

void BatchDeleteWindow::deleteOne()
{
    const int row = resultView_->selStartRow();
    if (row < 2 || result_.text(row, 2).trimmed().isEmpty())
        return;  // a header or an empty row names nobody
    if (!prompt().ask(this, QStringLiteral("确定删除？")))
        return;
    Db& db = context_.session.db();
    read_.write(db, [&] { deletePersonNumber(db, month_, result_.text(row, 2)); });
    showResult();
    prompt().info(this, QStringLiteral("删除成功！"));
}

void BatchDeleteWindow::deleteAll()
{
    if (!prompt().ask(this, QStringLiteral("请慎重清空！确认清空？")))
        return;
    Db& db = context_.session.db();
    read_.write(db, [&] { deleteListedPersons(db, month_); });
    showResult();
    count_->setText(QStringLiteral("清空成功！"));
    prompt().info(this, QStringLiteral("清空成功！"));
    result_.clearRange(2, 1, result_.maxRow(), ResultColumns, ClearWhat::Values);
}

void openBatchDelete(const WindowContext& context, int month, QWidget* parent)
{
    BatchDeleteWindow window(context, month, parent);
    window.exec();
}

}  // namespace vel::gui
