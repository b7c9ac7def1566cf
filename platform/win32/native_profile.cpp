#include "platform/win32/native.h"

#include <windows.h>
#include <shlobj.h>

namespace w32 {

int ReadProfileInt(const std::string& section, const std::string& key, int def, const std::string& file) {
    return static_cast<int>(
        GetPrivateProfileIntW(Widen(section).c_str(), Widen(key).c_str(), def, Widen(file).c_str()));
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
