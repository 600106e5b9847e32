#include "WageSums.h"

#include "Errors.h"
#include "reports/Rounding.h"

#include <SQLiteCpp/Column.h>

#include <cmath>

namespace vel {

namespace {
constexpr long long MicrosPerYuan = 1000000;
}  // namespace

WageSums::WageSums(Db& db, int lastMonth, std::vector<std::string> columns,
                   std::vector<std::string> joined)
    : tally_(std::move(columns), std::move(joined))
{
    const int first = 1 + static_cast<int>(tally_.columns().size());
    scanRows(db, "VmonWage", tally_.columns(), {"sTotal", "sN1", "sN2", "sN3", "sN4"}, lastMonth,
             [&](int month, const RowCodes& codes, SQLite::Statement& values) {
                 Tally<5>::Values amounts{};
                 for (int k = 0; k < 5; ++k) {
                     const SQLite::Column c = values.getColumn(first + k);
                     if (c.isNull())
                         continue;
                     amounts[k] = amountMicros(c.getDouble());
                 }
                 tally_.add(month, codes, amounts);
             });
}

long long WageSums::micros(Amount amount, const Selection& who, int firstMonth, int lastMonth) const
{
    return tally_.sum(who, firstMonth, lastMonth)[static_cast<size_t>(amount)];
}

long long amountMicros(double yuan)
{
    const double micros = yuan * MicrosPerYuan;
    if (!(std::fabs(micros) < 1e18))
        throw ConversionError(QStringLiteral("工资金额超出可计算的范围：%1").arg(yuan));
    return std::llround(micros);
}

long long wholeYuan(long long micros)
{
    return roundedQuotient(micros, MicrosPerYuan);
}

long long thousandsOfYuan(long long micros)
{
    return roundedQuotient(wholeYuan(micros), 1000);
}

}  // namespace vel
