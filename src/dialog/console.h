// Console input readers of the navigation dialog.
//
// Every value and menu answer that the navigator types goes through one of
// five small readers, and every new screen is begun by skip().  ENTER alone,
// or a line of blanks and tabs, keeps the default that the caller offers.
// The three token readers take
// the n-th number of a typed line, so that one line such as "2017 6 17"
// answers three successive questions: the call with nth 1 reads the line,
// the calls with nth 2, 3, ... parse the same line again.  lies1 and lies2
// print the default themselves and read one real number, or degrees and
// minutes.
//
// The readers live in one ConsoleReaders object per process (readers()).
// It owns their line buffers for the life of the process and reads and
// writes through the process console (foundations/console_io.h), so tests
// can point the console at string streams.
//
// Text in a number: every reader looks at the whole line it reads.  A line
// whose fields (separated by white space, tabs among it, and at the token
// readers also by commas and semicolons) are not all numbers, such as "x",
// "12abc", "33 20 S" or, at lies1 and lies2, "33,20", is marked
// (typed_text()); the reader still hands back what the numbers at its start
// give, and the caller refuses the answer and asks again (dialog/ranges.h).
// A number is an optional sign, digits with at most one decimal point and an
// optional exponent ("-33", "11.6", ".5", "1e3"); "nan", "inf" and "0x10"
// count as text.  A line of numbers only reads as ever.
//
// End of input: a read that meets the end of input sets console().ended and
// hands back the default at once; every later read returns its default
// without waiting.  The dialog looks at console().ended after each step.
//
// Automatic mode: while it is on, every reader takes its default unread
// (lies1 and lies2 then print nothing either), and parse4nth also takes its
// default when its own iterq argument is 1.  The flag is either set with
// set_automatic() or followed from the dialog's iterq with follow_mode().
#ifndef LUNARFIX_DIALOG_CONSOLE_H
#define LUNARFIX_DIALOG_CONSOLE_H

#include <string>

