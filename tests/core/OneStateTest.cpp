#include "ReportFixture.h"
#include "RosterImport.h"
#include "Errors.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

using namespace vel;

namespace {

// A works of 300: in the second version of March's roster every third person on post has gone
// over to dispatch, so the head counts by status and the wages counted under each both move.
std::vector<roster_import::Person> march(bool moved)
{
    std::vector<roster_import::Person> people;
    for (int i = 0; i < 300; ++i) {
        QString role = i % 7 == 6 ? QStringLiteral("其他从业人员") : QStringLiteral("在岗职工");
        if (moved && i % 3 == 0 && i % 7 != 6)
            role = QStringLiteral("劳务派遣人员");
        people.push_back({QStringLiteral("职工%1").arg(i), QString::number(2000 + i), role});
    }
    return people;
}

void payQuarter(Db& db)
{
    Transaction tx(db);
    Statement pay(db, "INSERT INTO Wage_Info (sNumber, sName, sMon, sN1, sN2, sTotal, sFlag, wFlag)"
                      " VALUES (?, ?, ?, ?, ?, ?, '1', '1')");
    for (long long month = 1; month <= 3; ++month)
        for (int i = 0; i < 300; ++i) {
            const double basic = 2600 + 37 * (i % 40);
            const double performance = month == 3 ? 1250.5 + 3 * i : 310.25 + (i % 9) * 20;
            pay.run({QString::number(2000 + i), QStringLiteral("职工%1").arg(i), month, basic,
                     performance, basic + performance});
        }
    tx.commit();
}

// The stored row of the quarterly form, as text.
QString storedQuarter(Db& db)
{
    Query q(db, "SELECT * FROM JGLabor_info");
    if (!q.next())
        return {};
    QStringList figures;
    for (const char* c : {"I01", "I05", "I06", "I07", "I08", "I09", "I10", "I11", "I12", "I13",
                          "I18", "I19", "I20", "I21", "I22", "I23"})
        figures << q.text(c);
    return figures.join(' ');
}

QString computeQuarter(Session& s)
{
    report_fixture::FormUnderTest form(s, "quarterly", FormPeriod::ofQuarter(1));
    if (!form.check().passed)
        return QStringLiteral("refused");
    // Halfway, between the head counts and the wages, the window shows its progress; on a busy
    // machine that takes a while, which is when another program's commit could slip in.
    const CheckOutcome out = form.computeAndStore([](int percent) {
        if (percent == 50)
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
    });
    return out.passed ? storedQuarter(s.db()) : QStringLiteral("refused: ") + out.messages.join(' ');
}

}  // namespace

// The quarterly form computed again and again while another connection imports March's roster in
// its two versions by turns: every stored row is the one of a whole version, never figures of
// both; the import waits for the form or the form for the import.
TEST(OneState, AFormComputedDuringARosterImportStoresTheFiguresOfOneState)
{
    QTemporaryDir folder;
    QTemporaryDir files;
    QTemporaryDir writerFiles;
    Session reader{WorkFolder(folder.path())};
    report_fixture::registerUnit(reader, unit::EnterpriseType, QStringLiteral("否"));
    for (int month = 0; month <= 3; ++month)
        roster_import::importRoster(reader, files.path(), month, march(false));
    payQuarter(reader.db());
    const QString before = computeQuarter(reader);
    roster_import::importRoster(reader, files.path(), 3, march(true));
    const QString after = computeQuarter(reader);
    ASSERT_NE(before, after);
    ASSERT_FALSE(before.startsWith("refused")) << before.toStdString();
    ASSERT_FALSE(after.startsWith("refused")) << after.toStdString();

    constexpr int Rounds = 40;
    std::atomic<bool> done{false};
    QStringList importFailures;
    std::thread importer([&] {
        Session writer{WorkFolder(folder.path())};
        writer.unitRegistered();
        for (int round = 0; round < Rounds; ++round) {
            try {
                roster_import::importRoster(writer, writerFiles.path(), 3, march(round % 2 == 0));
            } catch (const Error& e) {
                importFailures << e.message();
            }
        }
        done = true;
    });
    QStringList torn;
    int rounds = 0;
    while (!done || rounds < Rounds) {
        const QString stored = computeQuarter(reader);
        ++rounds;
        if (stored != before && stored != after)
            torn << stored;
        // The clerk reads the form before opening the next.
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
    }
    importer.join();
    // An import that met the form waited for it; one that waited too long was refused in words.
    for (const QString& failure : importFailures)
        EXPECT_TRUE(failure.contains("正被另一个程序使用")) << failure.toStdString();
    EXPECT_LT(importFailures.size(), Rounds / 4) << importFailures.join('\n').toStdString();
    EXPECT_TRUE(torn.isEmpty()) << torn.size() << " of " << rounds << " rounds, first: "
                                << torn.value(0).toStdString() << "\nbefore: "
                                << before.toStdString() << "\nafter: " << after.toStdString();
}
