// File operations under the profile functions: whole-file reads that never block or
// follow into non-regular files, and replacement by write-to-temporary-then-rename.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

struct FileContents {
    enum class Status { present, absent, unusable } status = Status::absent;
    std::string bytes;
    mode_t mode = 0;  // permission bits of a present file
    uid_t owner = 0;
    gid_t group = 0;
};

// Reads a regular file whole, as large as it was when opened. A missing file is `absent`; a
// directory, device, FIFO or a file that cannot be opened or read is `unusable`.
FileContents ReadRegularFile(const std::string& path);

// Creates the directory and its missing parents with mode 0700 (existing ones are left as they are).
bool MakeDirectories(const std::string& dir);

// Holds an exclusive lock on a directory while the profile files in it are rewritten, so that
// two writers never lose each other's change and a writer may remove temporaries left by a
// killed one. Locking is best effort: `held()` is false where the file system refuses it.
class DirectoryLock {
public:
    explicit DirectoryLock(const std::string& dir);
    ~DirectoryLock();
    DirectoryLock(const DirectoryLock&) = delete;
    DirectoryLock& operator=(const DirectoryLock&) = delete;
    bool held() const { return held_; }

private:
    int fd_ = -1;
    bool held_ = false;
};

// The name prefix of the temporaries that replace `name` ("." + name + ".tmp", then six characters).
std::string TemporaryPrefix(std::string_view name);

// Removes temporaries of `name` left in `dir` by a writer that was killed before its rename.
// Call only while holding the DirectoryLock.
void RemoveStaleTemporaries(const std::string& dir, std::string_view name);

// Writes `bytes` to a new temporary in `dir`, flushes it to disk and renames it over
// dir/name. The new file gets `mode`; when `owner` is given the file keeps that owner and
// group where the caller may set them. On failure the temporary is removed, the old file
// is untouched and the result is false.
struct FileOwner {
    uid_t owner;
    gid_t group;
};
bool ReplaceFileAtomically(const std::string& dir, std::string_view name, std::string_view bytes, mode_t mode,
                           std::optional<FileOwner> owner);
