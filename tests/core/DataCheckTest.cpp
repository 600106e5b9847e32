#include "CheckYear.h"
#include "PythonReader.h"
#include "TestSession.h"
#include "checks/CheckNotes.h"
#include "checks/DataCheck.h"
#include "checks/NotesFile.h"
#include "output/DbfWriter.h"
#include "reports/FormRun.h"
#include "reports/Forms.h"
#include "unit/UnitFigures.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QStringDecoder>

#include <functional>
#include <set>
#include <string>

using namespace vel;

namespace {

constexpr int People = 50;

using check_year::Found;
using check_year::found;

struct SteadyYear {
    TestSession s;
    SteadyYear()
    {
        check_year::registerUnit(*s);
        check_year::fill(s.db(), People);
    }
    Db& db() { return s.db(); }
    void setWage(int month, int i, const SqlValue& n1, const SqlValue& n2, double total)
    {
        db().exec("UPDATE Wage_Info SET sN1 = ?, sN2 = ?, sTotal = ? WHERE sMon = ? AND sNumber = ?",
                  {n1, n2, total, static_cast<long long>(month), check_year::number(i)});
    }
    void setAllWages(int month, double total)
    {
        db().exec("UPDATE Wage_Info SET sN1 = ? - 500, sTotal = ? WHERE sMon = ?",
                  {total, total, static_cast<long long>(month)});
    }
    // Drops the persons i >= keep from the month's roster and wages.
    void keep(int month, int keep)
    {
        for (const char* table : {"Staff_moninfo", "Wage_Info"})
            db().exec(std::string("DELETE FROM ") + table +
                          " WHERE sMon = ? AND CAST(sNumber AS INTEGER) >= ?",
                      {static_cast<long long>(month), static_cast<long long>(1000 + keep)});
    }
    // Adds `more` persons to the month's roster and wages, from number 5000 on.
    void add(int month, int more)
    {
        for (int i = 0; i < more; ++i)
            person(month, QString::number(6000 + i), QStringLiteral("新人%1").arg(i),
                   QStringLiteral("1990-01"));
    }
    void rename(int fromMonth, int i, const QString& name)
    {
        db().exec("UPDATE Staff_moninfo SET sName = ? WHERE sMon >= ? AND sNumber = ?",
                  {name, static_cast<long long>(fromMonth), check_year::number(i)});
    }
    // One more person in the month, paid as the others.
    void person(int month, const QString& number, const QString& name, const QString& birth)
    {
        db().exec("INSERT INTO Staff_moninfo (sName, sNumber, sMon, sIsok, ssf, sqrz, sBirth)"
                  " VALUES (?, ?, ?, '1', 1, 1, ?)",
                  {name, number, static_cast<long long>(month), birth});
        db().exec("INSERT INTO Wage_Info (sNumber, sName, sMon, sN1, sN2, sTotal, sFlag, wFlag)"
                  " VALUES (?, ?, ?, 3500, 500, 4000, '1', '1')",
                  {number, name, static_cast<long long>(month)});
    }
};

struct MonthCase {
    const char* what;
    std::function<void(SteadyYear&)> change;
    Found expected;
};

}  // namespace

