#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace vel {

class Db;

// One column of the staff browser: its title and the Staff_moninfo field it shows (none for the
// hidden running number).
struct BrowserColumn {
    const char* title;
    const char* field;
    bool hidden;
};
extern const std::array<BrowserColumn, 20> BrowserColumns;

// "期初", "一月" … "十二月".
QString browserMonthName(int month);

// The months that hold staff rows, in order.
std::vector<int> browserMonths(Db& db);

// A month's staff rows as the browser shows them, one text per column, in the order saved.
struct BrowserPage {
    std::vector<QStringList> rows;
    QString status;  // "  {month name}, 共有{n}条记录。"
};

// The month's rows; with a name text only those whose name holds it, taken literally (a '%' or
// '_' typed is a character like any other).
BrowserPage browseStaff(Db& db, int month, const QString& nameText = {});

}  // namespace vel
