#include "shell/host_args.h"

#include <cctype>
#include <cstdio>
#include <cstring>

bool ParseWindowId(const std::string& text, unsigned long* id) {
    std::string digits = text;
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits = digits.substr(2);
        base = 16;
    }
    if (digits.empty() || digits.size() > 10) return false;
    unsigned long long value = 0;
    for (char c : digits) {
        int d;
        if (std::isdigit(static_cast<unsigned char>(c)))
            d = c - '0';
        else if (base == 16 && std::isxdigit(static_cast<unsigned char>(c)))
            d = std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
        else
            return false;
        value = value * static_cast<unsigned>(base) + static_cast<unsigned>(d);
    }
    // X ids fit in 29 bits; anything beyond 32 cannot name a window anywhere.
    if (value == 0 || value > 0xFFFFFFFFull) return false;
    *id = static_cast<unsigned long>(value);
    return true;
}

std::string QuoteId(const std::string& text) {
    std::string quoted = "\"";
    for (size_t i = 0; i < text.size() && i < kQuotedIdLength; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
            quoted += static_cast<char>(c);
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            quoted += escaped;
        }
    }
    quoted += '"';
    if (text.size() > kQuotedIdLength) quoted += "...";
    return quoted;
}

namespace {

HostArgs WindowFrom(const std::string& text) {
    HostArgs args;
    args.idText = text;
    args.kind = ParseWindowId(text, &args.window) ? HostArgs::Kind::Window : HostArgs::Kind::Invalid;
    return args;
}

} // namespace

HostArgs ParseHostArgs(int argc, const char* const* argv, const char* envWindow) {
    bool root = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (!std::strcmp(arg, "-root") || !std::strcmp(arg, "--root")) {
            root = true;
        } else if (!std::strcmp(arg, "-window-id") || !std::strcmp(arg, "--window-id")) {
            return WindowFrom(i + 1 < argc ? argv[i + 1] : "");
        } else if (!std::strncmp(arg, "--window-id=", 12)) {
            return WindowFrom(arg + 12);
        }
    }
    if (!root) return {};
    if (!envWindow) return {HostArgs::Kind::Desktop, 0, ""};
    return WindowFrom(envWindow);
}
