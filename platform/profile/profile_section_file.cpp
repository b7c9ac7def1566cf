// The section read from the file itself, in chunks, up to the end of the first matching section.
#include "platform/profile/profile_section.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr size_t kLongestKeptLine = 64 * 1024;
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
    // Of a line only its start is kept: a key and a number fit in it many times over, and a
    // gigabyte without a line end then costs no more memory than an ordinary line.
    std::string line;
    bool firstLine = true;
    const auto take = [&] {
        std::string_view text = line;
        if (firstLine && text.starts_with(kBom)) text.remove_prefix(kBom.size());
        firstLine = false;
        TakeLine(text);
        line.clear();
    };
    char chunk[64 * 1024];
    for (off_t left = st.st_size; !m_done;) {
        if (left == 0) {
            if (!line.empty()) take();
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
        for (std::string_view data(chunk, static_cast<size_t>(n)); !m_done && !data.empty();) {
            const size_t nl = data.find('\n');
            line.append(data.substr(0, std::min(nl, kLongestKeptLine - std::min(kLongestKeptLine, line.size()))));
            if (nl == std::string_view::npos) break;
            take();
            data.remove_prefix(nl + 1);
        }
    }
    close(fd);
}
