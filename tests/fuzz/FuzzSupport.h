#pragma once

#include "Session.h"
#include "db/CodeLists.h"
#include "db/Db.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace vel::fuzz {

// What a clerk could type: the bytes as UTF-8, invalid sequences replaced.
inline QString typed(const uint8_t* data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// The shipped code lists, from a database in memory, and a unit of the class the first input
// byte picks.
struct Unit {
    Db db{QStringLiteral(":memory:")};
    CodeLists codes;
    UnitAttributes attributes;

    Unit() { codes.load(db, QStringLiteral("1")); }
    static Unit& shared()
    {
        static Unit unit;
        return unit;
    }
};

// A broken promise of the code under test: libFuzzer keeps the input that caused it.
inline void require(bool holds)
{
    if (!holds)
        std::abort();
}

}  // namespace vel::fuzz
