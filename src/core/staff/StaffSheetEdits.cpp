#include "StaffSheetEdits.h"

#include "sheet/Sheet.h"
#include "staff/StaffSheet.h"

namespace vel {

std::optional<CodeListId> findReplaceList(int col)
{
    switch (col) {
    case staff::EduCol:
        return CodeListId::Edu;
    case staff::PostCol:
        return CodeListId::Post;
    case staff::GradeCol:
        return CodeListId::Grade;
    case staff::GradeJnCol:
        return CodeListId::GradeJn;
    case staff::RoleCol:
        return CodeListId::Role;
    case staff::SiteWorkerCol:
        return CodeListId::Certy;
    default:
        return std::nullopt;
    }
}

int replaceInColumn(Sheet& sheet, int col, const QString& find, const QString& replacement,
                    int startRow)
{
    const QString wanted = find.trimmed();
    const QString by = replacement.trimmed();
    int count = 0;
    for (int row = startRow; row <= sheet.maxRow(); ++row) {
        if (sheet.text(row, staff::NameCol).trimmed().isEmpty())
            break;
        if (sheet.text(row, col).trimmed() == wanted) {
            sheet.setText(row, col, by);
            ++count;
        }
    }
    return count;
}

QString replacedMessage(int count)
{
    return QStringLiteral("共替换%1个字段。").arg(count);
}

void applyIndustrialPasteRule(Sheet& sheet)
{
    for (int row = staff::FirstPersonRow; row <= sheet.maxRow(); ++row) {
        const QString answer = sheet.text(row, staff::EngineerCol).trimmed();
        if (answer.isEmpty())
            break;
        sheet.setText(row, staff::ProductionCol,
                      answer == QLatin1String("0") ? QStringLiteral("否") : answer);
    }
}

}  // namespace vel
