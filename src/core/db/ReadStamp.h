#pragma once

#include "db/Db.h"

#include <type_traits>

namespace vel {

// What a window has read from the database, so that its save never overwrites what another
// program (the command line, a second copy of the program) stored in the meantime. The engine
// counts the commits of other connections; the save compares inside its own transaction, where
// nobody else can commit any more.
class ReadStamp {
public:
    explicit ReadStamp(Db& db) { take(db); }

    // Just before the window reads what it will show.
    void take(Db& db) { version_ = db.dataVersion(); }

    // Runs `write` in one transaction; throws Error ("本月数据已被其他程序修改，请关闭后重新打开。"),
    // writing nothing, when another program has committed a change since take().
    template <class F>
    auto write(Db& db, F&& write) -> decltype(write())
    {
        Transaction tx(db);
        refuseIfChanged(db);
        if constexpr (std::is_void_v<decltype(write())>) {
            write();
            tx.commit();
        } else {
            auto result = write();
            tx.commit();
            return result;
        }
    }

private:
    void refuseIfChanged(Db& db) const;

    long long version_ = 0;
};

}  // namespace vel
