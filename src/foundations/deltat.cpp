// Delta T = TT - UT1: the built-in model (table -700 to 2500, parabola to
// 3500) and the editable prediction file moondist0x0.txt (2020 to 3000).
#include "foundations/foundations.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <string>

#include "foundations/console_io.h"
#include "foundations/textfile.h"

namespace lunarfix {

namespace {

// Delta T table: 75 rows of (year, Delta T in seconds), one 35-character
// text row each, room for 100 rows.  Year left-aligned from column 0,
// Delta T left-aligned from column 9; read as reals from the inclusive
// columns 0-4 and 6-15.  Years ascend strictly.
// Sources: long-term Delta T tabulations after Morrison & Stephenson
// (2004, J. Hist. Astron. 35, 327) and Espenak & Meeus (2006), observed
// values to 2020, and the long-term predictions of HM Nautical Almanac
// Office (2021) after 2020.
constexpr int kDeltaTRows = 75;
const char kDeltaTTable[100][35] = {
    "-700     20500",
    "-500     16940",
    "-300     14080",
    "-100     11560",
    "0        10440",
    "100      9410",
    "200      8420",
    "300      7480",
    "400      6540",
    "500      5590",
    "600      4650",
    "700      3760",
    "800      2940",
    "900      2230",
    "1000     1650",
    "1100     1220",
    "1200     910",
    "1300     680",
    "1400     480",
    "1500     290",
    "1600     109",
    "1620     80",
    "1640     54",
    "1660     35",
    "1680     22",
    "1700     14",
    "1720     12",
    "1740     15",
    "1760     19",
    "1780     21",
    "1800     18.4",
    "1810     15.7",
    "1820     16.5",
    "1830     10.8",
    "1840     7.6",
    "1850     9.3\t",
    "1860     9.04",
    "1870     2.37",
    "1880     -3.21",
    "1890     -3.88",
    "1895     -5.02",
    "1900     -1.98",
    "1905     4.92",
    "1910     11.14",
    "1915     17.48",
    "1920     21.62",
    "1925     23.79",
    "1930     24.42",
    "1935     24.16",
    "1940     24.43",
    "1945     27.05",
    "1950     28.93",
    "1955     30.41",
    "1960     33.07",
    "1965     35.09",
    "1970     39.93",
    "1975     45.28",
    "1980     50.36",
    "1985     54.39",
    "1990     56.99",
    "1995     60.68",
    "2000     63.81",
    "2005     64.73",
    "2010     66.06",
    "2015     67.69",
    "2018     68.92",
    "2020     69.36",
    "2030     67",
    "2040     68",
    "2050     70",
    "2100     80",
    "2200     160",
    "2300     330",
    "2400     610",
    "2500     999",
};

struct DeltaTTable {
    double year[kDeltaTRows];
    double sec[kDeltaTRows];
};

// Reads the text rows into numbers; called once.
DeltaTTable parse_deltat_rows() {
    DeltaTTable t{};
    for (int j = 0; j < kDeltaTRows; ++j) {
        t.year[j] = yarr35(kDeltaTTable, j, 0, 4);
        t.sec[j] = yarr35(kDeltaTTable, j, 6, 15);
    }
    return t;
}

// The parsed table, built at the first call and kept.
const DeltaTTable& deltat_table() {
    static const DeltaTTable table = parse_deltat_rows();
    return table;
}

// The explanatory trailer of the prediction file.
constexpr int kPredictionRows = 21;
const char* const kPredictionTrailer[11] = {
    "  'YEAR'  'DELTA_T(seconds)' \n\n",
    " DELTA_T = TT-UT1 is obtained (after year 2020)\n",
    " from THIS FILE via local quadratic interpolation,\n",
    " and then entered into lunarfix - \n\n",
    " Data given by UKHO in 2021 (also see JPL-DE441),\n",
    " up to year 2500, see: https://astro.ukho.gov.uk/nao/lvm/\n",
    " (beyond that by quadratic extrapolation).\n",
    " You may change the entries of the file as you like,\n",
    " but YEARS must be between 2020 and 3000. -\n",
    " If the file gets corrupted, just erase it completely,\n",
    " the program next time will rebuild it in original form.\n",
};

// Most rows the reader takes from the file, and room of the table built
// from them: entry 0 is the fixed point 2010 before the file's rows.
constexpr int kMaxFileRows = 100;
constexpr int kTableRoom = kMaxFileRows + 1;

// Writes the prediction file with its default rows and trailer, whole and
// in one step (see save_whole), unless a file has appeared under its name
// meanwhile (another copy of the program has written it): that one is kept.
// Returns false (and leaves nothing behind) when the file cannot be made.
bool write_prediction_file() {
    std::string text;
    int year = 2020;
    for (int i = 1; i <= kPredictionRows; ++i) {
        year += (i - 1) * 5;  // steps of 0, 5, 10, ... years
        const int y = (year > 3000) ? 3000 : year;
        char row[64];
        std::snprintf(row, sizeof row, "    %d   %.1f \n", y, deltatime(y, 1));
        text += row;
    }
    for (const char* line : kPredictionTrailer) text += line;
    return save_whole(kPredictionFile, text.data(), text.size(), 1) == 1;
}

// Largest Delta T, in seconds, that a row of the prediction file may hold
// and still be read as a row: about 11.6 days, fifty times the largest
// value of the built-in model.  A larger value can only come from a
// corrupted or mistyped file, and ends the rows.  (A value that is read but
// lies outside kDeltaTLeast to kDeltaTMost is not used either: see
// delta0x.)
constexpr double kMaxFileDeltaT = 1.0e6;

// Longest word of a row (a year or a Delta T), in characters; a longer one
// is no number of ours and ends the rows.
constexpr std::size_t kMaxRowWord = 63;

// Reads the next line of f that holds a word (blank lines are skipped):
// *count words (counted up to 3), each into word[] (kept up to one
// character past kMaxRowWord, which tells that it is too long).
// False at the end of the file, or on a read error, before such a line.
bool next_line_words(std::FILE* f, std::string word[3], int* count) {
    for (int ch = std::getc(f); ch != EOF; ch = std::getc(f)) {
        *count = 0;
        bool in_word = false;
        for (; ch != EOF && ch != '\n'; ch = std::getc(f)) {
            if (std::isspace(ch)) {
                in_word = false;
                continue;
            }
            if (!in_word && *count < 3) {  // a new word (a third is enough)
                ++*count;
                word[*count - 1].clear();
            }
            in_word = true;
            std::string& w = word[*count - 1];
            if (w.size() <= kMaxRowWord) w.push_back(static_cast<char>(ch));
        }
        if (*count > 0) return true;
    }
    return false;
}

// Reads one row: the next line that is not blank, holding a whole-number
// year and a finite Delta T in seconds of magnitude at most kMaxFileDeltaT,
// separated by blanks.  False when that line is no such pair (one number,
// three, text), so that a row whose value was deleted ends the rows and
// never pairs its year with the next row's.
bool read_row(std::FILE* f, int* year, double* sec) {
    std::string word[3];
    int words = 0;
    if (!next_line_words(f, word, &words) || words != 2 ||
        word[0].size() > kMaxRowWord || word[1].size() > kMaxRowWord)
        return false;
    const char* w1 = word[0].c_str();
    const char* w2 = word[1].c_str();
    char* end = nullptr;
    errno = 0;
    const long y = std::strtol(w1, &end, 10);
    if (end == w1 || *end != '\0' || errno == ERANGE || y < INT_MIN ||
        y > INT_MAX) {
        return false;
    }
    end = nullptr;
    const double s = std::strtod(w2, &end);
    if (end == w2 || *end != '\0' || !std::isfinite(s) ||
        std::fabs(s) > kMaxFileDeltaT) {
        return false;
    }
    *year = static_cast<int>(y);
    *sec = s;
    return true;
}

// Delta T for a year that the prediction file cannot give: from 2020 to
// 3000 the built-in model's value, which the file's default rows repeat
// anyway (a Delta T of 0 would put every body of the sight about 70 s or
// more of the Earth's rotation off, some 20' of longitude); before 2020 no
// value (the dialog takes those years from the model itself).
double beyond_the_file(int year0) {
    if (year0 < 2020) return 0.0;
    return deltatime(year0, 1);
}

// The model's Delta T for year0 in place of the file's, after one line
// saying why ("<file> <why> the year <year0>: ...") for a year from 2020.
double model_instead(int year0, const char* why) {
    if (year0 >= 2020) {
        *console().out << " ??? " << kPredictionFile << " " << why
                       << " the year " << year0
                       << ": Delta-T of the built-in model\n";
    }
    return beyond_the_file(year0);
}

// A prediction file that can be neither written nor read: the model's
// Delta T, after one message line, the first time in the run.
double prediction_file_unusable(int year0) {
    if (first_report(kPredictionFile)) {
        *console().out << " ??? " << kPredictionFile
                       << " can be neither created nor read: Delta-T of the "
                          "built-in model\n";
        console().out->flush();
    }
    return beyond_the_file(year0);
}

} // namespace

const char kPredictionFile[] = "moondist0x0.txt";

/* deltatime - Delta T = TT - UT1 from the built-in model.
 *   year     calendar year, -700 to 3500
 *   month    month (does not enter the result)
 *   returns  Delta T, seconds; 0 (with two message lines) outside the range
 * Notes: up to 2499 three-point (parabolic) interpolation in the table of
 * 75 values from -700 to 2500, on the row pair bracketing the year and the
 * row after (the last three rows from 2400 on); from 2500 to 3500 the
 * parabola -119.4 + 0.004 t + 0.0031 t^2, t = year - 1900, which meets
 * the table's 999 s at 2500.
 * Reference: Morrison & Stephenson (2004), J. Hist. Astron. 35, 327;
 * Meeus, Astronomical Algorithms, 2nd ed., ch. 10. */
double deltatime(int year, int /*month*/) {
    if (year < -700 || year > 3500) {
        std::ostream& out = *console().out;
        out << " ??? year out of range:  -700 < year < 3500 ??? \n";
        out << " ??? setting Delta-T == 0 !\n";
        return 0.0;
    }
    if (year <= 2499) {
        const DeltaTTable& t = deltat_table();
        int i = 1;
        while (i < kDeltaTRows - 1 && t.year[i] <= year) ++i;
        if (i >= kDeltaTRows - 1) i = kDeltaTRows - 2;  // last three rows
        return quadipola(t.year[i - 1], t.sec[i - 1], t.year[i], t.sec[i],
                         t.year[i + 1], t.sec[i + 1], year);
    }
    const double tt = year - 1900.0;
    return (0.004 * tt - 119.4) + 0.0031 * tt * tt;
}

/* quadipola - three-point Lagrange interpolation.
 *   x1,y1 x2,y2 x3,y3  three points with different abscissae
 *   x                  abscissa wanted
 *   returns            the value at x of the parabola through the points
 * Reference: Meeus, Astronomical Algorithms, 2nd ed., ch. 3 (Lagrange's
 * interpolation formula). */
double quadipola(double x1, double y1, double x2, double y2, double x3,
                 double y3, double x) {
    const double h1 = (x - x3) * (x - x2) / ((x1 - x3) * (x1 - x2));
    const double h2 = (x - x3) * (x - x1) / ((x2 - x3) * (x2 - x1));
    const double h3 = (x - x1) * (x - x2) / ((x3 - x1) * (x3 - x2));
    return (h1 * y1 + h2 * y2) + h3 * y3;
}

/* delta0x - Delta T from the prediction file moondist0x0.txt.
 *   year0    calendar year
 *   returns  Delta T, seconds: from the file where it covers year0; the
 *            built-in model's value (deltatime) for a year from 2020 to
 *            3000 that the file does not cover or cannot give, and when
 *            the file can be neither created nor read; 0 for a year after
 *            3000 (the file is then not looked at) and for a year before
 *            2020 that the file does not cover
 * Notes: a missing file is written with 21 default rows from deltatime
 * and an explanatory trailer (whole and in one step, see save_whole; a
 * file another copy wrote meanwhile is read instead); a name that is not a
 * regular file (a link, FIFO or directory) counts as unusable.  The file
 * is read anew at each call: rows of a year and Delta T in seconds, one
 * row a line (blank lines skipped), up to the first row of 3000 or later,
 * at most 100 rows; a line that is no row (one number, more than two,
 * text, or a Delta T beyond 1e6 s in size) ends the rows, and the rest
 * repeat the last row read.  The table
 * starts with 2010 / 66.1 s and 2020 / 69.36 s, the latter in place of
 * the file's first row.  The rows up to the pair that brackets year0 must
 * not decrease; the value is the parabola through that pair and the row
 * before it (Neville).  The file does not cover year0 when a row out of
 * order comes first (the wrong-sequence message), when the three rows
 * used repeat a year, when the parabola gives a value outside the range a
 * typed Delta T may take (kDeltaTLeast to kDeltaTMost, -1000 to 6000 s), or
 * when year0 lies past the last row read (one line saying so, naming the
 * year).  None of these waits for the navigator: nothing hangs on an
 * answer, and a pause would swallow the next answer queued in a pipe.  A
 * file that can be neither created nor read (a directory, a link, a FIFO,
 * no read permission, a read error) gives the model's value too, after one
 * message line the first time in the run (first_report).
 * Reference: HM Nautical Almanac Office, long-term Delta T predictions;
 * Press et al., Numerical Recipes, 2nd ed., sect. 3.1. */
double delta0x(int year0) {
    if (year0 > 3000) return 0.0;

    std::FILE* f = open_regular(kPredictionFile);
    if (f == nullptr) {
        if (errno != ENOENT) return prediction_file_unusable(year0);
        if (!write_prediction_file()) return prediction_file_unusable(year0);
        f = open_regular(kPredictionFile);
        if (f == nullptr) return prediction_file_unusable(year0);
    }

    int yearvec[kTableRoom] = {0};
    double secvec[kTableRoom] = {0.0};
    int lastyear = 0;
    double lastsec = 0.0;
    bool readable = true;
    int k = 0;
    while (lastyear <= 2999 && k < kMaxFileRows) {
        ++k;
        if (readable) readable = read_row(f, &lastyear, &lastsec);
        yearvec[k] = lastyear;
        secvec[k] = lastsec;
    }
    // The fixed start of the table: 2010, and 2020 in place of the file's
    // first row.
    yearvec[0] = 2010;
    secvec[0] = 66.1;
    yearvec[1] = 2020;
    secvec[1] = 69.36;
    const bool read_error = std::ferror(f) != 0;
    std::fclose(f);
    if (read_error) return prediction_file_unusable(year0);

    int previous = 2020;
    for (int kk = 1; kk <= k - 1; ++kk) {
        if (yearvec[kk] < previous) {
            *console().out << "??? " << kPredictionFile
                           << ":\n? wrong sequence:" << previous << "\n";
            return beyond_the_file(year0);
        }
        previous = yearvec[kk];
        if (yearvec[kk] <= year0 && year0 <= yearvec[kk + 1]) {
            const double xa[4] = {0.0, static_cast<double>(yearvec[kk - 1]),
                                  static_cast<double>(yearvec[kk]),
                                  static_cast<double>(yearvec[kk + 1])};
            const double ya[4] = {0.0, secvec[kk - 1], secvec[kk],
                                  secvec[kk + 1]};
            // A repeated year leaves no parabola.
            if (xa[1] == xa[2] || xa[2] == xa[3] || xa[1] == xa[3])
                return model_instead(year0, "repeats a year needed for");
            double y = 0.0;
            quadipol(xa, ya, 3, static_cast<double>(year0), &y);
            // A row read, or the parabola through rows that each pass
            // read_row, can lie far beyond any Delta T.
            if (!(y >= kDeltaTLeast && y <= kDeltaTMost))
                return model_instead(year0, "gives an impossible Delta-T for");
            return y;
        }
    }
    return model_instead(year0, "does not cover");
}

/* quadipol - polynomial interpolation through n points (Neville).
 *   xa, ya  abscissae and ordinates, indexed 1 to n
 *   n       number of points, 1 to 9
 *   x       abscissa wanted
 *   y       value at x of the polynomial through the points (output); 0,
 *           after a message, when two abscissae are equal; 0
 *           for n outside 1 to 9
 * Notes: starts from the point nearest to x (the first of equally near
 * ones) and adds one correction per level along a path centred on it.
 * Reference: Press et al., Numerical Recipes, 2nd ed., sect. 3.1
 * (polint). */
void quadipol(const double* xa, const double* ya, int n, double x, double* y) {
    if (n < 1 || n > 9) {
        *y = 0.0;
        return;
    }
    double c[10];
    double d[10];
    int ns = 1;
    double dif = std::fabs(x - xa[1]);
    for (int i = 1; i <= n; ++i) {
        const double dift = std::fabs(x - xa[i]);
        if (dift < dif) {
            ns = i;
            dif = dift;
        }
        c[i] = ya[i];
        d[i] = ya[i];
    }
    double est = ya[ns];
    ns = ns - 1;
    for (int m = 1; m <= n - 1; ++m) {
        for (int i = 1; i <= n - m; ++i) {
            const double ho = xa[i] - x;
            const double hp = xa[i + m] - x;
            const double w = c[i + 1] - d[i];
            const double den = ho - hp;
            if (den == 0.0) {
                *console().out << " ??ERROR quadipol,setting Delta-T=0.\n"
                                  " File moondist0x0.txt corrupted?\n";
                *y = 0.0;
                return;
            }
            d[i] = hp * w / den;
            c[i] = ho * w / den;
        }
        if (2 * ns < n - m) {
            est += c[ns + 1];
        } else {
            est += d[ns];
            ns = ns - 1;
        }
    }
    *y = est;
}

} // namespace lunarfix
