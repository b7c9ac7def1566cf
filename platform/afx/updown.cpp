#include "platform/afx/updown.h"

#include "platform/afx/int_text.h"

#include <algorithm>

int UpDownStep(const char* buddyText, int lastPos, UpDownRange range, bool up) {
    int pos = lastPos;
    AfxParseInt(buddyText, &pos);
    const int low = std::min(range.lower, range.upper);
    const int high = std::max(range.lower, range.upper);
    const bool increase = up == (range.upper >= range.lower);
    long long next = static_cast<long long>(pos) + (increase ? 1 : -1);
    return static_cast<int>(std::clamp<long long>(next, low, high));
}
