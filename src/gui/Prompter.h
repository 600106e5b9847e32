#pragma once

#include <QString>

class QWidget;

namespace vel::gui {

// Every message box the windows show goes through here, so that tests can answer them.
class Prompter {
public:
    virtual ~Prompter() = default;
    // Information box with an OK button.
    virtual void info(QWidget* parent, const QString& text) = 0;
    // Confirmation box whose only button is Yes; true when it was answered Yes.
    virtual bool confirm(QWidget* parent, const QString& text) = 0;
    // Question with Yes and No, No the default (a Yes here overwrites or discards); true for Yes.
    virtual bool ask(QWidget* parent, const QString& text) = 0;
    // The standard error box.
    virtual void error(QWidget* parent, const QString& text) = 0;

    static Prompter& current();
    // Replaces the message boxes (tests); nullptr restores them.
    static void install(Prompter* prompter);
};

inline Prompter& prompt() { return Prompter::current(); }

}  // namespace vel::gui
