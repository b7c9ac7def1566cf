#include "platform/profile/profile.h"

#include "platform/profile/file_io.h"
#include "platform/profile/ini_document.h"
#include "platform/profile/ini_line.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

IniDocument ReadDocument(const char* path) {
    FileContents file = ReadRegularFile(path);
    return IniDocument::Parse(file.bytes);
}

DWORD CopyTruncated(std::string_view text, LPSTR buffer, DWORD size) {
    size_t n = std::min<size_t>(text.size(), size - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<DWORD>(n);
}

// Names laid out as "a\0b\0\0". A list that does not fit is cut and ends with two zeros.
DWORD CopyNameList(const std::vector<std::string>& names, LPSTR buffer, DWORD size) {
    std::string list;
    for (const std::string& name : names) {
        list += name;
        list += '\0';
    }
    if (size < 2) {
        buffer[0] = '\0';
        return 0;
    }
    if (list.size() + 1 <= size) {
        std::memcpy(buffer, list.data(), list.size());
        buffer[list.size()] = '\0';
        return static_cast<DWORD>(list.size());
    }
    std::memcpy(buffer, list.data(), size - 2);
    buffer[size - 2] = '\0';
    buffer[size - 1] = '\0';
    return size - 2;
}

// The file that a write replaces: the target of a symbolic link, so the link survives.
std::optional<std::filesystem::path> WriteTarget(const char* path) {
    std::error_code ec;
    std::filesystem::path target(path);
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(target, ec))) {
        target = std::filesystem::weakly_canonical(target, ec);
        if (ec) return std::nullopt;
    }
    if (!target.has_filename()) return std::nullopt;
    return target;
}

bool ChangeProfile(const char* path, const auto& change) {
    auto target = WriteTarget(path);
    if (!target) return false;
    std::string dir = target->has_parent_path() ? target->parent_path().string() : std::string(".");
    std::string name = target->filename().string();
    if (!MakeDirectories(dir)) return false;

    DirectoryLock lock(dir);
    if (lock.held()) RemoveStaleTemporaries(dir, name);
    FileContents file = ReadRegularFile(target->string());
    if (file.status == FileContents::Status::unusable) return false;  // never replace what we cannot read

    IniDocument doc = IniDocument::Parse(file.bytes);
    change(doc);
    std::string bytes = doc.Serialize();
    bool present = file.status == FileContents::Status::present;
    if (present && bytes == file.bytes) return true;
    std::optional<FileOwner> owner;
    if (present && (file.owner != geteuid() || file.group != getegid())) owner = FileOwner{file.owner, file.group};
    return ReplaceFileAtomically(dir, name, bytes, present ? file.mode : 0600, owner);
}

} // namespace

UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, int nDefault, LPCSTR path) {
    if (!section || !key || !path) return static_cast<UINT>(nDefault);
    std::optional<std::string> value = ReadDocument(path).Get(section, key);
    if (!value || value->empty()) return static_cast<UINT>(nDefault);
    return static_cast<UINT>(ParseLikeAtol(*value));
}

DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR def, LPSTR buffer, DWORD size, LPCSTR path) {
    if (!buffer || size == 0) return 0;
    IniDocument doc = path ? ReadDocument(path) : IniDocument();
    if (!section) return CopyNameList(doc.SectionNames(), buffer, size);
    if (!key) return CopyNameList(doc.KeyNames(section), buffer, size);
    std::optional<std::string> value = doc.Get(section, key);
    return CopyTruncated(value ? std::string_view(*value) : std::string_view(def ? def : ""), buffer, size);
}

BOOL WritePrivateProfileValues(LPCSTR section, const std::vector<std::pair<std::string, std::string>>& values,
                               LPCSTR path) {
    if (!section || !path || !IniDocument::IsStorableSection(section)) return FALSE;
    for (const auto& [key, value] : values)
        if (!IniDocument::IsStorableKey(key) || !IniDocument::IsStorableValue(value)) return FALSE;
    return ChangeProfile(path, [&](IniDocument& doc) {
        for (const auto& [key, value] : values) doc.Set(section, key, value);
    }) ? TRUE : FALSE;
}

BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR path) {
    if (!section || !path || !IniDocument::IsStorableSection(section)) return FALSE;
    if (key && !IniDocument::IsStorableKey(key)) return FALSE;
    if (value && !IniDocument::IsStorableValue(value)) return FALSE;
    return ChangeProfile(path, [&](IniDocument& doc) {
        if (!key)
            doc.RemoveSection(section);
        else if (!value)
            doc.RemoveKey(section, key);
        else
            doc.Set(section, key, value);
    }) ? TRUE : FALSE;
}
