#pragma once

#include "output/DbfWriter.h"

#include <QString>

#include <vector>

namespace vel {

// One way a dBASE file read back differs from what it should hold.
struct DbfDifference {
    enum class Kind {
        Unreadable,   // missing, or no dBASE file
        RecordCount,  // found and expected: the numbers of records
        Fields,       // found and expected: the field names, joined by ","
        Value,        // in `record` (from 1), field `field`
    };
    Kind kind = Kind::Unreadable;
    int record = 0;
    QString field;
    QString found;
    QString expected;
};

// How the file at `path`, read as the receiver reads it, differs from `expected`: the record
// count, the field names in order, then every value (a number to within a millionth, a text in
// GBK, blanks around it ignored, an empty field for a null). Empty when it holds exactly that.
std::vector<DbfDifference> dbfDifferences(const QString& path, const DbfContent& expected);

}  // namespace vel
