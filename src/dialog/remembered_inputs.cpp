#include "dialog/remembered_inputs.h"

#include "foundations/console_io.h"
#include "foundations/textfile.h"
#include "dialog/console.h"
#include "dialog/ranges.h"

#include <cctype>
#include <cerrno>
#include <cstdarg>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace lunarfix {

const char* const kFirstSightFile = "moondist0x1.txt";
const char* const kSecondSightFile = "moondist0x2.txt";

namespace {

// The record files are a few hundred bytes; more than this is not a record
// of ours, and only its beginning is looked at.
constexpr std::size_t kMaxFileBytes = 1 << 20;

// Reads the numbers of a record file in order.  The first number that cannot
// be read stops the scan for good, so that every later field keeps its
// value, as formatted reading from a stream would leave it.
class NumberScanner {
public:
    explicit NumberScanner(const std::string& text) : p_(text.c_str()) {}

    void integer(int* v) {
        if (failed_) return;
        char* end = nullptr;
        errno = 0;
        long x = std::strtol(p_, &end, 10);
        if (end == p_ || errno == ERANGE || x > INT_MAX || x < INT_MIN) {
            failed_ = true;
            return;
        }
        p_ = end;
        *v = static_cast<int>(x);
    }

    // Whole degrees and their minutes.  A minus sign written before 0
    // degrees belongs to the minutes ("-0 30" is 0 and -30), as when typed.
    void degrees(int* deg, double* min) {
        const char* at = p_;
        integer(deg);
        if (failed_) return;
        while (at != p_ && std::isspace(static_cast<unsigned char>(*at))) ++at;
        const bool minus = *at == '-';
        real(min);
        if (!failed_ && minus && *deg == 0 && *min != 0.0)
            *min = -std::fabs(*min);
    }

    void real(double* v) {
        if (failed_) return;
        char* end = nullptr;
        double x = std::strtod(p_, &end);
        if (end == p_ || !std::isfinite(x)) {
            failed_ = true;
            return;
        }
        p_ = end;
        *v = x;
    }

private:
    const char* p_;
    bool failed_ = false;
};

// Whole file (at most kMaxFileBytes) into *text.  Returns 1 when read; 0
// when the name is missing or is not a regular file (see open_regular: it
// is then neither read nor written); -1 for a regular file that cannot be
// read (its permissions forbid it, a read error).
int slurp(const char* path, std::string* text) {
    std::FILE* f = open_regular(path);
    if (f == nullptr) return (errno == ENOENT || errno == EINVAL) ? 0 : -1;
    text->clear();
    char buf[4096];
    while (text->size() < kMaxFileBytes) {
        std::size_t n = std::fread(buf, 1, sizeof buf, f);
        if (n == 0) break;
        text->append(buf, n);
    }
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) return -1;
    if (text->size() > kMaxFileBytes) text->resize(kMaxFileBytes);
    return 1;
}