TEST(DataCheck, MonthRulesFireWhereTheyMustAndStaySilentAtTheirLimits)
{
    const MonthCase cases[] = {
        {"steady year", [](SteadyYear&) {}, {}},
        // E05: at or below half of the month before; W01 then flags the month it comes back.
        {"roster cut to 24 of 50", [](SteadyYear& y) { y.keep(7, 24); }, {"E05 7", "W01 8"}},
        {"roster of exactly half", [](SteadyYear& y) { y.keep(7, 25); }, {"E05 7", "W01 8"}},
        {"roster of 26 of 50", [](SteadyYear& y) { y.keep(7, 26); }, {"W01 7", "W01 8"}},
        // E10: a month's roster missing between the first and the last month entered.
        {"an empty month before the last", [](SteadyYear& y) { y.keep(4, 0); }, {"E10 4"}},
        {"a month's roster missing",
         [](SteadyYear& y) { y.db().exec("DELETE FROM Staff_moninfo WHERE sMon = 4"); },
         {"E10 4"}},
        {"December's wages not entered yet",
         [](SteadyYear& y) { y.db().exec("DELETE FROM Wage_Info WHERE sMon = 12"); },
         {}},
        // E06, E07: roster and wages of a month disagree.
        {"a person on July's roster without a wage row",
         [](SteadyYear& y) { y.db().exec("DELETE FROM Wage_Info WHERE sMon = 7 AND sNumber = '1003'"); },
         {"E06 7/1003"}},
        {"a wage row of nobody on May's roster",
         [](SteadyYear& y) {
             y.db().exec("INSERT INTO Wage_Info (sNumber, sName, sMon, sN1, sTotal, sFlag, wFlag)"
                         " VALUES ('9999', '外人', 5, 4000, 4000, '1', '1')");
         },
         {"E07 5"}},
        // E08, E09: rows that failed their checks in any month a form reads.
        {"an opening roster row failed",
         [](SteadyYear& y) { y.db().exec("UPDATE Staff_moninfo SET sIsok = '0' WHERE sMon = 0 AND sNumber = '1002'"); },
         {"E08 0"}},
        {"a wage row flagged",
         [](SteadyYear& y) { y.db().exec("UPDATE Wage_Info SET wFlag = '0' WHERE sMon = 4 AND sNumber = '1002'"); },
         {"E09 4"}},
        {"a wage total flagged",
         [](SteadyYear& y) { y.db().exec("UPDATE Wage_Info SET sFlag = '0' WHERE sMon = 4 AND sNumber = '1002'"); },
         {"E09 4"}},
        // W01: at least 10 % and at least 5 persons.
        {"5 more persons, exactly 10 %", [](SteadyYear& y) { y.add(12, 5); }, {"W01 12"}},
        {"4 more persons", [](SteadyYear& y) { y.add(12, 4); }, {}},
        {"5 fewer persons, exactly 10 %", [](SteadyYear& y) { y.keep(12, 45); }, {"W01 12"}},
        // W02: against the person's typical month, at least 50 % and 2,000 yuan; below 100 yuan;
        // every part empty. The month after, back to normal, is no finding.
        {"a wage up by exactly 50 % and 2,000",
         [](SteadyYear& y) { y.setWage(5, 1, 5500LL, 500LL, 6000); },
         {"W02 5/1001"}},
        {"a wage up by 1,999",
         [](SteadyYear& y) { y.setWage(5, 1, 5499LL, 500LL, 5999); },
         {}},
        {"a wage typed ten times too high",
         [](SteadyYear& y) { y.setWage(5, 1, 39500LL, 500LL, 40000); },
         {"W02 5/1001"}},
        {"a wage of 99 yuan",
         [](SteadyYear& y) { y.setWage(5, 1, 99LL, nullptr, 99); },
         {"W02 5/1001"}},
        {"every part empty",
         [](SteadyYear& y) { y.setWage(5, 2, nullptr, nullptr, 0); },
         {"W02 5/1002"}},
        // A stretch of sick leave is one finding, at its first month.
        {"four months of sick pay",
         [](SteadyYear& y) {
             for (int m = 5; m <= 8; ++m)
                 y.setWage(m, 1, 1600LL, nullptr, 1600);
         },
         {"W02 5/1001"}},
        // A joiner's and a leaver's part month is not compared.
        {"a joiner in June paid for a week",
         [](SteadyYear& y) {
             y.db().exec("DELETE FROM Staff_moninfo WHERE sMon < 6 AND sNumber = '1004'");
             y.db().exec("DELETE FROM Wage_Info WHERE sMon < 6 AND sNumber = '1004'");
             y.setWage(6, 4, 900LL, nullptr, 900);
         },
         {}},
        {"a leaver in March paid for a week",
         [](SteadyYear& y) {
             y.db().exec("DELETE FROM Staff_moninfo WHERE sMon > 3 AND sNumber = '1004'");
             y.db().exec("DELETE FROM Wage_Info WHERE sMon > 3 AND sNumber = '1004'");
             y.setWage(3, 4, 900LL, nullptr, 900);
         },
         {}},
        // W03 and W02 in a month the whole unit's pay moves: one finding for the month; a
        // person moving the same way only when the total is far beyond any bonus.
        {"every wage doubled in March",
         [](SteadyYear& y) { y.setAllWages(3, 8000); },
         {"W03 3"}},
        {"every wage doubled in March, one typed with two zeros more",
         [](SteadyYear& y) {
             y.setAllWages(3, 8000);
             y.setWage(3, 1, 799500LL, 500LL, 800000);
         },
         {"W03 3", "W02 3/1001"}},
        {"every wage doubled in March, one five times the usual",
         [](SteadyYear& y) {
             y.setAllWages(3, 8000);
             y.setWage(3, 1, 19500LL, 500LL, 20000);
         },
         {"W03 3"}},
        {"a fifth of the unit paid a bonus in March",
         [](SteadyYear& y) {
             y.db().exec("UPDATE Wage_Info SET sN1 = 8500, sTotal = 9000 WHERE sMon = 3"
                         " AND CAST(sNumber AS INTEGER) < 1010");
         },
         {"W03 3"}},
        {"four persons paid a bonus in March",
         [](SteadyYear& y) {
             y.db().exec("UPDATE Wage_Info SET sN1 = 8500, sTotal = 9000 WHERE sMon = 3"
                         " AND CAST(sNumber AS INTEGER) < 1004");
         },
         {"W02 3/1000", "W02 3/1001", "W02 3/1002", "W02 3/1003"}},
        // W03: the month's average up by 30 % and 500 yuan, everyone's rise below W02's limits.
        {"every wage up by 30 %", [](SteadyYear& y) { y.setAllWages(9, 5200); }, {"W03 9"}},
        {"every wage up by 29.9 %", [](SteadyYear& y) { y.setAllWages(9, 5199); }, {}},
        // W04: name and birth month shared under two numbers, reported once where it shows
        // ("1960-1" and "1960-01" are one month); one number under two names.
        {"entered twice from March on",
         [](SteadyYear& y) {
             for (int m = 3; m <= 12; ++m)
                 y.person(m, QStringLiteral("5000"), QStringLiteral("职工0"), QStringLiteral("1960-01"));
         },
         {"W04 3/5000"}},
        {"same name, another birth month",
         [](SteadyYear& y) {
             y.person(3, QStringLiteral("5000"), QStringLiteral("职工0"), QStringLiteral("1960-02"));
         },
         {}},
        {"a number renamed in June",
         [](SteadyYear& y) { y.rename(6, 5, QStringLiteral("张三")); },
         {"W04 6/1005"}},
    };
    for (const MonthCase& c : cases) {
        SteadyYear y;
        c.change(y);
        EXPECT_EQ(found(*y.s), c.expected) << c.what;
    }
}

