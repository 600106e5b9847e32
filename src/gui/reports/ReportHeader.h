#pragma once

#include <QStringList>

class QVBoxLayout;
class QWidget;

namespace vel::gui {

// The form's title with the unit lines on the left and the form's registration texts on the
// right, above a report sheet.
void addReportHeader(QVBoxLayout* area, QWidget* parent, const QString& title,
                     const QStringList& unitLines, const QStringList& formLines);

}  // namespace vel::gui
