#include "platform/afx/int_text.h"

#include <cstdint>

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
} // namespace

bool AfxParseInt(const char* text, int* value) {
    if (!text) return false;
    const char* p = text;
    while (IsBlank(*p)) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    const int64_t limit = negative ? -static_cast<int64_t>(INT32_MIN) : INT32_MAX;
    int64_t magnitude = 0;
    const char* digits = p;
    for (; *p >= '0' && *p <= '9'; ++p) {
        magnitude = magnitude * 10 + (*p - '0');
        if (magnitude > limit) return false;
    }
    if (p == digits) return false;
    while (IsBlank(*p)) ++p;
    if (*p != '\0') return false;
    *value = static_cast<int>(negative ? -magnitude : magnitude);
    return true;
}
