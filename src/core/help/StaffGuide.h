#pragma once

#include <QString>

namespace vel::help {

// Every answer column of the staff sheet: its number, caption, which units answer it, the
// answers it takes and what makes its cell red; as a Markdown table.
QString staffAnswerTable();

// The post list with the unit type each post belongs to, as a Markdown table.
QString postTable();

}  // namespace vel::help