void appendf(std::string* s, const char* fmt, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

void appendf(std::string* s, const char* fmt, ...) {
    va_list ap;
    va_start(ap, fmt);
    va_list ap2;
    va_copy(ap2, ap);
    int n = std::vsnprintf(nullptr, 0, fmt, ap);
    va_end(ap);
    if (n > 0) {
        std::string part(static_cast<std::size_t>(n) + 1, '\0');
        std::vsnprintf(&part[0], part.size(), fmt, ap2);
        part.resize(static_cast<std::size_t>(n));
        *s += part;
    }
    va_end(ap2);
}

// Lines 1 to 6, common to both files.
void append_sight(std::string* s, const SightRecord& r) {
    appendf(s, "%d %d %d \n", r.year, r.month, r.day);
    appendf(s, "%d %d %d \n", r.hour, r.min, r.sec);
    appendf(s, "%d %f \n", r.latd, r.latmf);
    appendf(s, "%d %f \n", r.lond, r.lonmf);
    appendf(s, "%d %d \n", r.iur, r.idstar);
    appendf(s, "%d %f %d \n", r.had, r.hamf, 0);
}

void scan_sight(NumberScanner* sc, SightRecord* r) {
    int seconds = 0;
    sc->integer(&r->year);
    sc->integer(&r->month);
    sc->integer(&r->day);
    sc->integer(&r->hour);
    sc->integer(&r->min);
    sc->integer(&r->sec);
    sc->degrees(&r->latd, &r->latmf);
    sc->degrees(&r->lond, &r->lonmf);
    sc->integer(&r->iur);
    sc->integer(&r->idstar);
    sc->degrees(&r->had, &r->hamf);
    sc->integer(&seconds);  // always 0; not used
}

// Lines 1 to 8, read alike from both files.
template <class Memory>
void scan_common(NumberScanner* sc, Memory* m) {
    scan_sight(sc, &m->sight);
    sc->real(&m->indb);
    sc->real(&m->aug);
    sc->real(&m->hdif);
    sc->real(&m->az0);
    sc->real(&m->third);
}

// Lines 1 to 7, written alike to both files.
template <class Memory>
void append_common(std::string* s, const Memory& m) {
    append_sight(s, m.sight);
    appendf(s, "%f %f \n", m.indb, m.aug);
}

// Writes text as the whole new content of path (see save_whole: a file
// that is write protected or is not a regular file is left alone).  On
// failure one line names the file, the first time in the run.
int write_whole(const char* path, const std::string& text) {
    if (save_whole(path, text.data(), text.size(), 0) == 1) return 1;
    if (first_report(path))
        conprintf("\n !!! file %s cannot be written: inputs not saved\n", path);
    return 0;
}

} // namespace

int read_first_sight_memory(const char* path, FirstSightMemory* m) {
    std::string text;
    const int found = slurp(path, &text);
    if (found != 1) return found;
    NumberScanner sc(text);
    scan_common(&sc, m);
    sc.real(&m->temperature);
    sc.real(&m->pressure);
    sc.real(&m->LD_limb);
    sc.integer(&m->signdist);
    return 1;
}

int read_second_sight_memory(const char* path, SecondSightMemory* m) {
    std::string text;
    const int found = slurp(path, &text);
    if (found != 1) return found;
    NumberScanner sc(text);
    scan_common(&sc, m);
    sc.real(&m->kursav);
    sc.real(&m->velav);
    return 1;
}

int write_first_sight_memory(const char* path, const FirstSightMemory& m,
                             int nlines) {
    std::string s;
    append_common(&s, m);
    appendf(&s, "%f %f %f \n", m.hdif, m.az0, m.third);
    appendf(&s, "%f %f \n", m.temperature, m.pressure);
    if (nlines >= 10) appendf(&s, "%f %d \n", m.LD_limb, m.signdist);
    return write_whole(path, s);
}

int write_second_sight_memory(const char* path, const SecondSightMemory& m,
                              int bare_end) {
    std::string s;
    append_common(&s, m);
    if (bare_end) {
        appendf(&s, "%f %f %f\n", m.hdif, m.az0, m.third);
        appendf(&s, "%f %f\n", m.kursav, m.velav);
    } else {
        appendf(&s, "%f %f %f \n", m.hdif, m.az0, m.third);
        appendf(&s, "%f %f \n", m.kursav, m.velav);
    }
    return write_whole(path, s);
}

