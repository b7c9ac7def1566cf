// One section through the system's own reader: one call for all of its keys.
#include "platform/profile/profile_section.h"
#include "platform/win32/native.h"
#include "platform/win32/win32_profile.h"

ProfileSection::ProfileSection(LPCSTR path, LPCSTR section) : m_section(section ? section : "") {
    if (!path || !section) return;
    m_inside = true;
    for (const std::string& line : w32::ReadProfileSection(section, ResolveProfilePath(path))) TakeLine(line);
}
