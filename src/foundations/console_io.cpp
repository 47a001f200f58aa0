#include "foundations/console_io.h"

#include <cstdio>
#include <iostream>
#include <limits>
#include <string>
#include <vector>

namespace lunarfix {

namespace {

// The files reported in this run.
std::vector<std::string>& reported() {
    static std::vector<std::string> names;
    return names;
}

} // namespace

/* console - the one console of the process.
 *   returns  the console streams (at first std::cin and std::cout) and the
 *            end-of-input flag, shared by every reader and screen
 * Notes: static storage for the life of the process. */
ConsoleStreams& console() {
    static ConsoleStreams streams{&std::cin, &std::cout, false};
    return streams;
}

/* set_console - point the console at other streams.
 *   in   stream the typed lines and keys come from
 *   out  stream the screens and messages go to
 * Notes: clears the end-of-input flag, and the files reported so far: what
 *   was said on the former output has not been seen on this one. */
void set_console(std::istream* in, std::ostream* out) {
    ConsoleStreams& c = console();
    c.in = in;
    c.out = out;
    c.ended = false;
    start_reports();
}

/* first_report - whether a file is reported for the first time in the run.
 *   name     file name
 *   returns  true (and the name is noted) when it was not reported yet
 * Notes: the names noted live in static storage until start_reports. */
bool first_report(const char* name) {
    std::vector<std::string>& names = reported();
    for (const std::string& n : names) {
        if (n == name) return false;
    }
    names.emplace_back(name);
    return true;
}

/* start_reports - a new run: no file has been reported in it yet. */
void start_reports() { reported().clear(); }

/* wait_key - pause for one typed character.
 *   returns  the character, or -1 at the end of input
 * Notes: flushes the output first; the rest of the typed line is dropped so
 * that a following prompt reads the next line.  At the end of input the
 * flag `ended` is set and this and every later call return at once. */
int wait_key() {
    ConsoleStreams& c = console();
    c.out->flush();
    if (c.ended) return -1;
    int ch = c.in->get();
    if (ch == std::char_traits<char>::eof()) {
        c.in->clear();
        c.ended = true;
        return -1;
    }
    if (ch != '\n') c.in->ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    if (c.in->eof()) c.in->clear();
    return ch;
}

/* console_output_ok - whether every screen reached the output.
 *   returns  true when the output stream is still good after a flush and,
 *            for std::cout, standard output shows no error after fflush
 * Notes: std::cout writes through the C library's stdout, whose buffer may
 *   only fail when it is flushed, so both are flushed and examined. */
bool console_output_ok() {
    ConsoleStreams& c = console();
    c.out->flush();
    bool ok = !c.out->fail();
    if (c.out == &std::cout) {
        if (std::fflush(stdout) != 0 || std::ferror(stdout)) ok = false;
    }
    return ok;
}

} // namespace lunarfix
