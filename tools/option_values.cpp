#include "tools/option_values.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

bool ParseLong(const char* text, long min, long max, long* out) {
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || v < min || v > max) return false;
    *out = v;
    return true;
}

bool ParseFloat(const char* text, float* out) {
    char* end = nullptr;
    errno = 0;
    float v = std::strtof(text, &end);
    if (errno != 0 || end == text || *end != '\0' || !std::isfinite(v)) return false;
    *out = v;
    return true;
}
