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
 *   and never through a link, flushed to the disc, given the permissions of
 *   the file it replaces (0644 less the umask for a new name), and then
 *   renamed over the name (keep 1: linked to it).  A name that is not a
 *   regular file (a link, FIFO, device or directory) is never replaced, nor
 *   a file without its owner's write permission, whoever runs the program. */
int save_whole(const char* path, const char* text, std::size_t size, int keep);

} // namespace lunarfix

#endif
