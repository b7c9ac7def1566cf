#include "tools/trace_options.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

const char kTraceUsage[] =
    "usage: quorvel-trace [--seed N] [--steps K] [--field-y F] [--front R] [--field-z Z]"
    " [--length L]\n"
    "Grows one pipe K times from the random seed N and prints its colour, radius and pieces.\n";

namespace {
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
} // namespace

std::optional<TraceOptions> ParseTraceOptions(int argc, char** argv) {
    TraceOptions o;
    for (int i = 1; i < argc; i += 2) {
        const char* name = argv[i];
        if (i + 1 >= argc) return std::nullopt;
        const char* value = argv[i + 1];
        long n = 0;
        bool ok;
        if (std::strcmp(name, "--seed") == 0) {
            ok = ParseLong(value, 0, UINT_MAX, &n);
            o.seed = static_cast<unsigned>(n);
        } else if (std::strcmp(name, "--steps") == 0) {
            ok = ParseLong(value, 0, INT_MAX, &n);
            o.steps = static_cast<int>(n);
        } else if (std::strcmp(name, "--length") == 0) {
            ok = ParseLong(value, INT_MIN, INT_MAX, &n);
            o.length = static_cast<int>(n);
        } else if (std::strcmp(name, "--field-y") == 0) {
            ok = ParseFloat(value, &o.fieldY);
        } else if (std::strcmp(name, "--front") == 0) {
            ok = ParseFloat(value, &o.front);
        } else if (std::strcmp(name, "--field-z") == 0) {
            ok = ParseFloat(value, &o.fieldZ);
        } else {
            ok = false;
        }
        if (!ok) return std::nullopt;
    }
    return o;
}
