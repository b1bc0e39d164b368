#include "tests/support/float_compare.h"

#include <cmath>
#include <cstdint>
#include <cstring>

testing::AssertionResult near_sig6(double actual, double expected)
{
  // One unit of the sixth significant digit of the expected figure, so
  // that a figure cut off after six digits passes as well as a rounded one.
  const double magnitude = std::floor(std::log10(std::fabs(expected)));
  const double tolerance = std::pow(10.0, magnitude - 5.0);
  if (std::fabs(actual - expected) <= tolerance)
    return testing::AssertionSuccess();
  return testing::AssertionFailure() << actual << " differs from " << expected
                                     << " by more than " << tolerance;
}

// Maps the bit pattern of a float onto a line on which neighbouring
// floats are neighbouring integers, -0 and +0 alike.
static std::int64_t ordered(float f)
{
  std::int32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  return bits < 0 ? -static_cast<std::int64_t>(bits & 0x7fffffff) : bits;
}

long ulp_distance(float a, float b)
{
  const std::int64_t d = ordered(a) - ordered(b);
  return static_cast<long>(d < 0 ? -d : d);
}

testing::AssertionResult within_1ulp(float actual, float expected)
{
  const long d = ulp_distance(actual, expected);
  if (d <= 1)
    return testing::AssertionSuccess();
  return testing::AssertionFailure()
         << std::hexfloat << actual << " is " << d << " ulp from " << expected;
}
