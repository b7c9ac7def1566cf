// One section of a profile read in one pass over the file, keeping only that section's keys:
// loading many keys costs one read of the file however large it is.
#pragma once

#include "platform/base/wintypes.h"

#include <string>
#include <unordered_map>

class ProfileSection {
public:
    ProfileSection(LPCSTR path, LPCSTR section);
    // What GetPrivateProfileIntA gives for this key of the section.
    UINT GetInt(LPCSTR key, int nDefault) const;

private:
    void TakeLine(std::string_view line);

    std::string m_section;
    bool m_inside = false;
    bool m_done = false; // past the first matching section: the rest of the file is not read
    std::unordered_map<std::string, std::string> m_values; // by key folded to lower case
};

// Consulted between the chunks of a section read from a file: once it returns true the read
// stops and the section reads as empty, so that a huge profile cannot hold up a program asked
// to end. Null (the default) never stops a read.
void SetProfileReadStop(bool (*stop)());
