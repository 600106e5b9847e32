#pragma once

#include <QString>

class QWidget;

namespace vel::gui::help {

inline const QString FillingInstructions = QStringLiteral("填写说明及指标解释");
inline const QString UserManual = QStringLiteral("Veldrassa说明");

// Opens the help document of that name from the HLP folder installed beside the program.
// A missing document is passed over silently, as the menu has always done.
void open(QWidget* parent, const QString& baseName);

}  // namespace vel::gui::help
