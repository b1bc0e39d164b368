// Comparisons for figures given to a number of significant digits and for
// 32-bit results that must match to the last place.
#ifndef TESTS_SUPPORT_FLOAT_COMPARE_H
#define TESTS_SUPPORT_FLOAT_COMPARE_H

#include <gtest/gtest.h>

// Passes when actual agrees with expected, a figure of six significant
// digits, within one unit of its last digit.
testing::AssertionResult near_sig6(double actual, double expected);

// Distance in units in the last place between two finite floats.
long ulp_distance(float a, float b);

// Passes when actual is within one unit in the last place of expected.
testing::AssertionResult within_1ulp(float actual, float expected);

#endif
