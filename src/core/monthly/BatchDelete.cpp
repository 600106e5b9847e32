#include "BatchDelete.h"

#include "db/Db.h"
#include "monthly/WageStore.h"

namespace vel {

void listForDeletion(Db& db, int month, const std::vector<DeletionRequest>& requests)
{
    Transaction tx(db);
    db.exec("DELETE FROM Tmp_Del");
    for (const DeletionRequest& r : requests) {
        if (r.number.isEmpty())
            break;
        db.exec("INSERT INTO Tmp_Del (sName, sNumber, sMon, sMemo) VALUES (?, ?, ?, ?)",
                {r.name, r.number, static_cast<long long>(month), r.memo});
    }
    tx.commit();
}

std::vector<DeletionMatch> deletionMatches(Db& db)
{
    std::vector<DeletionMatch> out;
    Query q(db,
            "SELECT s.* FROM Tmp_Del t JOIN Staff_moninfo s"
            " ON t.sMon = s.sMon AND t.sNumber = s.sNumber ORDER BY s.id");
    while (q.next())
        out.push_back({q.text("sName"), q.text("sNumber"), q.text("sTsex"), q.text("sBirth"),
                       q.text("sTedu"), q.text("sGw")});
    return out;
}

void deletePersonNumber(Db& db, int month, const QString& number)
{
    Transaction tx(db);
    db.exec("DELETE FROM Staff_moninfo WHERE sMon = ? AND sNumber = ?",
            {static_cast<long long>(month), number.trimmed()});
    recheckWagePersons(db, month);
    tx.commit();
}

void deleteListedPersons(Db& db, int month)
{
    Transaction tx(db);
    db.exec("DELETE FROM Staff_moninfo WHERE sMon = ? AND sNumber IN ("
            " SELECT s.sNumber FROM Tmp_Del t JOIN Staff_moninfo s"
            " ON t.sMon = s.sMon AND t.sNumber = s.sNumber)",
            {static_cast<long long>(month)});
    recheckWagePersons(db, month);
    tx.commit();
}

}  // namespace vel
