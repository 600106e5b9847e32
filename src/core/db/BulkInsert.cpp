#include "BulkInsert.h"

#include "Errors.h"

#include <algorithm>

namespace vel {
namespace {

// The fewest parameters a statement may hold in any build of the engine.
constexpr int MaxParameters = 999;

}  // namespace

BulkInsert::BulkInsert(Db& db, const std::string& table, const QStringList& columns)
    : db_(db),
      head_("INSERT INTO " + table + " (" + columns.join(", ").toStdString() + ") VALUES "),
      columns_(static_cast<int>(columns.size())),
      rowsPerStatement_(std::max(1, MaxParameters / std::max(1, columns_)))
{
    pending_.reserve(static_cast<size_t>(rowsPerStatement_ * columns_));
}

std::string BulkInsert::statementFor(int rows) const
{
    const std::string row = "(" + QString("?, ").repeated(columns_ - 1).toStdString() + "?)";
    std::string sql = head_ + row;
    for (int i = 1; i < rows; ++i)
        sql += ", " + row;
    return sql;
}

void BulkInsert::add(const SqlParams& row)
{
    if (static_cast<int>(row.size()) != columns_)
        throw Error(QStringLiteral("内部错误：插入的值与列数不符。"));
    pending_.insert(pending_.end(), row.begin(), row.end());
    if (static_cast<int>(pending_.size()) < rowsPerStatement_ * columns_)
        return;
    if (!full_)
        full_.emplace(db_, statementFor(rowsPerStatement_));
    full_->run(pending_);
    pending_.clear();
}

void BulkInsert::finish()
{
    if (pending_.empty())
        return;
    Statement rest(db_, statementFor(static_cast<int>(pending_.size()) / columns_));
    rest.run(pending_);
    pending_.clear();
}

}  // namespace vel
