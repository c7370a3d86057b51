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
                      NumberCase{L"- 5", 0}, NumberCase{L"--5", 0}, NumberCase{L"1,5", 1},
                      // A fraction within half a double's step below the next whole number
                      // reads as that number, as the runtime's conversion rounds it; just
                      // outside, it stays below.
                      NumberCase{L"0.99999999999999997", 1}, NumberCase{L"0.9999999999999999", 0},
                      NumberCase{L"-0.99999999999999997", -1}, NumberCase{L"1.99999999999999989", 2},
                      NumberCase{L"1.99999999999999988", 1}, NumberCase{L"2147483646.99999995", kMax},
                      NumberCase{L"2147483646.9999998", 2147483646}, NumberCase{L"-2147483647.99999995", kMin},
                      NumberCase{L"0.000000000000000000001e21", 1}, NumberCase{L"123456789e-5", 1234},
                      NumberCase{L"1e-999999999999999999999", 0}, NumberCase{L"0e999999", 0}));

}  // namespace
}  // namespace vorn
