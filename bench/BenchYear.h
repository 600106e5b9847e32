#pragma once

// A unit's year for the benchmarks: `people` persons in the opening roster and twelve monthly
// rosters, every code of the forms filled (some posts changing during the year), births spread
// over the age bands, and four wage parts each month.
#include "BenchUnit.h"
#include "Session.h"
#include "db/Db.h"

#include <QTemporaryDir>

#include <SQLiteCpp/Statement.h>

#include <random>
#include <string>
#include <vector>

namespace vel {

struct BenchYear {
    QTemporaryDir dir;
    Session session{WorkFolder(dir.path())};

    explicit BenchYear(int people)
    {
        registerBenchUnit(session, "是1");

        Db& db = session.db();
        std::mt19937 rng(2012);
        const auto pick = [&](std::vector<long long> codes) {
            return codes[std::uniform_int_distribution<size_t>(0, codes.size() - 1)(rng)];
        };
        const std::vector<long long> posts = {21, 22, 23, 31, 32, 33, 34, 35, 41, 42,
                                              51, 52, 53, 54, 55, 56, 61, 62, 63, 64};
        Transaction tx(db);
        SQLite::Statement staff(
            db.handle(),
            "INSERT INTO Staff_moninfo (sName, sNumber, sMon, sIsok, sBirth, sSex, sqrz, ssf,"
            " sEducation, sPost, syg, sgc, sjzs, ssg, sNation, sParty, sPostGrade, sJGrade)"
            " VALUES (?, ?, ?, '1', ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        SQLite::Statement wage(db.handle(),
                               "INSERT INTO Wage_Info (sNumber, sName, sMon, sN1, sN2, sN3, sN4,"
                               " sTotal, sFlag, wFlag) VALUES (?, ?, ?, ?, ?, ?, ?, ?, '1', '1')");
        for (int i = 0; i < people; ++i) {
            const std::string number = std::to_string(100000 + i);
            const std::string name = "职工" + std::to_string(i);
            const std::string birth =
                std::to_string(1950 + i % 45) + "-" + (i % 12 < 9 ? "0" : "") +
                std::to_string(i % 12 + 1);
            long long codes[] = {pick({1, 2}),    pick({1, 2}),    pick({1, 1, 1, 2, 3}),
                                 pick({1, 2, 3, 4, 5, 6, 7, 8, 9}), pick(posts),
                                 pick({1, 2}),    pick({1, 2}),    pick({1, 2}),
                                 pick({1, 2, 3}), pick({1, 2}),    pick({1, 2}),
                                 pick({10, 31, 32, 33, 34}), pick({50, 51, 52, 53, 54, 55})};
            for (int month = 0; month <= 12; ++month) {
                if (month % 4 == 1)
                    codes[4] = pick(posts);  // some change posts during the year
                staff.reset();
                staff.bind(1, name);
                staff.bind(2, number);
                staff.bind(3, month);
                staff.bind(4, birth);
                for (int c = 0; c < 13; ++c)
                    staff.bind(5 + c, static_cast<int64_t>(codes[c]));
                staff.exec();
                if (month == 0)
                    continue;
                const double parts[] = {3000 + i % 900 + 0.5, 800 + month * 10.25, 300.1,
                                        i % 7 * 50.0};
                wage.reset();
                wage.bind(1, number);
                wage.bind(2, name);
                wage.bind(3, month);
                for (int p = 0; p < 4; ++p)
                    wage.bind(4 + p, parts[p]);
                wage.bind(8, parts[0] + parts[1] + parts[2] + parts[3]);
                wage.exec();
            }
        }
        tx.commit();
    }
};

}  // namespace vel
