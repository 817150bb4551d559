#pragma once

#include <cstdint>

// Numbers typed as text, converted like the C library's atoi and atof:
// leading white space skipped, an optional sign, then as many digits (and
// for reals a decimal point and an exponent) as there are; no digits give 0.
// Both stop at the first byte that cannot continue the number, so a value
// followed by ",next" converts up to the comma. Unlike the library they are
// defined for every input: integers saturate at the int32 range, reals accept
// no "inf", "nan" or hexadecimal forms, and reals beyond the float range
// become the largest float of their sign.
int32_t textToInt(const char* text);
float textToFloat(const char* text);
