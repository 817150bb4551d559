#include "engine/text_numbers.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

const char* skipSpace(const char* text) {
    while (isSpace(*text)) ++text;
    return text;
}

// Collects the bytes of a decimal real (sign, digits, point, exponent) into
// `out`, dropping what does not fit; the result is a plain strtod input.
void collectReal(const char* text, char* out, int size) {
    int used = 0;
    auto keep = [&](char c) {
        if (used < size - 1) out[used++] = c;
    };
    const char* p = skipSpace(text);
    if (*p == '+' || *p == '-') keep(*p++);
    while (isDigit(*p)) keep(*p++);
    if (*p == '.') {
        keep(*p++);
        while (isDigit(*p)) keep(*p++);
    }
    const char* exponent = p;
    if (*exponent == 'e' || *exponent == 'E') {
        const char* digits = exponent + 1;
        if (*digits == '+' || *digits == '-') ++digits;
        if (isDigit(*digits)) {
            while (p < digits) keep(*p++);
            while (isDigit(*p)) keep(*p++);
        }
    }
    out[used] = '\0';
}

}  // namespace

int32_t textToInt(const char* text) {
    const char* p = skipSpace(text);
    bool negative = *p == '-';
    if (*p == '+' || *p == '-') ++p;
    int64_t value = 0;
    const int64_t limit = negative ? -int64_t{INT32_MIN} : INT32_MAX;
    for (; isDigit(*p); ++p) {
        value = value * 10 + (*p - '0');
        if (value > limit) value = limit;  // saturate, and stay there
    }
    return static_cast<int32_t>(negative ? -value : value);
}

float textToFloat(const char* text) {
    char number[512];
    collectReal(text, number, sizeof number);
    double value = std::strtod(number, nullptr);
    if (value > FLT_MAX) return FLT_MAX;
    if (value < -FLT_MAX) return -FLT_MAX;
    return static_cast<float>(value);
}

size_t formatReal(float value, char* text, size_t size) {
    if (size == 0) return 0;
    // Every float is a binary fraction with at most 149 places, so it has an
    // exact decimal form by then; most read back after a handful.
    constexpr int kMostPlaces = 149;
    const int lastTry = std::isfinite(value) ? kMostPlaces : 1;
    for (int places = 1; places <= lastTry; ++places) {
        const int length = std::snprintf(text, size, "%.*f", places, static_cast<double>(value));
        if (length < 0 || static_cast<size_t>(length) >= size) break;
        if (places == lastTry || textToFloat(text) == value) return static_cast<size_t>(length);
    }
    text[0] = '\0';
    return 0;
}
