#include "platform/profile/file_io.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

constexpr size_t kTemporarySuffixLength = 6;  // the XXXXXX of mkstemp

} // namespace

FileContents ReadRegularFile(const std::string& path) {
    FileContents result;
    // O_NONBLOCK so that a FIFO at the path cannot hang the reader.
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        result.status = errno == ENOENT ? FileContents::Status::absent : FileContents::Status::unusable;
        return result;
    }
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        result.status = FileContents::Status::unusable;
        return result;
    }
    result.mode = st.st_mode & 07777;
    result.owner = st.st_uid;
    result.group = st.st_gid;
    std::vector<char> chunk(64 * 1024);
    // Only the size the file had when opened: a pseudo-file such as /proc/self/pagemap says 0
    // and reads as empty instead of without end.
    for (off_t left = st.st_size; left > 0;) {
        ssize_t n = read(fd, chunk.data(), static_cast<size_t>(std::min<off_t>(left, chunk.size())));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            close(fd);
            result.status = FileContents::Status::unusable;
            result.bytes.clear();
            return result;
        }
        if (n == 0) break;
        left -= n;
        result.bytes.append(chunk.data(), static_cast<size_t>(n));
    }
    close(fd);
    result.status = FileContents::Status::present;
    return result;
}

bool MakeDirectories(const std::string& dir) {
    struct stat st {};
    if (stat(dir.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
    for (size_t slash = dir.find('/', 1);; slash = dir.find('/', slash + 1)) {
        std::string prefix = dir.substr(0, slash);
        if (!prefix.empty() && mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) return false;
        if (slash == std::string::npos) break;
    }
    return stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

DirectoryLock::DirectoryLock(const std::string& dir) {
    fd_ = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) return;
    int rc;
    do rc = flock(fd_, LOCK_EX);
    while (rc != 0 && errno == EINTR);
    held_ = rc == 0;
}

DirectoryLock::~DirectoryLock() {
    if (fd_ >= 0) close(fd_);  // closing releases the lock
}

std::string TemporaryPrefix(std::string_view name) { return "." + std::string(name) + ".tmp"; }

void RemoveStaleTemporaries(const std::string& dir, std::string_view name) {
    DIR* d = opendir(dir.c_str());
    if (!d) return;
    std::string prefix = TemporaryPrefix(name);
    std::vector<std::string> stale;
    while (dirent* entry = readdir(d)) {
        std::string_view entryName = entry->d_name;
        if (entryName.size() == prefix.size() + kTemporarySuffixLength && entryName.starts_with(prefix))
            stale.emplace_back(entryName);
    }
    closedir(d);
    for (const std::string& entryName : stale) unlink((dir + "/" + entryName).c_str());
}

bool ReplaceFileAtomically(const std::string& dir, std::string_view name, std::string_view bytes, mode_t mode,
                           std::optional<FileOwner> owner) {
    std::string temporary = dir + "/" + TemporaryPrefix(name) + std::string(kTemporarySuffixLength, 'X');
    int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return false;
    // Owner first: changing the owner can clear set-id bits that fchmod then puts back.
    if (owner) (void)!fchown(fd, owner->owner, owner->group);  // may be refused; best effort
    bool ok = WriteAll(fd, bytes) && fchmod(fd, mode) == 0 && fsync(fd) == 0;
    ok = (close(fd) == 0) && ok;
    std::string target = dir + "/" + std::string(name);
    if (!ok || rename(temporary.c_str(), target.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    // Make the rename itself durable; the new content is already complete either way.
    int dirFd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        fsync(dirFd);
        close(dirFd);
    }
    return true;
}
