#include "PersonEntryForm.h"

#include "Prompter.h"
#include "db/CodeLists.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace vel::gui {
namespace {

using F = PersonField;

// Object names of the fields, in PersonField order; tests find the fields by them.
const char* const FieldNames[PersonFieldCount] = {
    "name",     "number",   "sex",      "birthYear",   "birthMonth", "edu",       "nation",
    "party",    "works",    "work",     "position",    "post",       "grade",     "gradeJn",
    "role",     "fullTime", "engineer", "constructor", "siteWorker", "production"};

const char* const FieldLabels[PersonFieldCount] = {
    "姓名 *", "姓名编号 *", "性别 *", "出生年 *", "月： *", "学历 *", "是否少数民族 *",
    "是否党员 *", "参加工作年限 *", "本岗位工作年限 *", "现任职务（岗位）", "岗位名称 *",
    "国家评定的专业技术资格", "国家评定的技能等级", "用工身份 *", "全日制用工 *",
    "工程技术人员", "一级建造师", "现场施工人员", "是否直接从事生产经营活动"};

const QColor FailedFill(255, 200, 200);

// The fields whose check runs on leaving them, beside the two years boxes.
bool checkedOnLeaving(F f)
{
    return f != F::Name && f != F::Number && f != F::Position && f != F::BirthMonth;
}

QString textOf(const QWidget* w)
{
    if (const auto* box = qobject_cast<const QLineEdit*>(w))
        return box->text();
    return static_cast<const QComboBox*>(w)->currentText();
}

void setTextOf(QWidget* w, const QString& text)
{
    if (auto* box = qobject_cast<QLineEdit*>(w)) {
        box->setText(text);
        return;
    }
    auto* combo = static_cast<QComboBox*>(w);
    const int index = combo->findText(text);
    combo->setCurrentIndex(index);
    if (index < 0 && combo->isEditable())
        combo->setEditText(text);
}

}  // namespace

