#include "settings/number.h"

#include <array>
#include <limits>
#include <string>

namespace vorn {
namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool IsLeadingBlank(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }

// Exponents beyond this saturate or vanish whatever the digits; clamping keeps
// the sums below from overflowing on a very long exponent.
constexpr long long kExponentClamp = 1'000'000'000;

// The fraction digits from which a double rounds up to the next whole number:
// 1 - 2^-bits, written out (it has exactly `bits` decimals).
std::string RoundUpThreshold(int bits)
{
    // 5^bits in decimal, most significant digit last.
    std::array<unsigned char, 64> five{1};
    std::size_t length = 1;
    for (int i = 0; i < bits; ++i) {
        unsigned carry = 0;
        for (std::size_t d = 0; d < length; ++d) {
            const unsigned v = five[d] * 5u + carry;
            five[d] = static_cast<unsigned char>(v % 10);
            carry = v / 10;
        }
        if (carry != 0) five[length++] = static_cast<unsigned char>(carry);
    }
    // 10^bits - 5^bits, as `bits` decimals.
    std::string threshold(static_cast<std::size_t>(bits), '0');
    int borrow = 0;
    for (int d = 0; d < bits; ++d) {
        int v = -(d < static_cast<int>(length) ? five[static_cast<std::size_t>(d)] : 0) - borrow;
        borrow = 0;
        if (v < 0) {
            v += 10;
            borrow = 1;
        }
        threshold[static_cast<std::size_t>(bits - 1 - d)] = static_cast<char>('0' + v);
    }
    return threshold;
}

}  // namespace

std::int32_t ParseSettingNumber(std::wstring_view text) { return ReadSettingNumber(text).value_or(0); }

// Gives what reading the text as a double (correctly rounded, as the C
// runtimes do) and truncating would, without the runtime's strtod: the digits
// are kept exact and only the rounding to 53 bits next to a whole number is
// decided by hand.
std::optional<std::int32_t> ReadSettingNumber(std::wstring_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsLeadingBlank(text[i]))
        ++i;

    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    // The significant digits, and where the decimal point falls among them:
    // the value is 0.digits x 10^point.
    std::string digits;
    long long point = 0;
    bool anyDigit = false;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        anyDigit = true;
        if (digits.empty() && text[i] == L'0') continue;
        digits += static_cast<char>(text[i]);
        ++point;
    }
    if (i < text.size() && text[i] == L'.') {
        for (++i; i < text.size() && IsDigit(text[i]); ++i) {
            anyDigit = true;
            if (digits.empty() && text[i] == L'0') {
                --point;
                continue;
            }
            digits += static_cast<char>(text[i]);
        }
    }
    if (!anyDigit) return std::nullopt;
    if (i < text.size() && (text[i] == L'e' || text[i] == L'E')) {
        std::size_t j = i + 1;
        bool exponentNegative = false;
        if (j < text.size() && (text[j] == L'+' || text[j] == L'-')) exponentNegative = text[j++] == L'-';
        long long exponent = 0;
        bool exponentDigit = false;
        for (; j < text.size() && IsDigit(text[j]); ++j) {
            exponentDigit = true;
            if (exponent < kExponentClamp) exponent = exponent * 10 + (text[j] - L'0');
        }
        if (exponentDigit) point += exponentNegative ? -exponent : exponent;
    }
    if (digits.empty()) return 0;

    constexpr long long kMax = std::numeric_limits<std::int32_t>::max();
    constexpr long long kMin = std::numeric_limits<std::int32_t>::min();
    const auto saturated = [&] { return static_cast<std::int32_t>(negative ? kMin : kMax); };
    // Ten digits before the point already pass the 32-bit range.
    if (point > 10) return saturated();

    long long whole = 0;
    std::size_t fractionStart = 0;
    if (point > 0) {
        fractionStart = static_cast<std::size_t>(point);
        for (std::size_t d = 0; d < fractionStart; ++d)
            whole = whole * 10 + (d < digits.size() ? digits[d] - '0' : 0);
    }
    if (whole >= (negative ? -kMin : kMax)) return saturated();

    // A fraction within half a double's step of the next whole number reads
    // as that number. Below n, a double's step is 2^(e-52), e the binary
    // exponent of n - 1 (of 0.5 for n = 1): half of it is 2^-bits.
    const long long next = whole + 1;
    int e = -1;
    for (long long v = next - 1; v > 1; v >>= 1)
        ++e;
    if (next - 1 >= 1) ++e;
    const int bits = 53 - e;
    const std::string threshold = RoundUpThreshold(bits);
    // The fraction's first `bits` decimals: -point zeros, then the digits.
    bool roundsUp = true;  // equal to the threshold rounds up (to even)
    for (std::size_t d = 0; d < threshold.size(); ++d) {
        const long long at = static_cast<long long>(d) - (point < 0 ? -point : 0);
        char c = '0';
        if (at >= 0) {
            const std::size_t index = fractionStart + static_cast<std::size_t>(at);
            if (index < digits.size()) c = digits[index];
        }
        if (c != threshold[d]) {
            roundsUp = c > threshold[d];
            break;
        }
    }
    const long long magnitude = roundsUp ? next : whole;
    if (magnitude >= (negative ? -kMin : kMax)) return saturated();
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace vorn
