#pragma once

#include <QObject>

#include <memory>

// Every window test class is linked into one program (one link instead of one per class); ctest
// runs each class as a test of its own: `gui_tests CLASS [QtTest options]`.
namespace vel::test {

using GuiTestFactory = std::unique_ptr<QObject> (*)();

// Makes the class known to the program under its name; true, for a static initializer.
bool registerGuiTest(const char* name, GuiTestFactory make);

}  // namespace vel::test

// In place of QTEST_MAIN, at the end of a test's file.
#define VEL_GUI_TEST(Class)                                                              \
    static const bool Class##Registered = vel::test::registerGuiTest(                    \
        #Class, [] { return std::unique_ptr<QObject>(new Class); });
