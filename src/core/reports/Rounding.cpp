#include "Rounding.h"

namespace vel {

long long roundedQuotient(long long numerator, long long denominator)
{
    const bool negative = (numerator < 0) != (denominator < 0);
    const auto magnitude = [](long long v) {
        return v < 0 ? 0ULL - static_cast<unsigned long long>(v)
                     : static_cast<unsigned long long>(v);
    };
    const unsigned long long n = magnitude(numerator);
    const unsigned long long d = magnitude(denominator);
    const unsigned long long q = n / d + (n % d >= d - n % d ? 1 : 0);
    return negative ? -static_cast<long long>(q) : static_cast<long long>(q);
}

}  // namespace vel
