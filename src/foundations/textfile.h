// The program's own text files in the working directory (the Delta T
// prediction table and the remembered inputs): opened for reading only when
// they are plain regular files, and written whole through a fresh temporary
// file that replaces the name in one step, so that a file is never seen half
// written, never written through a link, and never shared between two copies
// of the program running in the same directory.
#ifndef LUNARFIX_FOUNDATIONS_TEXTFILE_H
#define LUNARFIX_FOUNDATIONS_TEXTFILE_H

#include <cstddef>
#include <cstdio>

namespace lunarfix {

/* open_regular: opens a file for reading when its name is a regular file.
 *   path     file name
 *   returns  the open stream (the caller closes it), or nullptr; errno is
 *            then ENOENT when nothing has that name, EINVAL when the name is
 *            not a regular file (a symbolic link, a FIFO, a socket, a device,
 *            a directory), and another value for a regular file that cannot
 *            be opened for reading (EACCES: its permissions forbid it).
 * Notes: never waits (a FIFO without a writer is refused at once) and never
 *   follows a symbolic link. */
std::FILE* open_regular(const char* path);

/* NameKind: what a name in the directory holds, as a save finds it. */
enum class NameKind {
    Free,            // nothing has the name: a save creates the file
    Writable,        // a regular file whose owner may write it: replaced
    NotPlain,        // a link, FIFO, socket, device or directory: never written
    WriteProtected,  // a regular file without its owner's write permission
    Unseen           // the name cannot be examined (lstat fails otherwise)
};

/* examine_name: what a save would find at a name.
 *   path     file name
 *   mode     out (may be nullptr): the read, write and execute bits of a
 *            Writable file (setuid, setgid and sticky left out)
 *   returns  the kind of the name (see NameKind)
 * Notes: never follows a symbolic link.  Only a Free or Writable name is
 *   ever written (save_whole) or removed (the reset of the title screen);
 *   the owner's write bit is looked at itself, so a write-protected file is
 *   kept also when root runs the program. */
NameKind examine_name(const char* path, unsigned* mode);

/* save_whole: writes text as the whole new content of a file.
 *   path     file name
 *   text     the bytes to write
 *   size     their number
 *   keep     0: an existing file is replaced; 1: the file is created only
 *            while the name is free, and a file that appears under the name
 *            meanwhile (written by another copy of the program) is kept
 *   returns  1 when the name holds the new content (with keep 1: or the
 *            file found there); 0 when nothing was written, and then the
 *            name and whatever it holds are untouched and no temporary file
 *            is left
 * Notes: the bytes go into a new file "<path>.XXXXXX.tmp" (six letters or
 *   digits unique to this write) in the same directory, created exclusively
 *   and never through a link, flushed to the disc, given the read, write and
 *   execute bits of the file it replaces (never its setuid, setgid or
 *   sticky bit; 0644 less the umask for a new name), and then
 *   renamed over the name (keep 1: linked to it), and the directory is
 *   flushed so that the new name survives a power cut.  Only a Free or
 *   Writable name is written (see examine_name).  SIGINT, SIGTERM or SIGHUP
 *   arriving while the temporary file exists remove it before the program
 *   ends by the signal as it would have without a handler (a signal the
 *   program was started to ignore stays ignored). */
int save_whole(const char* path, const char* text, std::size_t size, int keep);

/* sweep_stale_temporaries: removes temporary files of earlier saves that
 * were cut short (a killed program, a power cut).
 *   paths    the file names whose temporary files are looked for
 *   count    their number
 *   max_age  age in seconds (by the time of the last change) above which
 *            a temporary file is stale
 *   returns  the number of files removed
 * Notes: only names of exactly the form save_whole gives, "<path>." and six
 *   letters or digits and ".tmp", in the working directory are looked at,
 *   and only regular files among them (never through a link) are removed.
 *   A younger temporary file may belong to another copy of the program
 *   saving now, and stays. */
int sweep_stale_temporaries(const char* const* paths, int count, long max_age);

} // namespace lunarfix

#endif
