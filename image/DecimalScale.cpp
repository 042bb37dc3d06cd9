#include "DecimalScale.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace orx {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Length of the numeric token at the start of s (after blanks were skipped), 0 when none.
std::size_t numberTokenLength(std::string_view s)
{
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < s.size() && isDigit(s[i])) {
        ++i;
        ++digits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    // An exponent counts only when at least one digit follows it.
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        if (j < s.size() && isDigit(s[j])) {
            while (j < s.size() && isDigit(s[j]))
                ++j;
            i = j;
        }
    }
    return i;
}

std::string_view skipBlanks(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size() && isBlank(s[i]))
        ++i;
    return s.substr(i);
}

} // namespace

double LeadingNumber(std::string_view text)
{
    std::string_view s = skipBlanks(text);
    const std::size_t len = numberTokenLength(s);
    if (len == 0)
        return 0.0;
    std::string_view token = s.substr(0, len);
    bool negative = false;
    if (token.front() == '+' || token.front() == '-') {
        negative = token.front() == '-';
        token.remove_prefix(1);
    }
    double value = 0.0;
    const auto result = std::from_chars(token.data(), token.data() + token.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: follow strtod (HUGE_VAL or 0).
        const bool tiny =
            token.find("e-") != std::string_view::npos || token.find("E-") != std::string_view::npos;
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (result.ec != std::errc()) {
        return 0.0;
    }
    return negative ? -value : value;
}

int LeadingInteger(std::string_view text)
{
    std::string_view s = skipBlanks(text);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    long long value = 0;
    bool any = false;
    for (char c : s) {
        if (!isDigit(c))
            break;
        any = true;
        if (value < 100000000000LL)
            value = value * 10 + (c - '0');
    }
    if (!any)
        return 0;
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (value < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

std::int64_t DecimalScale(double x, int decimalShift)
{
    if (!std::isfinite(x) || x == 0.0)
        return 0;
    // "%.14e" gives the 15 significant digits, correctly rounded: d.dddddddddddddde[+-]XX
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(x));
    std::int64_t mantissa = 0;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p) {
        if (isDigit(*p))
            mantissa = mantissa * 10 + (*p - '0');
    }
    const int exponent = (*p == 'e') ? std::atoi(p + 1) : 0;
    // x = mantissa * 10^(exponent - 14); the product is mantissa * 10^k.
    int k = exponent - 14 + decimalShift;
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    std::int64_t result = mantissa;
    if (k >= 0) {
        for (; k > 0; --k) {
            if (result > kMax / 10) {
                result = kMax;
                break;
            }
            result *= 10;
        }
    } else {
        for (; k < 0 && result != 0; ++k)
            result /= 10; // truncation toward zero, one digit at a time
    }
    return x < 0 ? -result : result;
}

std::string FormatScaled(std::int64_t value, int decimalShift, int decimals)
{
    const bool negative = value < 0;
    // Work on the magnitude as unsigned so that the int64 minimum is safe.
    unsigned long long magnitude =
        negative ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    std::string digits = std::to_string(magnitude);
    // Drop or add decimals: value has decimalShift decimals, we want `decimals`.
    if (decimals < decimalShift) {
        const int drop = decimalShift - decimals;
        if (static_cast<int>(digits.size()) <= drop)
            digits.insert(0, static_cast<std::size_t>(drop - static_cast<int>(digits.size()) + 1), '0');
        const bool roundUp = digits[digits.size() - static_cast<std::size_t>(drop)] >= '5';
        digits.resize(digits.size() - static_cast<std::size_t>(drop));
        if (roundUp) {
            int i = static_cast<int>(digits.size()) - 1;
            while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') {
                digits[static_cast<std::size_t>(i)] = '0';
                --i;
            }
            if (i < 0)
                digits.insert(0, 1, '1');
            else
                ++digits[static_cast<std::size_t>(i)];
        }
    } else {
        digits.append(static_cast<std::size_t>(decimals - decimalShift), '0');
    }
    if (static_cast<int>(digits.size()) <= decimals)
        digits.insert(0, static_cast<std::size_t>(decimals - static_cast<int>(digits.size()) + 1), '0');
    std::string out;
    if (negative && digits.find_first_not_of('0') != std::string::npos)
        out += '-';
    out += digits.substr(0, digits.size() - static_cast<std::size_t>(decimals));
    if (decimals > 0) {
        out += '.';
        out += digits.substr(digits.size() - static_cast<std::size_t>(decimals));
    }
    return out;
}

} // namespace orx
