// The text console that the program reads its answers from and writes its
// screens and messages to.  main() points it at std::cin/std::cout; tests
// point it at string streams so that whole dialogs run in-process.
#ifndef LUNARFIX_FOUNDATIONS_CONSOLE_IO_H
#define LUNARFIX_FOUNDATIONS_CONSOLE_IO_H

#include <iosfwd>

namespace lunarfix {

/* ConsoleStreams: the input and output streams of the console.
 *   in     stream the typed lines and keys come from
 *   out    stream the screens and messages go to
 *   ended  set once a read met the end of input; from then on every read
 *          returns at once (nothing waits, nothing loops), and the dialog
 *          ends the run at its next step. */
struct ConsoleStreams {
    std::istream* in;
    std::ostream* out;
    bool ended;
};

/* console: the one console of the process (defaults: std::cin, std::cout). */
ConsoleStreams& console();

/* set_console: points the console at other streams and clears `ended`
 * and the files reported so far (see first_report). */
void set_console(std::istream* in, std::ostream* out);

/* first_report: whether a report about a file is the first of the run.
 *   name     file name the report is about
 *   returns  true the first time a name is passed since the run began
 *            (start_reports), false at every later call with that name
 * Notes: a file that cannot be read or written is named once in a run, the
 *   first time, not at every attempt to use it. */
bool first_report(const char* name);

/* start_reports: forgets the files reported so far, as a new run begins. */
void start_reports();

/* wait_key: a pause that waits for one typed character; the rest of that
 * line is dropped, so that a following prompt reads the next line.
 * Returns the character, or -1 at end of input (then sets `ended` and goes
 * on at once). */
int wait_key();

/* console_output_ok: flushes the console's output and tells whether all of
 * it was written: false once the output stream has failed, or, when it is
 * the process's standard output, when the C library reports a write error
 * on it (a full disc, a closed pipe, /dev/full). */
bool console_output_ok();

} // namespace lunarfix

#endif
