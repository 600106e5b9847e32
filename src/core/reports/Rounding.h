#pragma once

namespace vel {

// numerator ÷ denominator in the forms' "0" format: the nearest whole number, halves away from
// zero (2.5 gives 3, -2.5 gives -3). Computed on whole numbers, so that a half is never lost to a
// binary fraction. The denominator must not be 0.
long long roundedQuotient(long long numerator, long long denominator);

}  // namespace vel
