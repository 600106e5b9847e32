#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <vector>

namespace vel {

// What an .xls workbook stream says beyond the cell texts FreeXL reads: every cell style's
// number format code, and the first worksheet's numbers, booleans, errors and formula results
// with their styles. Excel 97 and later (BIFF8) only.
struct XlsRecords {
    // Uncalculated: a formula whose stored result is missing or of no known kind.
    enum class Kind { Number, Boolean, Error, Text, Uncalculated };
    struct Cell {
        int row = 0;  // from 0, as in the file
        int column = 0;
        int style = 0;
        Kind kind = Kind::Number;
        double number = 0;
        QString text;  // an error's or a formula's text
    };

    bool encrypted = false;
    bool oldFormat = false;  // before Excel 97: the records below are not read
    bool date1904 = false;
    QString sheetName;       // the first worksheet
    int declaredRows = 0;    // the worksheet's size as its DIMENSIONS record gives it
    int declaredColumns = 0;
    std::vector<QString> styleFormats;
    std::vector<Cell> cells;
    QHash<quint64, int> textStyles;  // key row << 16 | column: the style of a text cell
};

// Reads the records of a workbook stream. Returns false for a stream whose records do not fit
// together (a damaged file): one running past the stream, a cell past column IV, a number that
// is not finite.
bool readXlsRecords(const QByteArray& stream, XlsRecords& out);

inline quint64 xlsCellKey(int row, int column)
{
    return static_cast<quint64>(row) << 16 | static_cast<quint64>(column);
}

}  // namespace vel
