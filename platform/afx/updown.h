// The arrow step of an up-down control that keeps its position in a buddy box as an integer.
#pragma once

struct UpDownRange {
    int lower, upper; // the up arrow moves towards upper, whichever is larger
};

// Position after one step up (up = true) or down: the buddy's text is read as the position when
// it holds an integer, else the control's last position is used; the result is clamped into
// the range.
int UpDownStep(const char* buddyText, int lastPos, UpDownRange range, bool up);
