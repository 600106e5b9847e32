#include "UnitInfoWindow.h"

#include "Guarded.h"
#include "Prompter.h"
#include "Session.h"
#include "monthly/WageSheet.h"
#include "unit/UnitFigures.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace vel::gui {
namespace {

// Class choices, in the order of the radio group.
enum ClassButton { ClassOther = 0, ClassConstruction = 1, ClassIndustrial = 2 };

QGroupBox* radioGroup(QWidget* parent, const QString& title, std::initializer_list<QRadioButton*> buttons)
{
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QHBoxLayout(box);
    for (QRadioButton* b : buttons)
        layout->addWidget(b);
    return box;
}

}  // namespace

UnitInfoWindow::UnitInfoWindow(Session& session, QWidget* parent)
    : QDialog(parent), session_(session)
{
    setWindowTitle(QStringLiteral("单位信息"));
    auto* form = new QGridLayout;

    form->addWidget(new QLabel(QStringLiteral("单位名称："), this), 0, 0);
    name_ = new QLineEdit(this);
    name_->setObjectName("name");
    form->addWidget(name_, 0, 1);

    form->addWidget(new QLabel(QStringLiteral("组织机构代码："), this), 1, 0);
    auto* codeRow = new QHBoxLayout;
    for (int i = 0; i < 9; ++i) {
        code_[i] = new QLineEdit(this);
        code_[i]->setObjectName(QStringLiteral("code%1").arg(i + 1));
        code_[i]->setMaxLength(1);
        code_[i]->setFixedWidth(28);
        code_[i]->setAlignment(Qt::AlignCenter);
        code_[i]->installEventFilter(this);
        connect(code_[i], &QLineEdit::textEdited, this, [this, i] { codeBoxEdited(i); });
        codeRow->addWidget(code_[i]);
    }
    codeRow->addStretch();
    form->addLayout(codeRow, 1, 1);

    organ_ = new QRadioButton(QStringLiteral("机关单位"), this);
    organ_->setObjectName("organ");
    enterprise_ = new QRadioButton(QStringLiteral("企业事业单位"), this);
    enterprise_->setObjectName("enterprise");
    enterprise_->setChecked(true);
    form->addWidget(radioGroup(this, QStringLiteral("单位属性"), {organ_, enterprise_}), 2, 0, 1, 2);
    connect(organ_, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            typeChosen(true);
    });

    auto* other = new QRadioButton(QStringLiteral("其他"), this);
    other->setObjectName("classOther");
    auto* construction = new QRadioButton(QStringLiteral("资质建筑业单位"), this);
    construction->setObjectName("classConstruction");
    auto* industrial = new QRadioButton(QStringLiteral("规模以上工业单位"), this);
    industrial->setObjectName("classIndustrial");
    classGroup_ = new QButtonGroup(this);
    classGroup_->addButton(other, ClassOther);
    classGroup_->addButton(construction, ClassConstruction);
    classGroup_->addButton(industrial, ClassIndustrial);
    other->setChecked(true);
    auto* classRow = new QHBoxLayout;
    classRow->addWidget(radioGroup(this, QStringLiteral("类型"), {other, construction, industrial}));
    qualification_ = new QComboBox(this);
    qualification_->setObjectName("qualification");
    qualification_->setEditable(true);
    qualification_->addItems({unit::QualificationGeneral, unit::QualificationLabour});
    qualification_->setCurrentIndex(-1);
    qualification_->setEnabled(false);
    qualification_->setMinimumWidth(200);
    classRow->addWidget(qualification_);
    form->addLayout(classRow, 3, 0, 1, 2);
    connect(classGroup_, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on)
            classChosen(id);
    });

    notNew_ = new QRadioButton(QStringLiteral("否"), this);
    notNew_->setObjectName("notNew");
    isNew_ = new QRadioButton(QStringLiteral("是"), this);
    isNew_->setObjectName("isNew");
    notNew_->setChecked(true);
    auto* newRow = new QHBoxLayout;
    newRow->addWidget(radioGroup(this, QStringLiteral("新创办单位"), {notNew_, isNew_}));
    foundingMonth_ = new QComboBox(this);
    foundingMonth_->setObjectName("foundingMonth");
    for (int m = 1; m <= 12; ++m)
        foundingMonth_->addItem(QStringLiteral("%1月创办").arg(m));
    foundingMonth_->setCurrentIndex(-1);
    foundingMonth_->setEnabled(false);
    foundingMonth_->setMinimumWidth(120);
    newRow->addWidget(foundingMonth_);
    newRow->addStretch();
    form->addLayout(newRow, 4, 0, 1, 2);
    connect(isNew_, &QRadioButton::toggled, this, [this](bool on) { foundedChosen(on); });

    // What the data check compares the year with; each may stay empty.
    auto* checkBox = new QGroupBox(QStringLiteral("数据审核用数据"), this);
    auto* checkForm = new QGridLayout(checkBox);
    const std::pair<QLineEdit**, const char*> figureBoxes[] = {
        {&minWage_, "minWage"}, {&lastYearHeads_, "lastYearHeads"}, {&lastYearWages_, "lastYearWages"}};
    const QString captions[] = {QStringLiteral("当地月最低工资标准（元）："),
                                QStringLiteral("上年年末从业人员（人）："),
                                QStringLiteral("上年工资总额（千元）：")};
    for (int i = 0; i < 3; ++i) {
        *figureBoxes[i].first = new QLineEdit(checkBox);
        (*figureBoxes[i].first)->setObjectName(figureBoxes[i].second);
        (*figureBoxes[i].first)->setMaximumWidth(140);
        checkForm->addWidget(new QLabel(captions[i], checkBox), i, 0);
        checkForm->addWidget(*figureBoxes[i].first, i, 1);
    }
    checkForm->setColumnStretch(2, 1);
    form->addWidget(checkBox, 5, 0, 1, 2);

    auto* ok = new QPushButton(QStringLiteral("确 定"), this);
    ok->setObjectName("ok");
    auto* cancel = new QPushButton(QStringLiteral("取 消"), this);
    cancel->setObjectName("cancel");
    for (QPushButton* b : {ok, cancel}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    connect(ok, &QPushButton::clicked, this, [this] { runCommand(this, [this] { save(); }); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    runCommand(this, [this] { load(); });
}

void UnitInfoWindow::setQualificationEnabled(bool enabled)
{
    qualification_->setEnabled(enabled);
}

void UnitInfoWindow::load()
{
    const UnitFigures figures = loadUnitFigures(session_.db());
    const auto shown = [](const auto& v) { return v ? decimalText(double(*v)) : QString(); };
    minWage_->setText(shown(figures.minWage));
    lastYearHeads_->setText(shown(figures.lastYearHeads));
    lastYearWages_->setText(shown(figures.lastYearWages));
    const std::optional<UnitRegistration> r = loadRegistration(session_.db());
    if (!r)
        return;
    name_->setText(r->name);
    for (int i = 0; i < 9; ++i)
        code_[i]->setText(r->code.mid(i, 1));
    (r->type == unit::OrganType ? organ_ : enterprise_)->setChecked(true);
    if (r->unitClass == unit::ClassOther) {
        classGroup_->button(ClassOther)->setChecked(true);
    } else if (r->unitClass == unit::ClassIndustrial) {
        classGroup_->button(ClassIndustrial)->setChecked(true);
    } else {
        classGroup_->button(ClassConstruction)->setChecked(true);
        qualification_->setCurrentText(r->unitClass == unit::ClassGeneralContractor
                                           ? unit::QualificationGeneral
                                           : unit::QualificationLabour);
    }
    if (r->createMon != unit::ExistedAllYear) {
        isNew_->setChecked(true);
        foundingMonth_->setCurrentIndex(r->createMon.toInt());
    } else {
        notNew_->setChecked(true);
    }
}

void UnitInfoWindow::typeChosen(bool organ)
{
    if (!organ)
        return;
    classGroup_->button(ClassOther)->setChecked(true);
    notNew_->setChecked(true);
}

void UnitInfoWindow::classChosen(int choice)
{
    if (organ_->isChecked() && choice != ClassOther) {
        prompt().info(this, choice == ClassConstruction
                                ? QStringLiteral("机关单位，不可能是资质建筑业单位！")
                                : QStringLiteral("机关单位，不可能是规模以上工业单位！"));
        classGroup_->button(ClassOther)->setChecked(true);
        return;
    }
    const bool construction = choice == ClassConstruction;
    qualification_->setEnabled(construction);
    if (construction)
        qualification_->setCurrentIndex(0);
}

void UnitInfoWindow::foundedChosen(bool newlyFounded)
{
    foundingMonth_->setEnabled(newlyFounded);
}

void UnitInfoWindow::codeBoxEdited(int box)
{
    QLineEdit* edit = code_[box];
    QString text = edit->text().trimmed();
    for (QChar c : text) {
        if (!isUnitCodeChar(c)) {
            prompt().info(this, QStringLiteral("非法字符"));
            return;
        }
    }
    // The upper-cased letter still moves on, so that a code is typed in one run.
    if (!text.isEmpty() && text.back().isLower()) {
        text = normalizeUnitCode(text.right(1));
        edit->setText(text);
    }
    if (text.size() == 1 && box < 8)
        code_[box + 1]->setFocus();
}

void UnitInfoWindow::save()
{
    UnitRegistration r;
    r.type = organ_->isChecked() ? unit::OrganType : unit::EnterpriseType;
    r.unitClass = unitClassFor(static_cast<UnitClassChoice>(
                                   classGroup_->checkedId() == ClassConstruction
                                       ? int(UnitClassChoice::Construction)
                                   : classGroup_->checkedId() == ClassIndustrial
                                       ? int(UnitClassChoice::Industrial)
                                       : int(UnitClassChoice::Other)),
                               qualification_->currentText());
    const int month = foundingMonth_->currentIndex();
    r.createMon = isNew_->isChecked() ? (month < 0 ? QString() : createMonFor(month + 1))
                                      : unit::ExistedAllYear;
    r.name = name_->text().trimmed();
    for (QLineEdit* box : code_)
        r.code += box->text().trimmed();

    const TypedUnitFigures figures{minWage_->text(), lastYearHeads_->text(), lastYearWages_->text()};
    QString refusal = validateRegistration(r);
    if (refusal.isEmpty())
        refusal = unitFiguresRefusal(figures);
    if (!refusal.isEmpty()) {
        prompt().info(this, refusal);
        return;
    }
    if (pendingSaveKind(session_.db()) == SaveKind::FirstRegistration) {
        saveUnitInfo(session_.db(), r, figures);
        prompt().info(this, QStringLiteral("保存成功！"));
    } else {
        if (!prompt().ask(this, QStringLiteral("是否要进行修改?")))
            return;
        saveUnitInfo(session_.db(), r, figures);
    }
    emit saved();
    accept();
}

void UnitInfoWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
            button->click();
            return;
        }
        focusNextChild();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool UnitInfoWindow::eventFilter(QObject* watched, QEvent* event)
{
    // A code box is taken whole when clicked, so that typing replaces its character.
    if (event->type() == QEvent::FocusIn)
        if (auto* edit = qobject_cast<QLineEdit*>(watched))
            QTimer::singleShot(0, edit, &QLineEdit::selectAll);
    return QDialog::eventFilter(watched, event);
}

}  // namespace vel::gui