namespace {

// Lines 1 to 8 of either record from the working values.
template <class Memory>
void common_from_working(const RunState& rs, Memory* m) {
    m->sight = rs.work;
    m->indb = rs.indb;
    m->aug = rs.aug;
    m->hdif = rs.hdif;
    m->az0 = rs.az0;
    m->third = rs.hthird;
}

// The working record and the remembered intercept line from lines 1 to 8
// of either record (the sextant settings of line 7 are taken from the
// first sight's file alone).
template <class Memory>
void common_to_working(const Memory& m, RunState* rs) {
    rs->work = m.sight;
    rs->hdif = m.hdif;
    rs->az0 = m.az0;
    rs->hthird = m.third;
}

// Lines 1 to 8 of either record as the stop writes them: the sight's record
// with the working date and star, no intercept, and the sight's azimuth.
template <class Memory>
void common_for_stop(const RunState& rs, const SightRecord& sight,
                     double azim, Memory* m) {
    m->sight = sight;
    m->sight.year = rs.work.year;
    m->sight.month = rs.work.month;
    m->sight.day = rs.work.day;
    m->sight.idstar = rs.work.idstar;
    m->hdif = 0.0;
    m->az0 = azim;
    m->third = 0.0;
}

FirstSightMemory first_from_working(const RunState& rs) {
    FirstSightMemory m;
    common_from_working(rs, &m);
    m.temperature = rs.temperature;
    m.pressure = rs.pressure;
    m.LD_limb = rs.LD_limb;
    m.signdist = rs.signdist;
    return m;
}

SecondSightMemory second_from_working(const RunState& rs) {
    SecondSightMemory m;
    common_from_working(rs, &m);
    m.kursav = rs.kursav;
    m.velav = rs.velav;
    return m;
}

// The clock read back as hours from 0 h of its date.  A clock corrected by
// a lunar distance may have crossed midnight while the date stayed, so it
// may lie from -24 h to +48 h; its minutes and seconds then carry the
// hour's sign (the seconds may reach 60, as the rounding of a corrected
// time gives them).  Parts that do not form such a clock give NaN.
double clock_hours(int hour, int min, int sec) {
    const double h = hour, m = min, s = sec;
    const bool signs_agree = (h > 0.0 && m >= 0.0 && s >= 0.0) ||
                             (h < 0.0 && m <= 0.0 && s <= 0.0) ||
                             (h == 0.0 && m * s >= 0.0);
    if (!signs_agree || std::fabs(m) > 59.0 || std::fabs(s) > 60.0)
        return std::nan("");
    return h + m / 60.0 + s / 3600.0;
}

// Lines 1 to 6 of the record of sight nobs read from `file`: every value
// outside its range, and a body code the sight cannot take, is replaced by
// the built-in default `def`, one line each.  The star index is left to the
// catalogue.
void check_sight(const char* file, int nobs, SightRecord* r,
                 const SightRecord& def) {
    if (!remembered_ok(file, kYearRange, r->year)) r->year = def.year;
    if (!remembered_ok(file, kMonthRange, r->month)) r->month = def.month;
    if (!remembered_ok(file, kDayRange, r->day)) r->day = def.day;
    if (!remembered_ok(file, kClockRange,
                       clock_hours(r->hour, r->min, r->sec))) {
        r->hour = def.hour;
        r->min = def.min;
        r->sec = def.sec;
    }
    if (!remembered_ok(file, kLatitudeRange, r->latd + r->latmf / 60.0)) {
        r->latd = def.latd;
        r->latmf = def.latmf;
    }
    if (!remembered_ok(file, kLongitudeRange, r->lond + r->lonmf / 60.0)) {
        r->lond = def.lond;
        r->lonmf = def.lonmf;
    }
    if (!remembered_ok(file, kSextantRange, r->had + r->hamf / 60.0)) {
        r->had = def.had;
        r->hamf = def.hamf;
    }
    if (!remembered_fits(file, body_range(nobs), body_fits(nobs, r->iur)))
        r->iur = def.iur;
}

// Replaces a value outside its range by the built-in default.
void check_value(const char* file, const ValueRange& range, double* x,
                 double def) {
    if (!remembered_ok(file, range, *x)) *x = def;
}

// One file of the stop: not written when it is kept in this run; else
// written by `write`, and its "fixed" line printed once it is in place.
// Returns the file's bit when it was not written, else 0.
template <class Write>
int stop_save(const RunState& rs, int file_bit, const char* fixed,
              Write write) {
    if ((rs.kept & file_bit) != 0 || write() != 1) return file_bit;
    conprintf("%s", fixed);
    return 0;
}

// A file that was not read: `found` is the reader's result, 0 (missing)
// or -1 (there but not readable), and is handed back.  A file that is
// there but cannot be read loses its inputs to this run but not to the
// next: it is kept (never written in this run) and named among the files
// not saved; one line says so, the first time in the run.
int not_read(RunState* rs, const char* file, int file_bit, int found) {
    if (found == 0) return 0;
    rs->kept |= file_bit;
    rs->unsaved |= file_bit;
    if (first_report(file)) {
        conprintf("\n !!! file %s cannot be read: built-in defaults used, "
                  "file kept\n", file);
    }
    return -1;
}

} // namespace