TEST(DataCheck, MinimumWageAndLastYearCountOnlyWhenTheClerkGaveThem)
{
    const auto withFigures = [](const UnitFigures& figures, const std::function<void(SteadyYear&)>& change) {
        SteadyYear y;
        saveUnitFigures(y.db(), figures);
        change(y);
        return found(*y.s);
    };
    const auto lowPaid = [](SteadyYear& y) {
        y.setWage(4, 3, 2400LL, 500LL, 2900);
        // Not full-time: the minimum wage does not bind.
        y.db().exec("UPDATE Staff_moninfo SET sqrz = 2 WHERE sNumber = '1004' AND sMon = 4");
        y.setWage(4, 4, 2400LL, 500LL, 2900);
    };
    EXPECT_EQ(withFigures({}, lowPaid), Found{});
    EXPECT_EQ(withFigures({3000.0, {}, {}}, lowPaid), (Found{"W05 4/1003"}));
    EXPECT_EQ(withFigures({2900.0, {}, {}}, lowPaid), Found{});
    // Sick pay below the minimum for four months: one finding, and W02 leaves it to W05.
    const auto sick = [](SteadyYear& y) {
        for (int m = 5; m <= 8; ++m)
            y.setWage(m, 1, 1600LL, nullptr, 1600);
    };
    EXPECT_EQ(withFigures({2000.0, {}, {}}, sick), (Found{"W05 5/1001"}));

    // 50 persons at 4,000 a month: 2,400 thousand yuan, 48,000 per head.
    const auto none = [](SteadyYear&) {};
    EXPECT_EQ(withFigures({{}, 40LL, {}}, none), (Found{"W06 i102-1:I01"}));  // 25 %, 10
    EXPECT_EQ(withFigures({{}, 41LL, {}}, none), Found{});                    // 9 persons
    EXPECT_EQ(withFigures({{}, 50LL, 1800.0}, none), (Found{"W06 i102-1:I12"}));  // 36,000: 33 %
    EXPECT_EQ(withFigures({{}, 50LL, 1900.0}, none), Found{});                    // 38,000: 26 %
}

