#include "GuiTest.h"

#include <QApplication>
#include <QTest>

#include <cstdio>
#include <map>
#include <string>

namespace {

std::map<std::string, vel::test::GuiTestFactory>& tests()
{
    static std::map<std::string, vel::test::GuiTestFactory> all;
    return all;
}

}  // namespace

bool vel::test::registerGuiTest(const char* name, GuiTestFactory make)
{
    tests()[name] = make;
    return true;
}

// `gui_tests CLASS [QtTest options]` runs one class as QTEST_MAIN would; without a known class
// it lists them and fails.
int main(int argc, char** argv)
{
    if (argc < 2 || tests().count(argv[1]) == 0) {
        std::fprintf(stderr, "usage: %s CLASS [QtTest options]; classes:\n", argv[0]);
        for (const auto& entry : tests())
            std::fprintf(stderr, "  %s\n", entry.first.c_str());
        return 2;
    }
    const std::string name = argv[1];
    // QtTest reads its own options; the class name is ours.
    argv[1] = argv[0];
    int qtArgc = argc - 1;
    char** qtArgv = argv + 1;
    QApplication app(qtArgc, qtArgv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    const std::unique_ptr<QObject> test = tests()[name]();
    return QTest::qExec(test.get(), qtArgc, qtArgv);
}
