// Names parameterised tests after their case's `name`, so that a failing case keeps the same
// test name on every run and can be run again on its own.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace bearing::test {

struct CaseName {
    template <class Case> std::string operator()(const testing::TestParamInfo<Case>& info) const {
        return std::string(info.param.name);
    }
};

} // namespace bearing::test
