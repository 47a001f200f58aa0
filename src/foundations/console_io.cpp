#include "foundations/console_io.h"

#include <iostream>
#include <limits>

namespace lunarfix {

ConsoleStreams& console() {
    static ConsoleStreams streams{&std::cin, &std::cout, false};
    return streams;
}

void set_console(std::istream* in, std::ostream* out) {
    ConsoleStreams& c = console();
    c.in = in;
    c.out = out;
    c.ended = false;
}

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

} // namespace lunarfix
