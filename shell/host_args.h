// The arguments by which a screen-saver host hands its window to the program: "-root" (the
// window in $XSCREENSAVER_WINDOW, else the desktop) and "-window-id ID". They are told apart
// from the c, p and s switches before those are looked at.
#pragma once

#include <string>

struct HostArgs {
    enum class Kind {
        None,    // no host argument: the switches decide
        Desktop, // -root without $XSCREENSAVER_WINDOW: the root or virtual root
        Window,  // a window id (from -window-id or $XSCREENSAVER_WINDOW)
        Invalid, // a host argument whose id is missing, malformed or 0
    };
    Kind kind = Kind::None;
    unsigned long window = 0;
    // The id as it was given, for messages.
    std::string idText;
};

// Looks at every argument after the program name. envWindow is $XSCREENSAVER_WINDOW (null when
// unset); it is read only with -root. --window-id wins over -root.
HostArgs ParseHostArgs(int argc, const char* const* argv, const char* envWindow);

// A window id written in decimal or as 0x hex, nonzero and within 32 bits; false otherwise.
bool ParseWindowId(const std::string& text, unsigned long* id);

// An id as a message shows it: in double quotes, only its first kQuotedIdLength characters
// (followed by "..." outside the quotes when there were more), and every byte that is not
// printable ASCII, the quote and the backslash written as \xNN. Whatever a host passes, the
// message stays one short line and writes nothing to the terminal but text.
constexpr size_t kQuotedIdLength = 64;
std::string QuoteId(const std::string& text);
