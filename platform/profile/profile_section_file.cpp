// The section read from the file itself, in chunks, up to the end of the first matching section.
#include "platform/profile/profile_section.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

} // namespace

ProfileSection::ProfileSection(LPCSTR path, LPCSTR section) : m_section(section ? section : "") {
    if (!path || !section) return;
    // As for every read: never block on a FIFO, read only a regular file.
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return;
    }
    std::string pending;
    bool first = true;
    char chunk[64 * 1024];
    while (!m_done) {
        ssize_t n = read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            m_values.clear(); // an unreadable file reads as empty
            break;
        }
        if (n == 0) {
            if (!pending.empty()) TakeLine(pending);
            break;
        }
        pending.append(chunk, static_cast<size_t>(n));
        if (first && pending.size() >= kBom.size()) {
            if (std::string_view(pending).starts_with(kBom)) pending.erase(0, kBom.size());
            first = false;
        }
        size_t start = 0;
        for (size_t nl; !m_done && (nl = pending.find('\n', start)) != std::string::npos; start = nl + 1)
            TakeLine(std::string_view(pending).substr(start, nl - start));
        pending.erase(0, start);
    }
    close(fd);
}

