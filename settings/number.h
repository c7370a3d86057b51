#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace vorn {

// A settings number: the longest leading decimal number of the text (blanks
// skipped, optional sign, fraction and exponent), truncated toward zero and
// saturated to the 32-bit range. Text that starts with no number, and the
// words "inf" and "nan", give 0.
std::int32_t ParseSettingNumber(std::wstring_view text);
// The same number, or none when the text starts with no number.
std::optional<std::int32_t> ReadSettingNumber(std::wstring_view text);

}  // namespace vorn
