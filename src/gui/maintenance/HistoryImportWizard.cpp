#include "HistoryImportWizard.h"

#include "CheckBoxes.h"
#include "CommandWidgets.h"
#include "FileChooser.h"
#include "Prompter.h"
#include "Session.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vel::gui {

HistoryImportWizard::HistoryImportWizard(Session& session, QWidget* parent)
    : QDialog(parent), session_(session)
{
    setWindowTitle(QStringLiteral("历史数据导入向导"));
    auto* step1 = new QGroupBox(QStringLiteral("Step1:  选择原系统安装路径"), this);
    folder_ = new QLineEdit(step1);
    folder_->setObjectName("folderBox");
    folder_->setReadOnly(true);
    auto* folderLine = new QHBoxLayout;
    folderLine->addWidget(folder_, 1);
    folderLine->addWidget(
        commandButton(this, QStringLiteral("选择..."), "btnChoose", [this] { chooseFolder(); }));
    auto* step1Layout = new QVBoxLayout(step1);
    step1Layout->addLayout(folderLine);
    step1Layout->addWidget(new QLabel(QStringLiteral("原系统默认安装：C:\\Ostrelin"), step1));

    auto* step2 = new QGroupBox(QStringLiteral("Step2:  选择导入数据选项"), this);
    auto* step2Layout = new QVBoxLayout(step2);
    options_ = new QButtonGroup(this);
    const char* captions[] = {
        "  1. 上年期末数据导为本年度期初数据 (例:处理2012年数据，则导入2011年期末数据)",
        "  2. 导入本年度期初人员数据 (例:处理2012年数据，则导入2012年期初数据)",
        "  3. 导入所有月度人员数据 (例:处理2012年数据，则导入2012年月度数据)",
        "  4. 导入所有月度工资数据 (例:处理2012年数据，则导入2012年月度数据)",
        "  5. 导入所有月度人员、工资数据 (例:处理2012年数据，则导入2012年月度数据)"};
    for (int i = 0; i < 5; ++i) {
        auto* option = new QRadioButton(QString::fromUtf8(captions[i]), step2);
        option->setObjectName(QStringLiteral("option%1").arg(i + 1));
        options_->addButton(option, i + 1);
        step2Layout->addWidget(option);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(commandButton(this, QStringLiteral("开始导入"), "btnStart", [this] { start(); }));
    QPushButton* close = commandButton(this, QStringLiteral("取  消"), "btnCancel", [this] { reject(); });
    close->setDefault(true);
    buttons->addWidget(close);
    progress_ = new QProgressBar(this);
    progress_->setObjectName("progress");
    progress_->setRange(0, 100);
    progress_->setValue(0);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(step1);
    layout->addWidget(step2);
    layout->addLayout(buttons);
    layout->addWidget(progress_);
}

void HistoryImportWizard::chooseFolder()
{
    const QString chosen =
        chooseFiles().folder(this, QStringLiteral("请选择原系统安装目录"), folder_->text());
    if (chosen.isEmpty())
        return;
    if (!isHistoryFolder(chosen)) {
        prompt().info(this, history::WrongFolder);
        return;
    }
    folder_->setText(chosen);
}

void HistoryImportWizard::start()
{
    const auto option = static_cast<HistoryOption>(std::max(0, options_->checkedId()));
    if (!passChecks(this, historyImportChecks(session_, folder_->text(), option)))
        return;
    HistoryImportResult result;
    try {
        result = importHistory(session_, folder_->text(), option,
                               [this](int percent) { progress_->setValue(percent); });
    } catch (const Error& e) {
        progress_->setValue(0);
        prompt().error(this, e.message() + QStringLiteral("\n本次导入未作任何改动。"));
        return;
    }
    emit imported();
    for (const QString& message : result.messages)
        prompt().info(this, message);
    if (!result.refused.isEmpty())
        prompt().info(this, result.refused.join(QStringLiteral("\n\r")));
}

}  // namespace vel::gui