namespace {

void storeForm(Session& s, const char* command, const FormPeriod& period)
{
    FormRun run(s, *formFor(QString::fromLatin1(command), false), period);
    ASSERT_TRUE(run.check().passed) << command;
    ASSERT_TRUE(run.computeAndStore().passed) << command;
}

// The steady year with its forms stored: the second quarter, the year in both forms, the wage
// summary of the year.
struct StoredYear : SteadyYear {
    StoredYear()
    {
        storeForm(*s, "quarterly", FormPeriod::ofQuarter(2));
        storeForm(*s, "annual", FormPeriod::ofYear());
        storeForm(*s, "basic-annual", FormPeriod::ofYear());
        storeForm(*s, "wage-summary", FormPeriod::ofRange(MonthRange{1, 12}));
    }
};

}  // namespace

TEST(DataCheck, StoredFormsMustAddUpAgreeWithTheRecordsAndWithEachOther)
{
    const MonthCase cases[] = {
        {"as stored", [](SteadyYear&) {}, {}},
        // E01: a figure typed into the stored row breaks its sums and its average.
        {"on-post wages typed one higher",
         [](SteadyYear& y) { y.db().exec("UPDATE NGLabor_info SET I13 = I13 + 1"); },
         {"E01 i102-1:I12", "E01 i102-1:I13", "E01 i102-1:I21"}},
        // E02: the records changed after the forms were stored.
        {"a person more in December",
         [](SteadyYear& y) { y.add(12, 1); },
         {"E02 i102-1:I01", "E02 i102-1:I12", "E02 i102-2:I01", "E02 i102-2:I12"}},
        // The quarter of the stored I202-1 is not known: no quarter's records give it now.
        {"June wages changed",
         [](SteadyYear& y) { y.setWage(6, 1, 5500LL, 500LL, 6000); },
         {"W02 6/1001", "E02 i202-1:I12", "E02 i102-1:I12", "E02 i102-2:I12"}},
        // E03 allows the summary one thousand for its other rounding, not two.
        {"summary's year total one thousand higher",
         [](SteadyYear& y) { y.db().exec("UPDATE Total_1_12 SET G21 = G21 + 1 WHERE Gid = 1"); },
         {"E01 i704m1-12:1.G21"}},
        {"summary's year total two thousand higher",
         [](SteadyYear& y) { y.db().exec("UPDATE Total_1_12 SET G21 = G21 + 2 WHERE Gid = 1"); },
         {"E01 i704m1-12:1.G21", "E03 i704m1-12:1.G21"}},
        {"summary's year-end head count one lower",
         [](SteadyYear& y) { y.db().exec("UPDATE Total_1_12 SET G11 = G11 - 1 WHERE Gid = 1"); },
         {"E03 i704m1-12:1.G11"}},
        // I102-2's whole yuan round to I102-1's thousands: 400 yuan more still do, 500 do not.
        {"I102-2 wages 400 yuan higher",
         [](SteadyYear& y) { y.db().exec("UPDATE NLabor_info SET I12 = I12 + 400"); },
         {"E02 i102-2:I12", "E01 i102-2:I20"}},
        {"I102-2 wages 500 yuan higher",
         [](SteadyYear& y) { y.db().exec("UPDATE NLabor_info SET I12 = I12 + 500"); },
         {"E02 i102-2:I12", "E01 i102-2:I20", "E03 i102-2:I12"}},
    };
    for (const MonthCase& c : cases) {
        StoredYear y;
        c.change(y);
        EXPECT_EQ(found(*y.s), c.expected) << c.what;
    }
}

