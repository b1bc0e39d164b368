// Names the instances of a parameterised test after the name field of
// their cases, for readable test names and failure messages.
#ifndef TESTS_SUPPORT_CASE_NAME_H
#define TESTS_SUPPORT_CASE_NAME_H

#include <gtest/gtest.h>

#include <string>

struct case_name {
  template <class T>
  std::string operator()(const testing::TestParamInfo<T> &info) const
  {
    return info.param.name;
  }
};

#endif