PersonEntryForm::PersonEntryForm(const CodeLists& codes, StaffClass staffClass, QWidget* parent)
    : QWidget(parent), codes_(codes), class_(staffClass)
{
    auto* grid = new QGridLayout;
    const auto label = [this](F f) {
        auto* l = new QLabel(QString::fromUtf8(FieldLabels[static_cast<int>(f)]), this);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return l;
    };
    // Two fields a row, in the order the focus walks them.
    int slot = 0;
    const auto place = [&](F f, QLayoutItem* item) {
        const int row = slot / 2;
        const int col = (slot % 2) * 2;
        grid->addWidget(label(f), row, col);
        grid->addItem(item, row, col + 1);
        ++slot;
    };
    const auto placeWidget = [&](F f, QWidget* w) { place(f, new QWidgetItem(w)); };

    placeWidget(F::Name, addBox(this, F::Name));
    auto* numberRow = new QHBoxLayout;
    numberRow->addWidget(addBox(this, F::Number));
    numberRow->addWidget(new QLabel(QStringLiteral("(数字编号)"), this));
    place(F::Number, numberRow);
    placeWidget(F::Sex, addChoice(this, F::Sex));
    auto* birthRow = new QHBoxLayout;
    QComboBox* year = addChoice(this, F::BirthYear);
    year->lineEdit()->setMaxLength(4);
    birthRow->addWidget(year, 1);
    birthRow->addWidget(label(F::BirthMonth));
    birthRow->addWidget(addChoice(this, F::BirthMonth, false));
    place(F::BirthYear, birthRow);
    placeWidget(F::Edu, addChoice(this, F::Edu));
    placeWidget(F::Nation, addChoice(this, F::Nation));
    placeWidget(F::Party, addChoice(this, F::Party));
    placeWidget(F::Works, addBox(this, F::Works, 5));
    placeWidget(F::Work, addBox(this, F::Work, 5));
    addBox(this, F::Position)->hide();
    placeWidget(F::Post, addChoice(this, F::Post));
    placeWidget(F::Grade, addChoice(this, F::Grade));
    placeWidget(F::GradeJn, addChoice(this, F::GradeJn));
    placeWidget(F::Role, addChoice(this, F::Role));
    placeWidget(F::FullTime, addChoice(this, F::FullTime));

    construction_ = new QGroupBox(this);
    construction_->setObjectName("construction");
    auto* groupGrid = new QGridLayout(construction_);
    const F group[] = {F::Engineer, F::Constructor, F::SiteWorker, F::Production};
    const bool allAsked = class_ == StaffClass::Construction;
    for (int i = 0; i < 4; ++i) {
        const F f = group[i];
        QLabel* l = label(f);
        l->setParent(construction_);
        if (allAsked)
            l->setText(l->text() + QStringLiteral(" *"));
        QComboBox* combo = addChoice(construction_, f);
        groupGrid->addWidget(l, i / 2, (i % 2) * 2);
        groupGrid->addWidget(combo, i / 2, (i % 2) * 2 + 1);
        l->setVisible(fieldAsked(f, class_));
        combo->setVisible(fieldAsked(f, class_));
    }
    construction_->setVisible(fieldAsked(F::Production, class_));

    add_ = addButton(QStringLiteral("增加"), "add");
    modify_ = addButton(QStringLiteral("修改"), "modify");
    modify_->hide();
    QPushButton* cancel = addButton(QStringLiteral("取消"), "cancel");
    QPushButton* close = addButton(QStringLiteral("关闭"), "close");
    auto* all = new QPushButton(QStringLiteral("查看全部信息"), this);
    all->setObjectName("showAll");
    all->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {add_, modify_, cancel, close, all})
        buttons->addWidget(b);
    connect(add_, &QPushButton::clicked, this, &PersonEntryForm::addClicked);
    connect(modify_, &QPushButton::clicked, this, &PersonEntryForm::modifyClicked);
    connect(cancel, &QPushButton::clicked, this,
            [this] { emptyAfter(PersonFormCommand::Cancel); });
    connect(close, &QPushButton::clicked, this, &PersonEntryForm::closeClicked);
    connect(all, &QPushButton::clicked, this, &PersonEntryForm::showAllClicked);

    auto* note = new QLabel(QStringLiteral("注：标*为必填项"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(construction_);
    layout->addWidget(note);
    layout->addStretch();
    layout->addLayout(buttons);
}

QComboBox* PersonEntryForm::addChoice(QWidget* parent, PersonField f, bool editable)
{
    auto* combo = new QComboBox(parent);
    combo->setEditable(editable);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMinimumWidth(150);
    combo->setObjectName(FieldNames[static_cast<int>(f)]);
    fields_[static_cast<size_t>(f)] = combo;
    combo->installEventFilter(this);
    enterMoves_.push_back(combo);
    return combo;
}

QLineEdit* PersonEntryForm::addBox(QWidget* parent, PersonField f, int maxLength)
{
    auto* box = new QLineEdit(parent);
    if (maxLength > 0)
        box->setMaxLength(maxLength);
    box->setObjectName(FieldNames[static_cast<int>(f)]);
    fields_[static_cast<size_t>(f)] = box;
    box->installEventFilter(this);
    enterMoves_.push_back(box);
    return box;
}

// The four command buttons take Enter as the fields do: it moves on rather than pressing them.
QPushButton* PersonEntryForm::addButton(const QString& caption, const char* name)
{
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->installEventFilter(this);
    enterMoves_.push_back(b);
    return b;
}

// Every list starts with nothing chosen: a preselected answer is one a hurried clerk stores
// without having given it.
void PersonEntryForm::fillChoices()
{
    for (int i = 0; i < PersonFieldCount; ++i) {
        auto* combo = qobject_cast<QComboBox*>(fields_[static_cast<size_t>(i)]);
        if (!combo)
            continue;
        combo->clear();
        combo->addItems(personChoices(static_cast<F>(i), codes_));
        empty({static_cast<F>(i)});
    }
}

PersonRecord PersonEntryForm::gathered() const
{
    PersonRecord r;
    for (int i = 0; i < PersonFieldCount; ++i)
        fieldText(r, static_cast<F>(i)) = textOf(fields_[static_cast<size_t>(i)]);
    return r;
}

void PersonEntryForm::showForCorrection(const PersonRecord& r)
{
    add_->hide();
    modify_->show();
    clearMarks();
    for (int i = 0; i < PersonFieldCount; ++i)
        setTextOf(fields_[static_cast<size_t>(i)], fieldText(r, static_cast<F>(i)));
    for (F f : {F::Sex, F::Edu, F::Post, F::Grade, F::GradeJn, F::BirthYear})
        fieldLeft(f);
}

void PersonEntryForm::endCorrection()
{
    add_->show();
    modify_->hide();
}

void PersonEntryForm::emptyAfter(PersonFormCommand command)
{
    empty(fieldsEmptiedBy(command));
    clearMarks();
}

void PersonEntryForm::focusName()
{
    field(F::Name)->setFocus();
}

void PersonEntryForm::empty(const std::vector<PersonField>& fields)
{
    for (F f : fields) {
        if (auto* box = qobject_cast<QLineEdit*>(field(f))) {
            box->clear();
        } else {
            auto* combo = static_cast<QComboBox*>(field(f));
            combo->setCurrentIndex(-1);
            combo->clearEditText();
        }
    }
}

void PersonEntryForm::mark(PersonField f, bool failed)
{
    QWidget* w = field(f);
    w->setProperty("failed", failed);
    QPalette p;
    if (failed) {
        p.setColor(QPalette::Base, FailedFill);
        p.setColor(QPalette::Button, FailedFill);
    }
    w->setPalette(p);
}

void PersonEntryForm::clearMarks()
{
    for (int i = 0; i < PersonFieldCount; ++i)
        mark(static_cast<F>(i), false);
}

// Every field is checked again before a store, not only the one left last: a red field
// must never reach the roster as a passed record.
bool PersonEntryForm::checkedForStore()
{
    const PersonRecord r = gathered();
    const std::vector<F> failed = failedFields(r, codes_, class_);
    for (int i = 0; i < PersonFieldCount; ++i)
        mark(static_cast<F>(i), std::find(failed.begin(), failed.end(), static_cast<F>(i)) !=
                                    failed.end());
    if (!failed.empty()) {
        prompt().info(this, person::ErrorsInRed);
        return false;
    }
    const QString missing = missingFieldsMessage(r, class_);
    if (!missing.isEmpty()) {
        prompt().info(this, missing);
        return false;
    }
    return true;
}

void PersonEntryForm::fieldLeft(PersonField f)
{
    if (f == F::Works || f == F::Work) {
        yearsLeft(f);
        return;
    }
    const QString text = textOf(field(f));
    if (f == F::BirthYear) {
        const BirthYearCheck check = checkBirthYear(text);
        mark(f, !check.ok);
        if (!check.message.isEmpty())
            prompt().info(this, check.message);
        return;
    }
    mark(f, !choiceOk(f, text, codes_));
}

void PersonEntryForm::yearsLeft(PersonField f)
{
    const F other = f == F::Works ? F::Work : F::Works;
    switch (checkYears(textOf(field(F::Works)), textOf(field(F::Work)), f)) {
    case YearsCheck::Incomplete:
        mark(f, false);
        break;
    case YearsCheck::Consistent:
        mark(f, false);
        mark(other, false);
        break;
    case YearsCheck::PostExceedsWork:
        mark(f, true);
        mark(other, true);
        break;
    case YearsCheck::NotANumber: {
        mark(f, true);
        prompt().confirm(this, person::ErrorsInRed);
        QWidget* box = field(f);
        QTimer::singleShot(0, box, [box] { box->setFocus(); });
        break;
    }
    }
}

bool PersonEntryForm::eventFilter(QObject* watched, QEvent* event)
{
    auto* w = static_cast<QWidget*>(watched);
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
            std::find(enterMoves_.begin(), enterMoves_.end(), w) != enterMoves_.end()) {
            focusNextChild();
            return true;
        }
    } else if (event->type() == QEvent::FocusOut) {
        // Opening a drop-down or a message box is not leaving the field.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const auto at = std::find(fields_.begin(), fields_.end(), w);
        if (at != fields_.end() && reason != Qt::PopupFocusReason &&
            reason != Qt::ActiveWindowFocusReason) {
            const F f = static_cast<F>(at - fields_.begin());
            if (checkedOnLeaving(f))
                fieldLeft(f);
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace vel::gui
