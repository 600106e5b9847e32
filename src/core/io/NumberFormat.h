#pragma once

#include <QString>

#include <memory>
#include <vector>

namespace vel {

// Where a workbook counts its dates from: 1899-12-30, or 1904-01-01 (older Mac workbooks).
enum class DateSystem { From1900, From1904 };

// A spreadsheet's number format code ("General", "0.00", yyyy"年"m"月", "#,##0.00_);(#,##0.00)"
// ...), read once, that shows a cell's value as the office suite shows it to a Chinese clerk:
// the same text that saving the sheet as CSV "as shown" writes. Fractions and the Chinese-numeral
// modifiers are not drawn; such a number is shown as under General.
class NumberFormat {
public:
    explicit NumberFormat(const QString& code = QStringLiteral("General"),
                          DateSystem dates = DateSystem::From1900);
    ~NumberFormat();
    NumberFormat(NumberFormat&&) noexcept;
    NumberFormat& operator=(NumberFormat&&) noexcept;

    QString number(double value) const;
    QString text(const QString& value) const;
    // TRUE or FALSE under General; under any other format the number 1 or 0.
    QString boolean(bool value) const;

    // The code of a workbook's built-in format number as a Chinese office suite shows it;
    // General for a number that has none.
    static QString builtinCode(int id);

    struct Section;

private:
    std::vector<Section> sections_;
    DateSystem dates_;
};

// A number as General shows it: the shortest of at most 15 significant digits, whole numbers in
// full below 10^16, and scientific notation beyond 10^16 and below 10^-9.
QString generalNumber(double value);

}  // namespace vel
