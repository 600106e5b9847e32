#include "FormTemplate.h"

#include "sheet/Sheet.h"

namespace vel {

void writeFormRows(Sheet& sheet, int labelCol, const std::vector<FormRow>& rows)
{
    for (const FormRow& r : rows) {
        sheet.setText(r.row, labelCol, QString::fromUtf8(r.label));
        sheet.setText(r.row, labelCol + 1, QString::fromUtf8(r.unit));
        sheet.setText(r.row, labelCol + 2, QString::fromUtf8(r.code));
    }
}

QString figureText(const std::optional<long long>& value)
{
    return value ? QString::number(*value) : QString();
}

void showFigures(Sheet& sheet, const Figures& figures, const std::vector<FigureRule>& rules)
{
    for (const FigureRule& r : rules) {
        const auto it = figures.find(r.field);
        if (r.cell.row > 0 && it != figures.end())
            sheet.setText(r.cell.row, r.cell.col, figureText(it->second));
    }
}

QString blanks(int count)
{
    return QString(count, u' ');
}

}  // namespace vel
