// Number texts of the EXIF values: the general format and the one-digit aperture format.
#pragma once

#include <string>
#include <string_view>

namespace exif {

// Rounds to the nearest integer, a half to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);

// The shortest text with up to 15 significant digits: 2.8, 60, 0.5. Exponent form
// ("1E-6", "1.15292150460685E18") only below 0.00001 or with more than 15 digits before
// the separator. Infinities and NaN, which only damaged data produce, read INF, -INF, NAN.
std::string formatGeneral(double value, std::string_view decimalSeparator);

// One significant digit and one digit after the separator: 5.61 -> "6.0", 1.412 -> "1.0",
// 11.2 -> "10.0". Exponent form ("1E15") from 15 digits before the separator on.
std::string formatOneDigit(double value, std::string_view decimalSeparator);

} // namespace exif
