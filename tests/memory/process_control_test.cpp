#include "memory/process_control.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr uint32_t SUCCESS = 0;
constexpr uint32_t NOT_ALL_ASSIGNED = 1300;
constexpr uint32_t ACCESS_DENIED = 5;
constexpr uint32_t INVALID_PARAMETER = 87;

struct AdjustCase {
  const char* name;
  int32_t result;
  uint32_t lastError;
  bool assigned;
};

class PrivilegeAssignedTest : public testing::TestWithParam<AdjustCase> {};

TEST_P(PrivilegeAssignedTest, NeedsSuccessAndNoError) {
  EXPECT_EQ(privilegeAssigned(GetParam().result, GetParam().lastError), GetParam().assigned);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PrivilegeAssignedTest,
    testing::Values(AdjustCase{"Assigned", 1, SUCCESS, true},
                    AdjustCase{"AnyNonzeroResultIsSuccess", -1, SUCCESS, true},
                    AdjustCase{"SucceededButNotAssigned", 1, NOT_ALL_ASSIGNED, false},
                    AdjustCase{"Failed", 0, ACCESS_DENIED, false},
                    AdjustCase{"FailedWithoutError", 0, SUCCESS, false},
                    AdjustCase{"SucceededWithAnUnexpectedError", 1, INVALID_PARAMETER, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
