#pragma once

#include <QtGlobal>

// What veldrassa-mdb-reader writes on its standard output, read back by readAccessTables: a
// QDataStream (Qt 6.4) of the magic number, then per table asked for either TableMissing and
// its name, or TableFound, its name, the row count its definition stores, its column names and
// its rows (RowFollows and one value per column), closed by TableEnd; AllDone ends the stream.
// A value is its kind and, but for Null, the value (qint64, double or QString).
namespace vel::accessframes {

constexpr quint32 Magic = 0x564d4442;  // "VMDB"

enum Marker : quint8 { TableMissing = 1, TableFound, RowFollows, TableEnd, AllDone };
enum Kind : quint8 { Null = 0, Integer, Real, Text };

// The reader's exit codes beside 0.
constexpr int UsageError = 2;
constexpr int Unreadable = 3;  // the library could not open or walk the file

}  // namespace vel::accessframes
