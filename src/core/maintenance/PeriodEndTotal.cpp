#include "PeriodEndTotal.h"

#include "Errors.h"
#include "db/Db.h"

namespace vel {

QString periodEnd::countQuestion(long long count)
{
    return QStringLiteral("共有:%1人！").arg(count);
}

long long legacyStaffCount(Db& db)
{
    const SqlValue v = db.scalar("SELECT COUNT(*) FROM Staff_Info");
    return std::get<long long>(v);
}

QString periodEndTotalRefusal(const QString& text)
{
    for (const QChar c : text.trimmed())
        if (c < u'0' || c > u'9')
            return periodEnd::Illegal;
    return {};
}

void storePeriodEndTotal(Db& db, const QString& unitCode, const QString& total)
{
    const QString refusal = periodEndTotalRefusal(total);
    if (!refusal.isEmpty())
        throw Error(refusal);
    Transaction tx(db);
    db.exec("DELETE FROM Initial_Info");
    db.exec("INSERT INTO Initial_Info (DepNo, sInitial) VALUES (?, ?)",
            {unitCode.trimmed(), total.trimmed()});
    tx.commit();
}

}  // namespace vel