namespace {

// Writes the form's files for the period as "生成上报" does after the data check passed.
QStringList submit(Session& s, const char* command, const FormPeriod& period)
{
    FormRun run(s, *formFor(QString::fromLatin1(command), false), period);
    EXPECT_TRUE(run.check({false, true}).passed) << command;
    EXPECT_TRUE(run.computeAndStore().passed) << command;
    const CheckOutcome audit = run.submissionAudit();
    EXPECT_TRUE(audit.passed && audit.question.isEmpty()) << audit.messages.join('\n').toStdString();
    run.submit();
    return run.submissionPaths();
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The file with the last digit of one field of its first record changed: one byte.
QByteArray withOneByteChanged(QByteArray dbf, const QByteArray& field)
{
    const int headerBytes = static_cast<uchar>(dbf[8]) | static_cast<uchar>(dbf[9]) << 8;
    int offset = headerBytes + 1;  // past the deletion mark
    for (int d = 32; dbf[d] != '\r'; d += 32) {
        const int width = static_cast<uchar>(dbf[d + 16]);
        if (dbf.mid(d, 11).replace('\0', "") == field) {
            char& last = dbf[offset + width - 1];
            last = last == '9' ? '8' : static_cast<char>(last + 1);
            return dbf;
        }
        offset += width;
    }
    ADD_FAILURE() << "no field " << field.constData();
    return dbf;
}

std::string e04(Session& s)
{
    std::string all;
    for (const Finding& f : runDataCheck(s))
        all += (f.code + ' ' + f.place.token() + ' ' + f.message + '\n').toStdString();
    return all;
}

}  // namespace

TEST(DataCheck, SubmissionFilesReadBackAsTheReceiverReadsThem)
{
    SteadyYear y;
    const QString annual = submit(*y.s, "annual", FormPeriod::ofYear()).first();
    const QString summary = submit(*y.s, "wage-summary", FormPeriod::ofRange(MonthRange{1, 12})).first();
    ASSERT_EQ(e04(*y.s), "");
    const QByteArray annualBytes = readAll(annual);
    const QByteArray summaryBytes = readAll(summary);

    writeAll(annual, withOneByteChanged(annualBytes, "I13"));
    EXPECT_EQ(e04(*y.s), "E04 GZSB/123456789_i102.dbf 上报文件GZSB/123456789_i102.dbf与已存数据不符："
                         "第1条记录I13为“2401”，应为“2400”\n");
    writeAll(annual, annualBytes);

    // A record missing: the summary written without its last row.
    writeDbf(y.db(), {"SELECT * FROM Total_1_12 WHERE Gid < 40 ORDER BY Gid", {}}, summary);
    EXPECT_NE(e04(*y.s).find("E04 GZSB/123456789_i704.dbf 上报文件GZSB/123456789_i704.dbf与已存数据不符："
                             "记录数为39，应为40"),
              std::string::npos);
    writeAll(summary, summaryBytes);

    // Another unit's number.
    y.db().exec("CREATE TABLE Other AS SELECT * FROM NGLabor_info");
    y.db().exec("UPDATE Other SET frdm = '987654321'");
    writeDbf(y.db(), DbfSource::table("Other"), annual);
    EXPECT_EQ(e04(*y.s), "E04 GZSB/123456789_i102.dbf 上报文件GZSB/123456789_i102.dbf与已存数据不符："
                         "单位代码为“987654321”，不是登记的“123456789”\n");
    writeAll(annual, annualBytes);
    EXPECT_EQ(e04(*y.s), "");
}

namespace {

QString gbkText(const QByteArray& bytes)
{
    QStringDecoder gbk("GBK");
    return gbk(bytes);
}

}  // namespace

TEST(DataCheck, SubmissionRefusedWithAnErrorAskedWithAWarningSilentWhenExplained)
{
    SteadyYear y;
    y.setWage(5, 1, 5500LL, 500LL, 6000);  // W02 5/1001
    FormRun annual(*y.s, *formFor("annual", false), FormPeriod::ofYear());
    ASSERT_TRUE(annual.computeAndStore().passed);

    CheckOutcome audit = annual.submissionAudit();
    EXPECT_TRUE(audit.passed);
    EXPECT_TRUE(audit.question.contains("W02 5/1001")) << audit.question.toStdString();
    // The first quarter does not read May.
    FormRun first(*y.s, *formFor("quarterly", false), FormPeriod::ofQuarter(1));
    ASSERT_TRUE(first.computeAndStore().passed);
    EXPECT_TRUE(first.submissionAudit().question.isEmpty());

    storeCheckNote(y.db(), currentFinding(*y.s, "W02", "5/1001"), QStringLiteral("补发  四月奖金"));
    audit = annual.submissionAudit();
    EXPECT_TRUE(audit.passed && audit.question.isEmpty());
    annual.submit();
    EXPECT_TRUE(QFileInfo::exists(annual.submissionPaths().first()));
    EXPECT_EQ(QFileInfo(annual.notesPath()).fileName(), "审核说明_123456789_I102-1.txt");
    const QString notes = gbkText(readAll(annual.notesPath()));
    EXPECT_TRUE(notes.startsWith("【5月】W02 个人工资异常\r\n说明：补发 四月奖金（"))
        << notes.toStdString();
    EXPECT_TRUE(notes.endsWith("）\r\n  W02 5/1001 5月职工1（1001）工资合计6000元，此人平常月份为4000元，"
                               "多2000元（50%）\r\n"))
        << notes.toStdString();
    // The workbook carries them on its second sheet.
    annual.exportWorkbook();
    const QJsonArray sheet = readWithPython("read_xlsx.py", annual.workbookPath())["notes"].toArray();
    ASSERT_EQ(sheet.size(), 2);
    EXPECT_EQ(sheet[0].toArray()[2].toString(), "审核发现");
    EXPECT_EQ(sheet[1].toArray()[1].toString(), "5/1001");
    EXPECT_EQ(sheet[1].toArray()[3].toString(), "补发 四月奖金");

    // Once the wage is corrected, no warning is left and the explanations file goes. A form
    // computed before the correction no longer agrees with the records (E02).
    y.setWage(5, 1, 3500LL, 500LL, 4000);
    EXPECT_FALSE(annual.submissionAudit().passed);
    ASSERT_TRUE(annual.computeAndStore().passed);
    annual.submissionAudit();
    annual.submit();
    EXPECT_FALSE(QFileInfo::exists(annual.notesPath()));

    // An error: nothing is written, the message names it.
    y.keep(7, 24);
    QFile::remove(annual.submissionPaths().first());
    audit = annual.submissionAudit();
    EXPECT_FALSE(audit.passed);
    EXPECT_TRUE(audit.messages.join('\n').contains("E05 7 7月名册只有24人，不超过6月50人的一半"))
        << audit.messages.join('\n').toStdString();
    EXPECT_THROW(annual.submit(), Error);
    EXPECT_FALSE(QFileInfo::exists(annual.submissionPaths().first()));
}

TEST(DataCheck, ExplanationsNeedAWarningThatStandsNowAndTextGbkHolds)
{
    SteadyYear y;
    y.keep(7, 24);                          // E05 7
    y.setWage(5, 1, 5500LL, 500LL, 6000);  // W02 5/1001
    EXPECT_THROW(currentFinding(*y.s, "W99", "5/1001"), Error);
    EXPECT_THROW(currentFinding(*y.s, "W02", "5/1002"), Error);
    EXPECT_THROW(storeCheckNote(y.db(), currentFinding(*y.s, "E05", "7"), "缺勤"), Error);
    const Finding w02 = currentFinding(*y.s, "w02", "5/1001");
    EXPECT_THROW(storeCheckNote(y.db(), w02, QStringLiteral("奖金😀")), Error);
    EXPECT_EQ(countFindings(runDataCheck(*y.s)).explained, 0);

    storeCheckNote(y.db(), w02, QStringLiteral("奖金"));
    const Findings all = runDataCheck(*y.s);
    const CheckCounts counts = countFindings(all);
    EXPECT_EQ(counts.errors, 1);
    EXPECT_EQ(counts.warnings, 1);  // W01 8: the month after the cut
    EXPECT_EQ(counts.explained, 1);
    EXPECT_EQ(findingLine(all.back()).toStdString(),
              "W02 5/1001 5月职工1（1001）工资合计6000元，此人平常月份为4000元，多2000元（50%） 说明：奖金");

    storeCheckNote(y.db(), w02, QStringLiteral("  "));
    EXPECT_EQ(countFindings(runDataCheck(*y.s)).explained, 0);
}

TEST(DataCheck, AGeneratedSteadyYearOfThreeThousandPersonsGivesNoFinding)
{
    TestSession s;
    check_year::registerUnit(*s);
    check_year::fill(s.db(), 3000);
    saveUnitFigures(s.db(), {2000.0, 2950LL, 140000.0});
    // Every form of the year stored and submitted: the files read back too.
    for (int q = 1; q <= 3; ++q)
        submit(*s, "quarterly", FormPeriod::ofQuarter(q));
    submit(*s, "annual", FormPeriod::ofYear());
    submit(*s, "basic-annual", FormPeriod::ofYear());
    submit(*s, "wage-summary", FormPeriod::ofRange(MonthRange{1, 12}));
    EXPECT_EQ(found(*s), Found{});
}

TEST(DataCheck, NamesStandInMessagesAsTyped)
{
    SteadyYear y;
    y.db().exec("UPDATE Staff_moninfo SET sName = '张%1' WHERE sNumber = '1001'");
    y.setWage(5, 1, 99LL, nullptr, 99);
    const Findings all = runDataCheck(*y.s, {nullptr, std::nullopt, 5, true});
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].message.toStdString(), "5月张%1（1001）工资合计99元，不足100元");
}

// The forms count a wage only for a person on that month's roster: a stray wage row is named as
// left out, and does not make a freshly computed form look altered.
TEST(DataCheck, AWageOfNobodyOnTheRosterIsLeftOutAsTheFormsLeaveItOut)
{
    SteadyYear y;
    y.db().exec("INSERT INTO Wage_Info (sNumber, sName, sMon, sN1, sTotal, sFlag, wFlag)"
                " VALUES ('9999', '外人', 12, 5000, 5000, '1', '1')");
    for (const char* command : {"annual", "basic-annual"}) {
        FormRun run(*y.s, *formFor(command, false), FormPeriod::ofYear());
        ASSERT_TRUE(run.computeAndStore().passed) << command;
    }
    const Findings all = runDataCheck(*y.s);
    EXPECT_EQ(found(*y.s), Found{"E07 12"});
    ASSERT_FALSE(all.empty());
    EXPECT_EQ(all[0].message.toStdString(), "12月工资中有1人不在12月名册上，报表不计他们的工资5000元：外人（9999）");
}
