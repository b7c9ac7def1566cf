#include "platform/profile/profile.h"

#include <cstdlib>
#include <pwd.h>
#include <string_view>
#include <unistd.h>

namespace {

std::string ConfigDirectory() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') {
        std::string dir = xdg;
        while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
        return dir;
    }
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.config";
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir && pw->pw_dir[0] == '/')
        return std::string(pw->pw_dir) + "/.config";
    return ".";
}

} // namespace

std::string ProfilePathForProgram(const char* programPath) {
    std::string_view name = programPath ? programPath : "";
    if (size_t slash = name.rfind('/'); slash != std::string_view::npos) name.remove_prefix(slash + 1);
    // A leading dot names a hidden file; it does not start an extension.
    if (size_t dot = name.rfind('.'); dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
    return ConfigDirectory() + "/" + std::string(name) + ".INI";
}
