#pragma once

#include "db/CodeLists.h"

#include <QString>

#include <optional>

namespace vel {

class Sheet;

// The list a column's batch replacement offers; nullopt for a column that has none, where the
// refusal is FindReplaceRefusal.
std::optional<CodeListId> findReplaceList(int col);
inline const QString FindReplaceRefusal = QStringLiteral("该列不支持该功能。");

// Replaces, from startRow down to the last person, every cell of the column whose trimmed text
// equals the trimmed find text by the trimmed replacement. Returns the number of cells replaced.
int replaceInColumn(Sheet& sheet, int col, const QString& find, const QString& replacement,
                    int startRow);
QString replacedMessage(int count);

// After a paste in an industrial unit's sheet, column 15's answers (typed where the form asks the
// production question) move to column 18, a "0" becoming "否"; column 15 keeps its text.
void applyIndustrialPasteRule(Sheet& sheet);

}  // namespace vel
