#include "LookLeader.h"

#include "db/Db.h"

namespace vel {

int LookLeader(Db& db)
{
    const SqlValue v = db.scalar("SELECT MIN(sPost) FROM Staff_moninfo WHERE sPost < 20");
    return std::holds_alternative<long long>(v) ? static_cast<int>(std::get<long long>(v)) : 0;
}

}  // namespace vel
