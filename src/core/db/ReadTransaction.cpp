#include "ReadTransaction.h"

#include "Db.h"

#include <sqlite3.h>

namespace vel {

ReadTransaction::ReadTransaction(Db& db)
    : db_(db), owner_(sqlite3_get_autocommit(db.handle().getHandle()) != 0)
{
    if (owner_)
        db_.exec("BEGIN");
}

ReadTransaction::~ReadTransaction()
{
    if (!owner_)
        return;
    try {
        // A Transaction begun inside has settled its part; ending here only lets go of the lock.
        db_.exec("COMMIT");
    } catch (...) {
        try {
            db_.exec("ROLLBACK");
        } catch (...) {
        }
    }
}

}  // namespace vel
