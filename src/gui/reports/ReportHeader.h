#pragma once

#include <QStringList>

class QVBoxLayout;
class QWidget;

namespace vel::gui {

// The form's title with the unit lines on the left and the form's registration texts on the
// right, above a report sheet.
void addReportHeader(QVBoxLayout* area, QWidget* parent, const QStringList& unitLines,
                     const QStringList& formLines,
                     const QString& title = QStringLiteral("从业人员及工资总额"));

}  // namespace vel::gui
