#include "exif/core/number_format.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace exif {
namespace {

// A finite, non-zero number as digits d1 d2 ... dn meaning d1.d2...dn x 10^exponent.
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

// to_chars rounds the exact binary value correctly and, unlike printf, never looks at
// the locale, so the separator stays ours to choose.
Decimal toDecimal(double value, int significantDigits)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific,
                                   significantDigits - 1);
    const std::string_view text(buf, res.ptr - buf);
    Decimal d;
    std::size_t i = 0;
    if (text[i] == '-') {
        d.negative = true;
        ++i;
    }
    for (; i < text.size() && text[i] != 'e'; ++i)
        if (text[i] != '.')
            d.digits += text[i];
    const std::string_view exp = text.substr(i + 1);
    std::from_chars(exp.data() + (exp.front() == '+' ? 1 : 0), exp.data() + exp.size(), d.exponent);
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

std::string exponentForm(const Decimal& d, std::string_view sep)
{
    std::string s = d.negative ? "-" : "";
    s += d.digits[0];
    if (d.digits.size() > 1) {
        s += sep;
        s += d.digits.substr(1);
    }
    s += 'E';
    s += std::to_string(d.exponent);
    return s;
}

std::string fixedForm(const Decimal& d, std::string_view sep)
{
    std::string s = d.negative ? "-" : "";
    if (d.exponent < 0) {
        s += '0';
        s += sep;
        s.append(static_cast<std::size_t>(-d.exponent - 1), '0');
        s += d.digits;
        return s;
    }
    const auto intDigits = static_cast<std::size_t>(d.exponent) + 1;
    if (d.digits.size() <= intDigits) {
        s += d.digits;
        s.append(intDigits - d.digits.size(), '0');
        return s;
    }
    s += d.digits.substr(0, intDigits);
    s += sep;
    s += d.digits.substr(intDigits);
    return s;
}

const char* nonFiniteText(double value)
{
    if (std::isnan(value))
        return "NAN";
    return value < 0 ? "-INF" : "INF";
}

} // namespace

double roundHalfEven(double value)
{
    // nearbyint follows the rounding mode, which is to-nearest-even unless someone changed it.
    return std::nearbyint(value);
}

std::string formatGeneral(double value, std::string_view decimalSeparator)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    if (value == 0)
        return "0";
    const Decimal d = toDecimal(value, 15);
    if (d.exponent < -5 || d.exponent >= 15)
        return exponentForm(d, decimalSeparator);
    return fixedForm(d, decimalSeparator);
}

std::string formatOneDigit(double value, std::string_view decimalSeparator)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    Decimal d = value == 0 ? Decimal{false, "0", 0} : toDecimal(value, 1);
    if (d.exponent >= 15)
        return exponentForm(d, decimalSeparator);
    if (d.exponent < -1) {
        // Below 0.095 the one digit after the separator is all that is left of the value.
        const double tenths = roundHalfEven(std::abs(value) * 10);
        d.digits.assign(1, tenths >= 1 ? '1' : '0');
        d.exponent = -1;
    }
    std::string s = fixedForm(d, decimalSeparator);
    if (d.exponent >= 0) {
        s += decimalSeparator;
        s += '0';
    }
    return s;
}

} // namespace exif
