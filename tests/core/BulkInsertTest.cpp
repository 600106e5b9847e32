#include "TestSession.h"
#include "db/BulkInsert.h"

#include <gtest/gtest.h>

using namespace vel;

// Enough rows for several full statements and a short last one: every row arrives, in order,
// with its own values, though the statements reuse their text buffers row after row.
TEST(BulkInsert, RowsKeepTheirOrderAndValuesAcrossStatements)
{
    TestSession s;
    s.db().exec("CREATE TABLE t (id INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT, n INTEGER,"
                " x REAL)");
    const int rows = 1000;  // 333 rows per statement of three columns
    {
        Transaction tx(s.db());
        BulkInsert insert(s.db(), "t", {"name", "n", "x"});
        for (int i = 0; i < rows; ++i) {
            const SqlValue name = i % 7 == 0 ? SqlValue(nullptr)
                                             : SqlValue(QStringLiteral("职工'%1").arg(i));
            insert.add({name, static_cast<long long>(i), i / 2.0});
        }
        insert.finish();
        tx.commit();
    }
    Query q(s.db(), "SELECT * FROM t ORDER BY id");
    for (int i = 0; i < rows; ++i) {
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.integer("id"), i + 1);
        EXPECT_EQ(q.isNull("name"), i % 7 == 0);
        if (i % 7) {
            EXPECT_EQ(q.text("name"), QStringLiteral("职工'%1").arg(i));
        }
        EXPECT_EQ(q.integer("n"), i);
        EXPECT_EQ(q.number("x"), i / 2.0);
    }
    EXPECT_FALSE(q.next());
    EXPECT_THROW(BulkInsert(s.db(), "t", {"name", "n"}).add({QString("a")}), Error);
}
