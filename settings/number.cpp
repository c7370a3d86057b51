#include "settings/number.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace vorn {
namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool IsLeadingBlank(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }

}  // namespace

std::int32_t ParseSettingNumber(std::wstring_view text) { return ReadSettingNumber(text).value_or(0); }

std::optional<std::int32_t> ReadSettingNumber(std::wstring_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsLeadingBlank(text[i]))
        ++i;

    std::string number;  // the accepted prefix, in ASCII for strtod
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) number += static_cast<char>(text[i++]);
    bool anyDigit = false;
    while (i < text.size() && IsDigit(text[i])) {
        number += static_cast<char>(text[i++]);
        anyDigit = true;
    }
    if (i < text.size() && text[i] == L'.') {
        number += '.';
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            number += static_cast<char>(text[i++]);
            anyDigit = true;
        }
    }
    if (!anyDigit) return std::nullopt;
    if (i < text.size() && (text[i] == L'e' || text[i] == L'E')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == L'+' || text[j] == L'-')) exponent += static_cast<char>(text[j++]);
        bool exponentDigit = false;
        while (j < text.size() && IsDigit(text[j])) {
            exponent += static_cast<char>(text[j++]);
            exponentDigit = true;
        }
        if (exponentDigit) number += exponent;
    }

    // strtod saturates to ±HUGE_VAL on overflow and to 0 on underflow.
    const double value = std::strtod(number.c_str(), nullptr);
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    constexpr double kMin = std::numeric_limits<std::int32_t>::min();
    if (!(value == value)) return 0;
    if (value >= kMax) return std::numeric_limits<std::int32_t>::max();
    if (value <= kMin) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(std::trunc(value));
}

}  // namespace vorn
