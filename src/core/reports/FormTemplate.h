#pragma once

#include "reports/FigureRules.h"

#include <QString>

#include <vector>

namespace vel {

class Sheet;

// A printed row of a form: indicator, unit and code, in three columns side by side.
struct FormRow {
    int row;
    const char* label;
    const char* unit = "";
    const char* code = "";
};

// Writes the rows with their labels in column `labelCol`.
void writeFormRows(Sheet& sheet, int labelCol, const std::vector<FormRow>& rows);

// A figure as the form shows it: the whole number, or nothing.
QString figureText(const std::optional<long long>& value);

// Writes each figure of `figures` that has a cell.
void showFigures(Sheet& sheet, const Figures& figures, const std::vector<FigureRule>& rules);

QString blanks(int count);

}  // namespace vel
