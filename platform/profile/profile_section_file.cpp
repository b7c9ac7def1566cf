// The section read from the file itself, in chunks, up to the end of the first matching section.
#include "platform/profile/profile_section.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
bool (*g_stop)() = nullptr;

} // namespace

void SetProfileReadStop(bool (*stop)()) { g_stop = stop; }

ProfileSection::ProfileSection(LPCSTR path, LPCSTR section) : m_section(section ? section : "") {
    if (!path || !section) return;
    // As for every read: never block on a FIFO, read only a regular file, and only the size it
    // had when opened (a pseudo-file such as /proc/self/pagemap says 0 and reads as empty).
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return;
    }
    std::string pending;
    size_t scanned = 0; // bytes at the start of pending known to hold no line end
    bool first = true;
    char chunk[64 * 1024];
    for (off_t left = st.st_size; !m_done;) {
        if (left == 0) {
            if (!pending.empty()) TakeLine(pending);
            break;
        }
        if (g_stop && g_stop()) {
            m_values.clear();
            break;
        }
        ssize_t n = read(fd, chunk, static_cast<size_t>(std::min<off_t>(left, sizeof chunk)));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            m_values.clear(); // an unreadable file reads as empty
            break;
        }
        left = n == 0 ? 0 : left - n;
        pending.append(chunk, static_cast<size_t>(n));
        if (first && pending.size() >= kBom.size()) {
            if (std::string_view(pending).starts_with(kBom)) {
                pending.erase(0, kBom.size());
                scanned = scanned > kBom.size() ? scanned - kBom.size() : 0;
            }
            first = false;
        }
        size_t start = 0;
        for (size_t nl; !m_done && (nl = pending.find('\n', std::max(start, scanned))) != std::string::npos;
             start = nl + 1)
            TakeLine(std::string_view(pending).substr(start, nl - start));
        pending.erase(0, start);
        scanned = pending.size();
    }
    close(fd);
}
