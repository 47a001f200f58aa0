// lunarfix: position and clock time of a ship at sea from a lunar distance
// and two sextant sights.  The program reads the navigator's answers from
// standard input and writes its screens to standard output; it keeps its
// remembered inputs and the Delta T prediction table in the working
// directory.
#include "dialog/console.h"
#include "dialog/dialog.h"

int main() {
    lunarfix::Dialog dialog(&lunarfix::readers());
    return dialog.run();
}
