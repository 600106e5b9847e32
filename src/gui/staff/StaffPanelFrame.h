#pragma once

#include <QString>

#include <initializer_list>

class QHBoxLayout;
class QLabel;
class QPushButton;
class QWidget;

namespace vel {
class Session;
}

namespace vel::gui {

// The title and the two unit lines above a roster sheet ("单位名称：", "单位法人代码：").
QWidget* staffPanelHeader(Session& session, const QString& title, QWidget* parent,
                          QLabel** titleLabel = nullptr);

// Buttons in a row, right-aligned.
QHBoxLayout* buttonRow(std::initializer_list<QPushButton*> buttons);

}  // namespace vel::gui
