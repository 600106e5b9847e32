#include "ReadStamp.h"

#include "Errors.h"

namespace vel {

void ReadStamp::refuseIfChanged(Db& db) const
{
    if (db.dataVersion() != version_)
        throw Error(QStringLiteral("本月数据已被其他程序修改，请关闭后重新打开。"));
}

}  // namespace vel