namespace lunarfix {

/* trunc_int: a real number truncated toward zero to an int, without
 * overflow.
 *   x  any double
 *   returns trunc(x) clamped to [INT_MIN, INT_MAX]; NaN gives 0.
 * Notes: every conversion of a typed or computed real to a whole number in
 *   the dialog goes through it (plain (int) casts of a value outside the int
 *   range are undefined behaviour). */
int trunc_int(double x);

/* conprintf: printf-style formatted output to the console's output stream.
 *   fmt  printf format, followed by its arguments
 * Notes: the text is formatted whole (no length limit) and written as is;
 *   no line end is added. */
void conprintf(const char* fmt, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

/* conprint_dm: prints an angle held as whole degrees and decimal minutes
 * (a typed, remembered or running position) through a printf format that
 * takes an int and a double and shows the minutes with two decimals.
 * Minutes that round to 60.00 print as 0.00 with the degree carried
 * (cxround); any other value prints exactly as conprintf would. */
void conprint_dm(const char* fmt, int deg, double min);

/* conprint_dmf: as conprint_dm for degrees held as a real number (as lies2
 * hands them back; the format takes two doubles), the minutes shown with
 * ndec decimals.  Degrees with a fraction print as they are. */
void conprint_dmf(const char* fmt, int ndec, double deg, double min);

/* conputs: writes one text to the console followed by a line end (as the
 * C library's puts). */
void conputs(const char* text);

class ConsoleReaders {
public:
    ConsoleReaders();

    /* parsenth: integer token nth of a typed line.
     *   nth  which token (1 reads a new line; 2, 3, ... parse the line
     *        read by the last call with nth 1 again)
     *   kkk  default
     *   returns the value of token nth (standard text-to-int rules: leading
     *   digits count, "6.7" gives 6, "x" gives 0, values beyond the int
     *   range are clamped), or kkk for ENTER alone, for a line with fewer
     *   tokens, at end of input and in automatic mode.
     * Notes: separators are blank, tab, comma and semicolon, a run of them
     *   counts as one, and the line end; a separator after the last number
     *   adds no token ("2017 6 " + ENTER has two), and a line of blanks or
     *   tabs has none and is ENTER.  At most 60
     *   typed characters are taken; the rest of a longer line is dropped
     *   with it, so it never answers a later prompt.  Prints nothing.
     *   The call with nth 1 marks a line that holds text (typed_text());
     *   the calls with nth 2, 3, ... leave the mark as it is.
     * Reference: ISO/IEC 9899:2011, 7.22.1.2 (atoi) and 7.24.5.8 (strtok)
     *   for the text-to-int and token rules. */
    int parsenth(int nth, int kkk);

    /* parsenth_interactive: as parsenth, but reads also in automatic mode
     * (for a screen that cannot go on without an answer). */
    int parsenth_interactive(int nth, int kkk);

    /* parse4nth: as parsenth, with its own saved line; returns kkk at once,
     * reading nothing and keeping the saved line, when iterq is 1 (or the
     * console is in automatic mode).
     *   iterq  automatic-mode flag of the dialog (1 automatic)
     *   nth, kkk  as parsenth */
    int parse4nth(int iterq, int nth, int kkk);

    /* parsefd: real token nth of a typed line, with its own saved line.
     *   nth  as parsenth
     *   xxx  default
     *   returns the real value of token nth (leading number of the token;
     *   a token that begins with no number, or whose number is infinite or
     *   NaN, gives 0), or xxx as parsenth returns its default.
     * Notes: marks text as parsenth does.
     * Reference: ISO/IEC 9899:2011, 7.22.1.3 (strtod). */
    double parsefd(int nth, double xxx);

    /* lies2: degrees and minutes.
     *   x1, x2  default degrees and minutes
     *   z1, z2  degrees and minutes read (outputs)
     * Notes: prints "[Default: %.0f %.2f ] Input: " (default minutes that
     *   round to 60.00 are shown as 0.00 with the degree carried; the
     *   defaults themselves are kept), reads one line (at most
     *   59 typed characters; the rest of a longer line is dropped) and
     *   scans up to two numbers separated by white space; a number found
     *   replaces the default in its place, scanning stops at the first
     *   field that is no finite number.  A line that holds anything besides
     *   numbers is marked (typed_text()); a hemisphere letter N, S, E or W
     *   (any case, alone or at either end of a number: "33 20 S", "20S") is
     *   marked as such.  Degrees typed alone and written with a decimal
     *   point or an exponent are decimal degrees ("-33.5" gives -33 and
     *   -30, "48.0" gives 48 and 0); degrees with a fraction typed with
     *   minutes ("-33.5 10") are marked kDegreesWithFraction, a third
     *   number ("48 7 30", seconds) kSeconds, and typed minutes of 60 or
     *   more in size kMinutesOf60; these are handed back as typed.  A
     *   whole number alone ("48") replaces the degrees only.  Sign rule,
     *   applied to typed and default values alike: the minutes take the
     *   sign of the degrees; with 0 degrees they keep their own sign,
     *   unless the degrees were typed with a minus sign ("-0 30" gives 0
     *   and -30, as "0 -30" does).  A zero is returned as +0.  In automatic
     *   mode nothing is printed or read and z1, z2 receive x1, x2
     *   unchanged.
     * Reference: ISO/IEC 9899:2011, 7.21.6.2 (the %lf conversion of
     *   formatted input). */
    void lies2(double x1, double x2, double* z1, double* z2);

    /* lies1: one real number.
     *   liesdf  how the default is shown: 0 " [Default: %d ] Input: " (x1 +
     *           0.5 truncated toward zero), 1 " [Default: %.1f ] Input: ",
     *           2 " [Default: %.2f ] Input: ", 3 and above
     *           " [Default: %.8f ] Input: ", -2 "   Input: ", -1 and below -2
     *           nothing
     *   x1      default
     *   z1      value read (output); x1 when the line holds no finite number
     * Notes: reads one line of at most 59 typed characters (the rest of a
     *   longer line is dropped); the first number on it is taken, and a
     *   line that holds anything besides numbers is marked (typed_text()).
     *   In automatic mode nothing is printed or read and z1 receives x1.
     * Reference: ISO/IEC 9899:2011, 7.21.6.2 (the %lf conversion of
     *   formatted input). */
    void lies1(int liesdf, double x1, double* z1);

    /* lies1_found: 1 when the last lies1 call found a number on its line,
     * else 0. */
    int lies1_found() const { return lies1_found_; }

    /* typed_nonfinite: 1 when the line that the last parsefd, lies1 or
     * lies2 call read held, where a number was expected, one that is not
     * finite ("inf", "nan", "1e999"); the reader then kept the default,
     * and the caller refuses the answer instead of taking it. */
    int typed_nonfinite() const { return nonfinite_; }

    /* TypedText: what the line of the last answer held besides numbers. */
    enum TypedText {
        kNoText = 0,            // numbers only, ENTER, or nothing read
        kText = 1,              // a field that is not a number ("x", "12abc")
        kHemisphereLetter = 2,  // at lies2: a letter N, S, E or W ("33 20 S")
        kDegreesWithFraction = 3,  // at lies2: "-33.5 10", numbers only
        kSeconds = 4,           // at lies2: a third number ("48 7 30")
        kMinutesOf60 = 5,       // at lies2: minutes typed of 60 or more in
                                // size ("48 70")
    };

    /* typed_text: a TypedText for the line that the last lies1 or lies2
     * call, or the last token reader's call with nth 1, read; kNoText when
     * that call read nothing (ENTER, end of input, automatic mode).  The
     * caller refuses an answer marked with text instead of taking the
     * numbers at its start. */
    int typed_text() const { return text_; }

    /* typed_numbers: how many numbers the line of the last answer held (as
     * typed_text(), in the fields its reader separates); 0 when nothing
     * was read.  A question that takes one number refuses a line holding
     * two, such as a decimal comma ("2,5") at a token reader. */
    int typed_numbers() const { return numbers_; }

    /* skip: new screen.
     *   klines  number of lines holding one blank
     *   returns klines, or 0 (nothing printed) when klines is below 1.
     * Notes: prints the line " >skip> " and then klines lines " ". */
    int skip(int klines);

    /* pause: waits for one typed character; the rest of its line is
     * dropped.  Returns the character, or -1 at end of input (which sets
     * console().ended and returns at once).  Use it for every pause so that
     * discard_pending() knows where the input stands. */
    int pause();

    /* discard_pending: drops what is left of a line that a reader took only
     * in part (a line longer than the reader's buffer).  Every reader calls
     * it itself right after taking such a line, so one typed line is one
     * answer however long it is; a line that has been read to its end
     * leaves nothing to drop, so answers queued in a pipe still reach their
     * own prompts. */
    void discard_pending();

    /* Automatic mode: set_automatic() sets the flag; follow_mode() makes the
     * readers consult *iterq (non-zero: automatic) at every call instead,
     * until follow_mode(nullptr). */
    void set_automatic(bool on) { automatic_ = on; }
    void follow_mode(const int* iterq) { mode_ = iterq; }
    bool automatic() const { return mode_ ? *mode_ != 0 : automatic_; }

    /* reset: empties every saved line, forgets a partly read line and
     * switches automatic mode off (and stops following a flag). */
    void reset();

private:
    struct TokenLine {
        std::string saved;  // the saved line, parsed again for nth >= 2
    };
    // Reads one line of at most `limit` typed characters into *line (its
    // line end kept as '\n').  Returns false at end of input.
    bool read_line(std::size_t limit, std::string* line);
    // Token number nth of " " + saved into *tok; false when there are
    // fewer tokens.
    static bool token(const std::string& saved, int nth, std::string* tok);
    // Reads (nth <= 1) or reuses the saved line; returns false when the
    // default is the answer, else *tok is token nth.
    bool next_token(TokenLine* t, int nth, std::string* tok);
    // No line read yet for the answer in hand: no marks.
    void forget_line() {
        text_ = kNoText;
        numbers_ = 0;
    }

    TokenLine p_nth_, p_4nth_, p_fd_;
    std::string lies1_buf_, lies2_buf_;
    int lies1_found_;
    int nonfinite_ = 0;  // see typed_nonfinite()
    int text_ = kNoText;  // see typed_text()
    int numbers_ = 0;     // see typed_numbers()
    bool line_open_;     // a line was taken only in part: its rest is pending
    bool automatic_;
    const int* mode_;
};

/* readers: the one ConsoleReaders object of the process. */
ConsoleReaders& readers();

/* The readers of the process as plain functions (readers().xxx). */
int parsenth(int nth, int kkk);
int parse4nth(int iterq, int nth, int kkk);
double parsefd(int nth, double xxx);
void lies2(double x1, double x2, double* z1, double* z2);
void lies1(int liesdf, double x1, double* z1);
int skip(int klines);

} // namespace lunarfix

#endif
