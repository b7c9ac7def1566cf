#include "platform/profile/profile_section.h"

#include "platform/profile/ini_line.h"

void ProfileSection::TakeLine(std::string_view line) {
    if (auto name = SectionName(line)) {
        if (m_inside) m_done = true; // only the first matching section counts
        m_inside = EqualNoCase(*name, Trim(m_section));
        return;
    }
    if (!m_inside) return;
    auto key = KeyName(line);
    if (!key) return;
    m_values.try_emplace(FoldCase(*key), ValueOf(line)); // the first occurrence wins
}

UINT ProfileSection::GetInt(LPCSTR key, int nDefault) const {
    if (!key) return static_cast<UINT>(nDefault);
    auto it = m_values.find(FoldCase(Trim(key)));
    if (it == m_values.end() || it->second.empty()) return static_cast<UINT>(nDefault);
    return static_cast<UINT>(ParseLikeAtol(it->second));
}
