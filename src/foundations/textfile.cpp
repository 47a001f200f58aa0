#include "foundations/textfile.h"

#include <cerrno>
#include <cstdint>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace lunarfix {

namespace {

// Tries at most this many temporary names before giving up: with 62^6
// names a clash is already rare, and a directory that refuses that many
// names refuses them all.
constexpr int kNameTries = 100;

// A 64-bit mix (splitmix64) that spreads the bits of its argument.
std::uint64_t mix64(std::uint64_t z) {
    z += 0x9E3779B97F4A7C15ULL;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

// "<path>.XXXXXX.tmp" with six letters or digits drawn from the process id,
// the clock and the try number, so that two copies of the program (or two
// tries of one) pick different names.
std::string temp_name(const char* path, int attempt) {
    static const char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    std::uint64_t seed = (static_cast<std::uint64_t>(getpid()) << 40) ^
                         (static_cast<std::uint64_t>(ts.tv_sec) << 20) ^
                         static_cast<std::uint64_t>(ts.tv_nsec) ^
                         (static_cast<std::uint64_t>(attempt) << 56);
    std::uint64_t bits = mix64(seed);
    std::string name(path);
    name += '.';
    for (int i = 0; i < 6; ++i) {
        name += kAlphabet[bits % 62];
        bits /= 62;
    }
    name += ".tmp";
    return name;
}

// Writes all bytes to fd; false on any error.
bool write_all(int fd, const char* text, std::size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, text, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        text += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

/* open_regular - a file opened for reading only when it is a regular file.
 *   path     file name
 *   returns  the stream, or nullptr (errno ENOENT: no such name; EINVAL:
 *            not a regular file; else why a regular file did not open)
 * Notes: the name is opened without following a link and without waiting
 *   (O_NONBLOCK, so a FIFO without a writer cannot hold the program), then
 *   examined with fstat; anything but a regular file is closed again and
 *   refused with errno EINVAL.  When the open itself fails, lstat tells a
 *   name that is not a regular file (a link, a socket) from a regular file
 *   that may not be read.  The non-blocking flag is cleared before the
 *   stream is built on the descriptor.
 * Reference: POSIX.1-2017, open() (O_NOFOLLOW, O_NONBLOCK), fstat(),
 *   lstat(), fdopen(). */
std::FILE* open_regular(const char* path) {
    int fd = ::open(path, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int e = errno;
        struct stat st;
        if (::lstat(path, &st) != 0)
            errno = (errno == ENOENT) ? ENOENT : e;
        else
            errno = S_ISREG(st.st_mode) ? e : EINVAL;
        return nullptr;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return nullptr;
    }
    int flags = ::fcntl(fd, F_GETFL);
    if (flags != -1) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    std::FILE* f = ::fdopen(fd, "rb");
    if (f == nullptr) {
        int e = errno;
        ::close(fd);
        errno = e;
    }
    return f;
}

/* save_whole - the whole new content of a file, in one step.
 *   path, text, size  file name and the bytes it is to hold
 *   keep              0 replace; 1 create only while the name is free
 *   returns           1 saved (keep 1: or found there), 0 not saved
 * Notes:
 *   1) The name is examined with lstat first: a name that is there but is
 *      not a regular file, or a file whose owner may not write it, is left
 *      alone (root passes every permission test, so the owner's write bit
 *      is looked at itself).
 *   2) The temporary file is created with O_CREAT | O_EXCL | O_NOFOLLOW: it
 *      is always new, so nothing planted under a temporary name (a link, a
 *      leftover of a killed run) is ever written through or read.
 *   3) After write and fsync the temporary file takes the permission bits
 *      of the file it replaces and is renamed over the name; with keep 1 it
 *      is hard-linked to the name, which fails if another copy has created
 *      the file meanwhile, and that file is then kept.  On every failure the
 *      temporary file is removed.
 * Reference: POSIX.1-2017, open(), fsync(), fchmod(), rename(), link(). */
int save_whole(const char* path, const char* text, std::size_t size, int keep) {
    mode_t mode = 0644;
    bool replace_mode = false;
    struct stat st;
    if (::lstat(path, &st) == 0) {
        if (!S_ISREG(st.st_mode) || (st.st_mode & S_IWUSR) == 0) return 0;
        if (keep) return 1;
        mode = st.st_mode & 07777;
        replace_mode = true;
    } else if (errno != ENOENT) {
        return 0;
    }

    std::string tmp;
    int fd = -1;
    for (int attempt = 0; attempt < kNameTries && fd < 0; ++attempt) {
        tmp = temp_name(path, attempt);
        fd = ::open(tmp.c_str(),
                    O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd < 0 && errno != EEXIST) return 0;
    }
    if (fd < 0) return 0;

    bool ok = write_all(fd, text, size);
    if (ok && replace_mode && ::fchmod(fd, mode) != 0) ok = false;
    if (ok && ::fsync(fd) != 0) ok = false;
    if (::close(fd) != 0) ok = false;
    if (ok) {
        if (keep) {
            // A file system without hard links: the rename is the one
            // step left (another copy can only have written the same).
            if (::link(tmp.c_str(), path) != 0 && errno != EEXIST &&
                !((errno == EPERM || errno == EOPNOTSUPP) &&
                  std::rename(tmp.c_str(), path) == 0)) {
                ok = false;
            }
        } else if (std::rename(tmp.c_str(), path) != 0) {
            ok = false;
        }
    }
    if (keep || !ok) ::unlink(tmp.c_str());
    return ok ? 1 : 0;
}

} // namespace lunarfix
