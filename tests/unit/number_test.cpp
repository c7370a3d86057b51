#include <gtest/gtest.h>

#include <limits>

#include "settings/number.h"

namespace vorn {
namespace {

struct NumberCase {
    const wchar_t* text;
    std::int32_t expected;
};

class ParseSettingNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ParseSettingNumberTest, ParsesLikeTheRuntimeThenTruncatesAndSaturates)
{
    EXPECT_EQ(ParseSettingNumber(GetParam().text), GetParam().expected)
        << "text: " << testing::PrintToString(std::wstring(GetParam().text));
}

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseSettingNumberTest,
    ::testing::Values(NumberCase{L"12", 12}, NumberCase{L"-7", -7}, NumberCase{L"+5", 5}, NumberCase{L"2.9", 2},
                      NumberCase{L"-2.9", -2}, NumberCase{L"  12abc", 12}, NumberCase{L"\t 3", 3},
                      NumberCase{L"abc", 0}, NumberCase{L"", 0}, NumberCase{L".5", 0}, NumberCase{L"5.", 5},
                      NumberCase{L"1e3", 1000}, NumberCase{L"1.5E2", 150}, NumberCase{L"2e", 2}, NumberCase{L"2e+", 2},
                      NumberCase{L"1e-3", 0}, NumberCase{L"1e308", kMax}, NumberCase{L"-1e308", kMin},
                      NumberCase{L"1e999999", kMax}, NumberCase{L"-1e999999", kMin},
                      NumberCase{L"99999999999999999999", kMax}, NumberCase{L"2147483647", kMax},
                      NumberCase{L"2147483646.9", 2147483646}, NumberCase{L"-2147483648", kMin}, NumberCase{L"nan", 0},
                      NumberCase{L"inf", 0}, NumberCase{L"-inf", 0}, NumberCase{L"infinity", 0}, NumberCase{L"0x10", 0},
                      NumberCase{L"- 5", 0}, NumberCase{L"--5", 0}, NumberCase{L"1,5", 1}));

}  // namespace
}  // namespace vorn
