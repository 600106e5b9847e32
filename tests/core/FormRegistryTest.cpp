// The form registry as the rest of the program relies on it, the README's list of the form
// commands written from it, and the golden runs that cover every form.

#include "reports/Forms.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>

#include <algorithm>
#include <set>

using namespace vel;

namespace {

QString goldenText(const char* name)
{
    QFile file(QStringLiteral(VEL_FIXTURES_DIR "/golden/") + name);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

bool takes(const FormDefinition& form, PeriodKind kind)
{
    return std::find(form.periods.begin(), form.periods.end(), kind) != form.periods.end();
}

// The README's line for a form command: its period options, then the files it may write.
QString usageLine(const FormDefinition& form)
{
    QString line = QStringLiteral("    build/src/cli/veldrassa-cli [--data-dir DIR] report ") + form.command;
    const bool quarter = takes(form, PeriodKind::Quarter);
    const bool range = takes(form, PeriodKind::MonthRange);
    if (quarter && range)
        line += QStringLiteral(" (--quarter Q | --from F --to T)");
    else if (quarter)
        line += QStringLiteral(" --quarter Q");
    else if (range)
        line += QStringLiteral(" --from F --to T");
    if (form.storedCopyRows() > 0)
        line += QStringLiteral(" [--reuse]");
    return line + QStringLiteral(" [--xlsx] [--pdf] [--dbf] [--yes]");
}

}  // namespace

// Each command names one form for either kind of unit, and every entry and button its own action.
TEST(FormRegistry, CommandsAndEntriesNameOneThingEach)
{
    ASSERT_FALSE(forms().empty());
    for (const QString& command : formCommands())
        for (bool organ : {false, true})
            EXPECT_NE(formFor(command, organ), nullptr) << command.toStdString() << organ;
    std::set<QString> names;
    for (const FormDefinition* form : forms()) {
        for (const FormMenu& menu : form->menus)
            for (const FormEntry& entry : menu.entries)
                EXPECT_TRUE(names.insert(entry.name).second) << entry.name.toStdString();
        if (form->toolButton)
            EXPECT_TRUE(names.insert(form->toolButton->name).second);
    }
    EXPECT_NO_THROW(formTables());
}

// The README lists every form command as the registry gives it. VEL_README_UPDATE=1 writes the
// list into the README instead.
TEST(FormRegistry, ReadmeListsEveryFormCommand)
{
    QStringList expected;
    for (const QString& command : formCommands())
        expected << usageLine(*formFor(command, false));

    QFile file(QStringLiteral(VEL_SOURCE_DIR "/../README.md"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    file.close();
    const auto isReport = [](const QString& line) {
        return line.contains(QStringLiteral("veldrassa-cli [--data-dir DIR] report "));
    };
    // The list is one run of lines, a line ending in "\\" continued on the next.
    const auto first = std::find_if(lines.begin(), lines.end(), isReport);
    ASSERT_NE(first, lines.end());
    auto last = first;
    while (last != lines.end() && (isReport(*last) || last[-1].endsWith('\\')))
        ++last;
    EXPECT_EQ(std::find_if(last, lines.end(), isReport), lines.end())
        << "a form command is listed apart from the others";
    const QStringList listed(first, last);
    if (qEnvironmentVariable("VEL_README_UPDATE") == "1" && listed != expected) {
        const int at = static_cast<int>(first - lines.begin());
        lines.erase(first, last);
        for (int i = 0; i < expected.size(); ++i)
            lines.insert(at + i, expected[i]);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(lines.join('\n').toUtf8());
        return;
    }
    EXPECT_EQ(listed.join('\n').toStdString(), expected.join('\n').toStdString())
        << "run the test with VEL_README_UPDATE=1 to write the list";
}

// A form the golden drivers (tests/cli/forms_golden.sh, tests/gui/FormWindowsGoldenTest.cpp) do
// not run goes unguarded: each command must be run on each made-up year, and each menu entry and
// tool button triggered.
TEST(FormRegistry, GoldenRunsCoverEveryForm)
{
    const QString windows = goldenText("windows.txt");
    ASSERT_FALSE(windows.isEmpty());
    for (const FormDefinition* form : forms()) {
        QStringList names;
        for (const FormMenu& menu : form->menus)
            for (const FormEntry& entry : menu.entries)
                names << entry.name;
        if (form->toolButton)
            names << form->toolButton->name;
        for (const QString& name : names)
            EXPECT_TRUE(windows.contains(QStringLiteral("\nentry ") + name + '\n'))
                << name.toStdString() << " is not triggered in windows.txt";
    }
    for (const char* year : {"construction.txt", "other.txt", "organ.txt"}) {
        const QString text = goldenText(year);
        ASSERT_FALSE(text.isEmpty()) << year;
        for (const QString& command : formCommands())
            EXPECT_TRUE(text.contains(QStringLiteral("\n$ report ") + command + ' '))
                << command.toStdString() << " is not run in " << year;
    }
    const QString usage = goldenText("usage.txt");
    for (const QString& command : formCommands())
        EXPECT_TRUE(usage.contains(QStringLiteral("$ report ") + command + QStringLiteral(" --help")))
            << command.toStdString() << "'s help is not in usage.txt";
}
