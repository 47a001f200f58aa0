#include "foundations/textfile.h"

#include <csignal>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <string>

#include <dirent.h>
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

// The letters and digits of a temporary name, their number, and the ending.
const char kAlphabet[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr int kTempLetters = 6;
const char kTempEnd[] = ".tmp";

// "<path>.XXXXXX.tmp" with six letters or digits drawn from the process id,
// the clock and the try number, so that two copies of the program (or two
// tries of one) pick different names.
std::string temp_name(const char* path, int attempt) {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    std::uint64_t seed = (static_cast<std::uint64_t>(getpid()) << 40) ^
                         (static_cast<std::uint64_t>(ts.tv_sec) << 20) ^
                         static_cast<std::uint64_t>(ts.tv_nsec) ^
                         (static_cast<std::uint64_t>(attempt) << 56);
    std::uint64_t bits = mix64(seed);
    std::string name(path);
    name += '.';
    for (int i = 0; i < kTempLetters; ++i) {
        name += kAlphabet[bits % 62];
        bits /= 62;
    }
    name += kTempEnd;
    return name;
}

// Whether `name` is a temporary name that temp_name gives for `path`.
bool is_temp_name(const char* name, const char* path) {
    const std::size_t n = std::strlen(path);
    if (std::strncmp(name, path, n) != 0 || name[n] != '.') return false;
    const char* p = name + n + 1;
    for (int i = 0; i < kTempLetters; ++i, ++p) {
        if (*p == '\0' || std::strchr(kAlphabet, *p) == nullptr) return false;
    }
    return std::strcmp(p, kTempEnd) == 0;
}

// The temporary file of the save in progress ("" when there is none), for
// the signal handler, which may do no more than remove it.
constexpr std::size_t kPathRoom = 4096;
char g_temporary[kPathRoom];

// The signals that end a save early and must not leave its temporary file.
const int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Gives a signal the action `handler` (SIG_DFL or a function).
// Async-signal-safe.
void set_action(int sig, void (*handler)(int)) {
    struct sigaction sa {};
    sa.sa_handler = handler;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    ::sigaction(sig, &sa, nullptr);
}

// Removes the temporary file and ends the program by the same signal with
// its default action.  Async-signal-safe calls only.
extern "C" void remove_temporary_and_end(int sig) {
    if (g_temporary[0] != '\0') ::unlink(g_temporary);
    set_action(sig, SIG_DFL);
    ::raise(sig);  // delivered as the handler returns
}

// Puts the handler in place of each ending signal's default action (once;
// a signal the program was started to ignore stays ignored).
void catch_ending_signals() {
    static bool done = false;
    if (done) return;
    done = true;
    for (int sig : kEndingSignals) {
        struct sigaction old;
        if (::sigaction(sig, nullptr, &old) == 0 && old.sa_handler == SIG_DFL)
            set_action(sig, remove_temporary_and_end);
    }
}

// Holds the ending signals back while the temporary name and the file
// under it change together (created, renamed, removed), so that the handler
// never removes a file that is not the save's own.
class EndingSignalsHeld {
public:
    EndingSignalsHeld() {
        sigset_t set;
        sigemptyset(&set);
        for (int sig : kEndingSignals) sigaddset(&set, sig);
        ::sigprocmask(SIG_BLOCK, &set, &old_);
    }
    ~EndingSignalsHeld() { ::sigprocmask(SIG_SETMASK, &old_, nullptr); }
    EndingSignalsHeld(const EndingSignalsHeld&) = delete;
    EndingSignalsHeld& operator=(const EndingSignalsHeld&) = delete;

private:
    sigset_t old_;
};

// Creates the temporary file `tmp` exclusively and, when that succeeds,
// records it for the signal handler.  Returns the descriptor or -1 (errno).
int create_temporary(const std::string& tmp, mode_t mode) {
    EndingSignalsHeld held;
    const int fd = ::open(tmp.c_str(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                          mode);
    if (fd >= 0 && tmp.size() < kPathRoom)
        std::memcpy(g_temporary, tmp.c_str(), tmp.size() + 1);
    return fd;
}

// Flushes the directory that holds `path`, so that a name just made in it
// is on the disc.  Best effort: the name is in place either way.
void flush_directory(const char* path) {
    const char* slash = std::strrchr(path, '/');
    const std::string dir =
        slash == nullptr ? std::string(".")
                         : std::string(path, static_cast<std::size_t>(
                                                 slash - path + 1));
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    (void)::fsync(fd);
    ::close(fd);
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

/* examine_name - what a save finds at a name.
 *   path     file name
 *   mode     out (may be nullptr): read, write and execute bits of a
 *            Writable file (never setuid, setgid or sticky)
 *   returns  Free, Writable, NotPlain, WriteProtected or Unseen
 * Notes: lstat, so a symbolic link is seen as a link.  Root passes every
 *   permission test, so the owner's write bit is looked at itself.
 * Reference: POSIX.1-2017, lstat(). */
NameKind examine_name(const char* path, unsigned* mode) {
    struct stat st;
    if (::lstat(path, &st) != 0)
        return errno == ENOENT ? NameKind::Free : NameKind::Unseen;
    if (!S_ISREG(st.st_mode)) return NameKind::NotPlain;
    if ((st.st_mode & S_IWUSR) == 0) return NameKind::WriteProtected;
    if (mode != nullptr) *mode = st.st_mode & 0777;
    return NameKind::Writable;
}

/* save_whole - the whole new content of a file, in one step.
 *   path, text, size  file name and the bytes it is to hold
 *   keep              0 replace; 1 create only while the name is free
 *   returns           1 saved (keep 1: or found there), 0 not saved
 * Notes:
 *   1) The name is examined first (examine_name): only a free name or a
 *      regular file whose owner may write it is written.
 *   2) The temporary file is created with O_CREAT | O_EXCL | O_NOFOLLOW: it
 *      is always new, so nothing planted under a temporary name (a link, a
 *      leftover of a killed run) is ever written through or read.
 *   3) After write and fsync the temporary file takes the read, write and
 *      execute bits of the file it replaces (a setuid, setgid or sticky bit
 *      is not carried over) and is renamed over the name; with keep 1 it
 *      is hard-linked to the name, which fails if another copy has created
 *      the file meanwhile, and that file is then kept.  After the rename
 *      (or link) the directory is flushed with fsync.  On every failure the
 *      temporary file is removed.
 *   4) While the temporary file exists its name is kept for the handler of
 *      SIGINT, SIGTERM and SIGHUP, which removes it before the program
 *      ends; the signals are held back for the moments in which the file
 *      and that name change together.
 * Reference: POSIX.1-2017, open(), fsync(), fchmod(), rename(), link(),
 *   sigaction(), sigprocmask(), raise(). */
int save_whole(const char* path, const char* text, std::size_t size, int keep) {
    unsigned old_mode = 0;
    const NameKind kind = examine_name(path, &old_mode);
    if (kind != NameKind::Free && kind != NameKind::Writable) return 0;
    if (kind == NameKind::Writable && keep) return 1;
    const bool replace_mode = kind == NameKind::Writable;
    const mode_t mode = replace_mode ? static_cast<mode_t>(old_mode) : 0644;

    catch_ending_signals();
    std::string tmp;
    int fd = -1;
    for (int attempt = 0; attempt < kNameTries && fd < 0; ++attempt) {
        tmp = temp_name(path, attempt);
        fd = create_temporary(tmp, mode);
        if (fd < 0 && errno != EEXIST) return 0;
    }
    if (fd < 0) return 0;

    bool ok = write_all(fd, text, size);
    if (ok && replace_mode && ::fchmod(fd, mode) != 0) ok = false;
    if (ok && ::fsync(fd) != 0) ok = false;
    if (::close(fd) != 0) ok = false;
    {
        EndingSignalsHeld held;
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
        g_temporary[0] = '\0';
    }
    if (ok) flush_directory(path);
    return ok ? 1 : 0;
}

/* sweep_stale_temporaries - temporary files of cut-short saves removed.
 *   paths, count  the file names whose temporary files are looked for
 *   max_age       seconds since the last change above which one is stale
 *   returns       the number of files removed
 * Notes: the working directory is listed; a name of exactly the form
 *   temp_name gives for one of the paths is examined with lstat and
 *   removed only when it is a regular file changed more than max_age
 *   seconds ago.
 * Reference: POSIX.1-2017, opendir(), readdir(), lstat(), unlink(). */
int sweep_stale_temporaries(const char* const* paths, int count, long max_age) {
    DIR* d = ::opendir(".");
    if (d == nullptr) return 0;
    const std::time_t now = std::time(nullptr);
    int removed = 0;
    while (const dirent* e = ::readdir(d)) {
        bool ours = false;
        for (int i = 0; i < count && !ours; ++i)
            ours = is_temp_name(e->d_name, paths[i]);
        struct stat st;
        if (!ours || ::lstat(e->d_name, &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        if (now - st.st_mtime > max_age && ::unlink(e->d_name) == 0) ++removed;
    }
    ::closedir(d);
    return removed;
}

} // namespace lunarfix
