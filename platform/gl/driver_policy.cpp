#include "platform/gl/driver_policy.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

namespace gl {

Preference PreferenceFromEnvironment() {
    const char* value = std::getenv("QUORVEL_GL");
    if (!value) return Preference::Hardware;
    if (std::strcmp(value, "force") == 0) return Preference::Force;
    if (std::strcmp(value, "off") == 0) return Preference::Off;
    return Preference::Hardware;
}

bool IsSoftwareRenderer(const std::string& renderer) {
    std::string lower = renderer;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const char* name : {"llvmpipe", "softpipe", "swrast", "software rasterizer", "gdi generic"})
        if (lower.find(name) != std::string::npos) return true;
    return false;
}

bool OffersDevice(const DriverInfo& driver, Preference preference) {
    if (preference == Preference::Off || !driver.usable) return false;
    return preference == Preference::Force || !driver.software;
}

} // namespace gl
