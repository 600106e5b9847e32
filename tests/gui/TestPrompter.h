#pragma once

#include "Prompter.h"

#include <QStringList>

// Records every message box and answers questions from a script, so windows run unattended.
class TestPrompter : public vel::gui::Prompter {
public:
    TestPrompter() { install(this); }
    ~TestPrompter() override { install(nullptr); }

    void info(QWidget*, const QString& text) override { shown << text; }
    bool confirm(QWidget*, const QString& text) override
    {
        shown << text;
        return answer;
    }
    bool ask(QWidget*, const QString& text) override
    {
        shown << text;
        return answer;
    }
    void error(QWidget*, const QString& text) override { shown << "ERROR: " + text; }

    QStringList shown;
    bool answer = true;
};
