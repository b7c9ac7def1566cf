#include "platform/win32/native.h"

#include <windows.h>
#include <shlobj.h>

namespace w32 {

int ReadProfileInt(const std::string& section, const std::string& key, int def, const std::string& file) {
    return static_cast<int>(
        GetPrivateProfileIntW(Widen(section).c_str(), Widen(key).c_str(), def, Widen(file).c_str()));
}

std::vector<std::string> ReadProfileSection(const std::string& section, const std::string& file) {
    const std::wstring name = Widen(section), path = Widen(file);
    std::vector<wchar_t> buffer(4096);
    DWORD length;
    // A section that does not fit comes back cut, with the length of the buffer less two.
    while ((length = GetPrivateProfileSectionW(name.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()),
                                               path.c_str())) == buffer.size() - 2)
        buffer.resize(buffer.size() * 2);
    std::vector<std::string> lines;
    for (const wchar_t* line = buffer.data(); *line; line += wcslen(line) + 1) lines.push_back(Narrow(line));
    return lines;
}

bool WriteProfileText(const std::string& section, const std::string* key, const std::string* value,
                        const std::string& file) {
    std::wstring k = key ? Widen(*key) : std::wstring();
    std::wstring v = value ? Widen(*value) : std::wstring();
    return WritePrivateProfileStringW(Widen(section).c_str(), key ? k.c_str() : nullptr,
                                      value ? v.c_str() : nullptr, Widen(file).c_str()) != FALSE;
}

std::string PerUserProfilePath(const std::string& fileName) {
    wchar_t dir[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, dir))) return {};
    return Narrow(dir) + "\\" + fileName;
}

bool FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace w32
