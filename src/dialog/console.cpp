#include "dialog/console.h"

#include "foundations/console_io.h"
#include "foundations/foundations.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <istream>
#include <ostream>
#include <vector>

namespace lunarfix {

namespace {

// Typed characters a token reader takes from one line (its buffer holds 60
// characters and the terminator).
constexpr std::size_t kTokenLine = 60;
// Typed characters lies1 and lies2 take from one line.
constexpr std::size_t kValueLine = 59;

bool is_space(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

bool is_separator(char c) {
    return c == ' ' || c == '\t' || c == ',' || c == ';';
}

// Text to int as the C library's atoi reads it (white space, sign, digits),
// clamped to the int range instead of overflowing.
int text_to_int(const char* s) {
    while (*s != '\0' && is_space(*s)) ++s;
    bool neg = false;
    if (*s == '+' || *s == '-') {
        neg = (*s == '-');
        ++s;
    }
    long long v = 0;
    while (*s >= '0' && *s <= '9') {
        if (v <= static_cast<long long>(INT_MAX) + 1) v = v * 10 + (*s - '0');
        ++s;
    }
    if (neg) v = -v;
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

// One real number at *p (white space skipped).  Returns false, leaving *p
// and *x, when no number starts there or the number is not finite (then
// *nonfinite is 1 for a number that is not finite, 0 for none); otherwise
// moves *p past it and leaves *nonfinite.  *minus (when given) tells
// whether the number was typed with a minus sign, "-0" included.
bool scan_real(const char** p, double* x, int* nonfinite,
               bool* minus = nullptr) {
    const char* s = *p;
    char* end = nullptr;
    double v = std::strtod(s, &end);
    if (end == s || !std::isfinite(v)) {
        *nonfinite = end != s ? 1 : 0;
        return false;
    }
    *p = end;
    if (minus != nullptr) *minus = std::signbit(v);
    *x = (v == 0.0) ? 0.0 : v;  // no negative zero
    return true;
}

// A field of a typed line that is wholly one number as the readers write
// numbers: an optional sign, digits with at most one decimal point (at
// least one digit), and an optional exponent ("-33", "11.6", ".5", "1e3").
bool is_number(const char* s, std::size_t n) {
    std::size_t i = 0;
    if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < n && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
    if (i < n && s[i] == '.') {
        ++i;
        while (i < n && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
        std::size_t exp_digits = 0;
        while (i < n && s[i] >= '0' && s[i] <= '9') ++i, ++exp_digits;
        if (exp_digits == 0) return false;
    }
    return i == n;
}

bool is_hemisphere_letter(char c) {
    const char u = static_cast<char>(
        std::toupper(static_cast<unsigned char>(c)));
    return u == 'N' || u == 'S' || u == 'E' || u == 'W';
}

// A field that names a hemisphere by its letter, alone or written at
// either end of a number ("S", "20S", "W17").
bool is_hemisphere_field(const char* s, std::size_t n) {
    if (n == 0) return false;
    if (is_hemisphere_letter(s[n - 1]) && (n == 1 || is_number(s, n - 1)))
        return true;
    return n > 1 && is_hemisphere_letter(s[0]) && is_number(s + 1, n - 1);
}

// What a typed line holds besides numbers (ConsoleReaders::TypedText), and
// how many numbers (*numbers): its fields are separated by white space (the
// line end among them) and, with `commas` (the token readers), by commas
// and semicolons too; lies1 and lies2 scan white space only, so there
// "33,20" is text and not 33 with the default minutes.  With `angles`, a
// hemisphere letter is told apart from other text.
int text_kind(const std::string& line, bool commas, bool angles,
              int* numbers) {
    int kind = ConsoleReaders::kNoText;
    *numbers = 0;
    const char* s = line.c_str();
    const std::size_t n = line.size();
    auto sep = [commas](char c) {
        return is_space(c) || (commas && is_separator(c));
    };
    std::size_t i = 0;
    while (i < n) {
        while (i < n && sep(s[i])) ++i;
        std::size_t j = i;
        while (j < n && !sep(s[j])) ++j;
        if (j > i) {
            if (is_number(s + i, j - i))
                ++*numbers;
            else if (angles && is_hemisphere_field(s + i, j - i))
                kind = ConsoleReaders::kHemisphereLetter;
            else if (kind == ConsoleReaders::kNoText)
                kind = ConsoleReaders::kText;
        }
        i = j;
    }
    return kind;
}

} // namespace

int trunc_int(double x) {
    if (std::isnan(x)) return 0;
    if (x >= 2147483647.0) return INT_MAX;
    if (x <= -2147483648.0) return INT_MIN;
    return static_cast<int>(x);
}

void conprintf(const char* fmt, ...) {
    va_list ap;
    va_start(ap, fmt);
    char small[256];
    va_list ap2;
    va_copy(ap2, ap);
    int n = std::vsnprintf(small, sizeof small, fmt, ap);
    va_end(ap);
    if (n < 0) {
        va_end(ap2);
        return;
    }
    if (static_cast<std::size_t>(n) < sizeof small) {
        console().out->write(small, n);
    } else {
        std::vector<char> big(static_cast<std::size_t>(n) + 1);
        std::vsnprintf(big.data(), big.size(), fmt, ap2);
        console().out->write(big.data(), n);
    }
    va_end(ap2);
}

void conprint_dm(const char* fmt, int deg, double min) {
    cxround(2, &deg, nullptr, &min);
    conprintf(fmt, deg, min);
}

void conprint_dmf(const char* fmt, int ndec, double deg, double min) {
    if (deg == std::trunc(deg) && std::fabs(deg) < 2147483647.0) {
        int d = static_cast<int>(deg);
        double m = min;
        cxround(ndec, &d, nullptr, &m);
        if (m != min) {  // carried
            deg = d;
            min = m;
        }
    }
    conprintf(fmt, deg, min);
}

void conputs(const char* text) {
    *console().out << text << '\n';
}

ConsoleReaders::ConsoleReaders()
    : lies1_found_(0), line_open_(false), automatic_(false), mode_(nullptr) {}

void ConsoleReaders::reset() {
    p_nth_.saved.clear();
    p_4nth_.saved.clear();
    p_fd_.saved.clear();
    lies1_buf_.clear();
    lies2_buf_.clear();
    lies1_found_ = 0;
    nonfinite_ = 0;
    text_ = kNoText;
    numbers_ = 0;
    line_open_ = false;
    automatic_ = false;
    mode_ = nullptr;
}

bool ConsoleReaders::read_line(std::size_t limit, std::string* line) {
    ConsoleStreams& c = console();
    c.out->flush();
    line->clear();
    if (c.ended) return false;
    std::istream& in = *c.in;
    typedef std::char_traits<char> tr;
    bool ended_line = false;
    while (line->size() < limit) {
        int ch = in.get();
        if (ch == tr::eof()) {
            in.clear();
            if (line->empty()) {
                c.ended = true;
                line_open_ = false;
                return false;
            }
            // A last line without its line end counts as a whole line.
            line->push_back('\n');
            ended_line = true;
            break;
        }
        if (ch == '\n') {
            line->push_back('\n');
            ended_line = true;
            break;
        }
        line->push_back(static_cast<char>(ch));
    }
    line_open_ = false;
    bool cut = false;  // characters beyond the buffer were dropped
    if (!ended_line) {
        // The buffer is full: a line end right behind it still belongs to
        // this line; anything else is the overlong rest of the answer and
        // is dropped with it, so that it can never answer the next prompt.
        int nx = in.peek();
        if (nx == '\n') {
            in.get();
        } else if (nx == tr::eof()) {
            in.clear();
        } else {
            cut = true;
            line_open_ = true;
            discard_pending();
        }
    }
    // A line end of the other convention ("\r\n") reads as "\n".
    std::size_t n = line->size();
    if (n >= 2 && (*line)[n - 1] == '\n' && (*line)[n - 2] == '\r') {
        line->erase(n - 2, 1);
    } else if (!ended_line && n >= 1 && (*line)[n - 1] == '\r' && !cut) {
        line->erase(n - 1, 1);
    }
    // The line is text: it ends at a NUL byte.
    std::size_t z = line->find('\0');
    if (z != std::string::npos) line->erase(z);
    return true;
}

bool ConsoleReaders::token(const std::string& saved, int nth, std::string* tok) {
    // The line end separates too: a blank or tab after the last number
    // adds no number, and a line of blanks has none.
    auto sep = [](char c) { return is_separator(c) || c == '\n'; };
    std::size_t i = 0;
    int count = 0;
    const std::size_t n = saved.size();
    while (i < n) {
        while (i < n && sep(saved[i])) ++i;
        if (i >= n) break;
        std::size_t j = i;
        while (j < n && !sep(saved[j])) ++j;
        ++count;
        if (count == nth) {
            tok->assign(saved, i, j - i);
            return true;
        }
        i = j;
    }
    return false;
}

bool ConsoleReaders::next_token(TokenLine* t, int nth, std::string* tok) {
    if (nth <= 1) {
        std::string line;
        if (!read_line(kTokenLine, &line)) {
            t->saved.clear();  // end of input: an empty answer
            return false;
        }
        t->saved = line;
        text_ = text_kind(line, true, false, &numbers_);
        nth = 1;
    }
    return token(t->saved, nth, tok);
}

int ConsoleReaders::parsenth(int nth, int kkk) {
    if (automatic()) {
        if (nth <= 1) forget_line();
        return kkk;
    }
    return parsenth_interactive(nth, kkk);
}

int ConsoleReaders::parsenth_interactive(int nth, int kkk) {
    if (nth <= 1) forget_line();
    std::string tok;
    if (!next_token(&p_nth_, nth, &tok)) return kkk;
    return text_to_int(tok.c_str());
}

int ConsoleReaders::parse4nth(int iterq, int nth, int kkk) {
    if (nth <= 1) forget_line();
    if (iterq == 1 || automatic()) return kkk;
    std::string tok;
    if (!next_token(&p_4nth_, nth, &tok)) return kkk;
    return text_to_int(tok.c_str());
}

double ConsoleReaders::parsefd(int nth, double xxx) {
    nonfinite_ = 0;
    if (nth <= 1) forget_line();
    if (automatic()) return xxx;
    std::string tok;
    if (!next_token(&p_fd_, nth, &tok)) return xxx;
    const char* p = tok.c_str();
    double v = 0.0;
    if (!scan_real(&p, &v, &nonfinite_)) return 0.0;
    return v;
}

void ConsoleReaders::lies2(double x1, double x2, double* z1, double* z2) {
    nonfinite_ = 0;
    forget_line();
    if (automatic()) {
        *z1 = x1;
        *z2 = x2;
        return;
    }
    conprint_dmf("[Default: %.0f %.2f ] ", 2, x1, x2);
    conprintf("Input: ");
    double deg = x1;
    double min = x2;
    bool minus = false;  // the degrees were typed with a minus sign
    bool deg_typed = false, min_typed = false;
    bool decimal = false;  // the degrees were written with a point or exponent
    if (read_line(kValueLine, &lies2_buf_)) {
        text_ = text_kind(lies2_buf_, false, true, &numbers_);
        const char* p = lies2_buf_.c_str();
        const char* start = p;
        deg_typed = scan_real(&p, &deg, &nonfinite_, &minus);
        decimal = deg_typed && std::find_if(start, p, [](char c) {
                                   return c == '.' || c == 'e' || c == 'E';
                               }) != p;
        if (deg_typed) min_typed = scan_real(&p, &min, &nonfinite_);
    }
    // Degrees written as a decimal number: alone they are decimal degrees
    // ("-33.5" is -33 30, "48.0" is 48 0); with a fraction and minutes no
    // one can tell what they mean.  Seconds are typed as decimal minutes,
    // and minutes of 60 or more are no minutes.
    if (decimal && !min_typed) {
        const double whole = std::trunc(deg);
        min = deg == whole ? 0.0 : deg * 60.0 - whole * 60.0;
        deg = whole;
    }
    if (text_ == kNoText) {
        if (numbers_ > 2)
            text_ = kSeconds;
        else if (min_typed && deg != std::trunc(deg))
            text_ = kDegreesWithFraction;
        else if (min_typed && !(std::fabs(min) < 60.0))
            text_ = kMinutesOf60;
    }
    // A minus sign typed before 0 degrees ("-0 30") belongs to the minutes.
    if (deg > 0.0) {
        min = std::fabs(min);
    } else if (deg < 0.0 || minus) {
        min = -std::fabs(min);
    }
    *z1 = (deg == 0.0) ? 0.0 : deg;
    *z2 = (min == 0.0) ? 0.0 : min;
}

void ConsoleReaders::lies1(int liesdf, double x1, double* z1) {
    lies1_found_ = 0;
    nonfinite_ = 0;
    forget_line();
    if (automatic()) {
        *z1 = x1;
        return;
    }
    if (liesdf == 0) {
        conprintf(" [Default: %d ] Input: ", trunc_int(x1 + 0.5));
    } else if (liesdf == 1) {
        conprintf(" [Default: %.1f ] Input: ", x1);
    } else if (liesdf == 2) {
        conprintf(" [Default: %.2f ] Input: ", x1);
    } else if (liesdf >= 3) {
        conprintf(" [Default: %.8f ] Input: ", x1);
    } else if (liesdf == -2) {
        conprintf("   Input: ");
    }
    double value = x1;
    if (read_line(kValueLine, &lies1_buf_)) {
        text_ = text_kind(lies1_buf_, false, false, &numbers_);
        const char* p = lies1_buf_.c_str();
        if (scan_real(&p, &value, &nonfinite_)) lies1_found_ = 1;
    }
    *z1 = value;
}

int ConsoleReaders::skip(int klines) {
    if (klines < 1) return 0;
    std::ostream& out = *console().out;
    out << " >skip> \n";
    for (int i = 0; i < klines; ++i) out << " \n";
    return klines;
}

int ConsoleReaders::pause() {
    line_open_ = false;
    return wait_key();
}

void ConsoleReaders::discard_pending() {
    if (!line_open_) return;
    line_open_ = false;
    ConsoleStreams& c = console();
    if (c.ended) return;
    std::istream& in = *c.in;
    typedef std::char_traits<char> tr;
    for (;;) {
        int ch = in.get();
        if (ch == tr::eof()) {
            in.clear();
            return;
        }
        if (ch == '\n') return;
    }
}

ConsoleReaders& readers() {
    static ConsoleReaders r;
    return r;
}

int parsenth(int nth, int kkk) { return readers().parsenth(nth, kkk); }
int parse4nth(int iterq, int nth, int kkk) {
    return readers().parse4nth(iterq, nth, kkk);
}
double parsefd(int nth, double xxx) { return readers().parsefd(nth, xxx); }
void lies2(double x1, double x2, double* z1, double* z2) {
    readers().lies2(x1, x2, z1, z2);
}
void lies1(int liesdf, double x1, double* z1) { readers().lies1(liesdf, x1, z1); }
int skip(int klines) { return readers().skip(klines); }

} // namespace lunarfix
