#pragma once

#include <cstddef>
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

// Writes `value` as the shortest decimal text with at least one decimal
// place that textToFloat reads back as the same float: 1.0 as "1.0", 1.25 as
// "1.25", 0.8 as "0.8". Returns the text's length, or 0 (and an empty text)
// when it does not fit in `size` bytes.
size_t formatReal(float value, char* text, size_t size);
