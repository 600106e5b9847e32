#include "StaffPanelFrame.h"

#include "Session.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vel::gui {

QWidget* staffPanelHeader(Session& session, const QString& title, QWidget* parent,
                          QLabel** titleLabel)
{
    auto* header = new QWidget(parent);
    auto* title_ = new QLabel(title, header);
    title_->setObjectName("title");
    title_->setAlignment(Qt::AlignCenter);
    QFont f = title_->font();
    f.setPointSize(f.pointSize() + 5);
    f.setBold(true);
    title_->setFont(f);
    if (titleLabel)
        *titleLabel = title_;

    const std::optional<UnitRegistration> r = loadRegistration(session.db());
    auto* name = new QLabel(QStringLiteral("单位名称：") + (r ? r->name : QString()) + " ", header);
    name->setObjectName("unitName");
    auto* number =
        new QLabel(QStringLiteral("单位法人代码：") + (r ? r->code : QString()) + " ", header);
    number->setObjectName("unitCode");
    auto* unitLine = new QHBoxLayout;
    unitLine->addWidget(name);
    unitLine->addStretch();
    unitLine->addWidget(number);

    auto* layout = new QVBoxLayout(header);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(title_);
    layout->addLayout(unitLine);
    return header;
}

QHBoxLayout* buttonRow(std::initializer_list<QPushButton*> buttons)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* b : buttons) {
        b->setAutoDefault(false);
        row->addWidget(b);
    }
    return row;
}

}  // namespace vel::gui
