#include "ReportHeader.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace vel::gui {

void addReportHeader(QVBoxLayout* area, QWidget* parent, const QStringList& unitLines,
                     const QStringList& formLines, const QString& titleText)
{
    auto* title = new QLabel(titleText, parent);
    title->setObjectName("title");
    title->setAlignment(Qt::AlignCenter);
    QFont f = title->font();
    f.setPointSize(f.pointSize() + 6);
    f.setBold(true);
    title->setFont(f);
    area->addWidget(title);

    auto* lines = new QGridLayout;
    for (int i = 0; i < unitLines.size(); ++i)
        lines->addWidget(new QLabel(unitLines[i], parent), i, 0, Qt::AlignLeft);
    for (int i = 0; i < formLines.size(); ++i)
        lines->addWidget(new QLabel(formLines[i], parent), i, 1, Qt::AlignRight);
    area->addLayout(lines);
}

}  // namespace vel::gui
