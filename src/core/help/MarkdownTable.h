#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace vel::help {

// A GitHub table: a header line, the rule line and one line per row. A "|" inside a cell is
// escaped and an empty cell shows "—", so that no row can break the table.
QString markdownTable(const QStringList& headers, const std::vector<QStringList>& rows);

}  // namespace vel::help
