// The profile functions on Windows are the system's own. A bare file name means the Windows
// directory, as the system expects; where that directory cannot be written (a modern Windows
// without administrator rights) the settings go to a file of the same name in the user's
// application-data folder, and once that file exists it is read and written first, so a save
// is never lost and never shadowed by an older file in the Windows directory.
#include "platform/win32/win32_profile.h"

#include "platform/profile/profile.h"
#include "platform/win32/native.h"

#include <string_view>

namespace {

bool IsBareName(std::string_view path) { return path.find_first_of("\\/:") == std::string_view::npos; }

} // namespace

std::string ResolveProfilePath(const std::string& path) {
    if (!IsBareName(path)) return path;
    std::string perUser = w32::PerUserProfilePath(path);
    return !perUser.empty() && w32::FileExists(perUser) ? perUser : path;
}

UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, int nDefault, LPCSTR path) {
    if (!section || !key || !path) return static_cast<UINT>(nDefault);
    return static_cast<UINT>(w32::ReadProfileInt(section, key, nDefault, ResolveProfilePath(path)));
}

BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR path) {
    if (!section || !path) return FALSE;
    const std::string k = key ? key : "", v = value ? value : "";
    const std::string* pk = key ? &k : nullptr;
    const std::string* pv = value ? &v : nullptr;
    const std::string target = ResolveProfilePath(path);
    if (w32::WriteProfileText(section, pk, pv, target)) return TRUE;
    if (target != path || !IsBareName(path)) return FALSE;
    std::string perUser = w32::PerUserProfilePath(path);
    return !perUser.empty() && w32::WriteProfileText(section, pk, pv, perUser);
}

// The system's profile has no write of several keys at once: each is written in turn.
BOOL WritePrivateProfileValues(LPCSTR section, const std::vector<std::pair<std::string, std::string>>& values,
                               LPCSTR path) {
    BOOL ok = TRUE;
    for (const auto& [key, value] : values)
        ok = WritePrivateProfileStringA(section, key.c_str(), value.c_str(), path) && ok;
    return ok;
}

std::string ProfilePathForProgram(const char* programPath) {
    std::string_view name = programPath ? programPath : "";
    if (size_t sep = name.find_last_of("\\/:"); sep != std::string_view::npos) name.remove_prefix(sep + 1);
    if (size_t dot = name.rfind('.'); dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
    return std::string(name) + ".INI";
}
