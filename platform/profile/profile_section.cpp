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
    for (const auto& value : m_values)
        if (EqualNoCase(value.first, *key)) return; // the first occurrence wins
    m_values.emplace_back(std::string(*key), std::string(ValueOf(line)));
}

UINT ProfileSection::GetInt(LPCSTR key, int nDefault) const {
    if (!key) return static_cast<UINT>(nDefault);
    for (const auto& [name, value] : m_values)
        if (EqualNoCase(name, Trim(key)))
            return value.empty() ? static_cast<UINT>(nDefault) : static_cast<UINT>(ParseLikeAtol(value));
    return static_cast<UINT>(nDefault);
}
