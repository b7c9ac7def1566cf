#include "platform/win32/settings_switch.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

BOOL ParseSettingsSwitch(const char* arg, HWND* owner) {
    if (!arg) return FALSE;
    if (arg[0] == '/' || arg[0] == '-') ++arg; // one leading switch mark, as for every switch
    if ((arg[0] != 'c' && arg[0] != 'C') || arg[1] != ':') return FALSE;
    const char* digits = arg + 2;
    if (!std::isdigit(static_cast<unsigned char>(*digits))) return FALSE;
    char* end = nullptr;
    errno = 0;
    unsigned long long value = std::strtoull(digits, &end, 10);
    if (*end != '\0' || errno == ERANGE || value > UINTPTR_MAX) return FALSE;
    *owner = reinterpret_cast<HWND>(static_cast<uintptr_t>(value));
    return TRUE;
}