int ReadFirstSightMemory(RunState* rs) {
    FirstSightMemory m = first_from_working(*rs);
    const int found = read_first_sight_memory(kFirstSightFile, &m);
    if (found != 1)
        return not_read(rs, kFirstSightFile, kFirstSightUnsaved, found);
    const RunState def;
    check_sight(kFirstSightFile, 1, &m.sight, def.sight1);
    check_value(kFirstSightFile, kIndexRange, &m.indb, def.indb);
    check_value(kFirstSightFile, kEyeRange, &m.aug, def.aug);
    check_value(kFirstSightFile, kTemperatureRange, &m.temperature,
                def.temperature);
    check_value(kFirstSightFile, kPressureRange, &m.pressure, def.pressure);
    check_value(kFirstSightFile, kDistanceRange, &m.LD_limb, def.LD_limb);
    common_to_working(m, rs);
    rs->indb = m.indb;
    rs->aug = m.aug;
    rs->temperature = m.temperature;
    rs->pressure = m.pressure;
    rs->LD_limb = m.LD_limb;
    rs->signdist = m.signdist;
    return 1;
}

int ReadSecondSightMemory(RunState* rs) {
    SecondSightMemory m = second_from_working(*rs);
    const int found = read_second_sight_memory(kSecondSightFile, &m);
    if (found != 1)
        return not_read(rs, kSecondSightFile, kSecondSightUnsaved, found);
    const RunState def;
    check_sight(kSecondSightFile, 2, &m.sight, def.sight2);
    check_value(kSecondSightFile, kCourseRange, &m.kursav, def.kursav);
    check_value(kSecondSightFile, kSpeedRange, &m.velav, def.velav);
    common_to_working(m, rs);
    rs->kursav = m.kursav;
    rs->velav = m.velav;
    return 1;
}

int WriteFirstSightMemory(const RunState& rs) {
    if (rs.kept & kFirstSightUnsaved) return 0;
    // The lunar distance and side go with every write, so that they are
    // offered again however the run ends.
    return write_first_sight_memory(kFirstSightFile, first_from_working(rs), 10);
}

int WriteSecondSightMemory(const RunState& rs, int created) {
    if (rs.kept & kSecondSightUnsaved) return 0;
    SecondSightMemory m = second_from_working(rs);
    if (created) {
        m.sight = rs.sight2;
        copy_date_time(&m.sight, rs.sight1);
        copy_position(&m.sight, rs.sight1);
    }
    return write_second_sight_memory(kSecondSightFile, m, created ? 1 : 0);
}

int WriteStopMemory(const RunState& rs) {
    FirstSightMemory a = first_from_working(rs);
    common_for_stop(rs, rs.sight1, rs.azim1, &a);
    SecondSightMemory b = second_from_working(rs);
    common_for_stop(rs, rs.sight2, rs.azim2, &b);
    auto first = [&] {
        return write_first_sight_memory(kFirstSightFile, a, 10);
    };
    auto second = [&] {
        return write_second_sight_memory(kSecondSightFile, b, 0);
    };
    // First the one file, then the other (the order of their lines).
    const int unsaved = stop_save(rs, kFirstSightUnsaved,
                                  "\n>> fixed: write moondist0x1.txt ", first);
    return unsaved | stop_save(rs, kSecondSightUnsaved,
                               ">> fixed: write moondist0x2.txt ", second);
}

void note_save(RunState* rs, int file_bit, int written) {
    if (written)
        rs->unsaved &= ~file_bit;
    else
        rs->unsaved |= file_bit;
}

void unsaved_names(int unsaved, std::string* names) {
    names->clear();
    if (unsaved & kFirstSightUnsaved) *names += kFirstSightFile;
    if (unsaved & kSecondSightUnsaved) {
        if (!names->empty()) *names += ' ';
        *names += kSecondSightFile;
    }
}

} // namespace lunarfix
