// Nutation in longitude and obliquity (IAU 1980) and the obliquity of the
// ecliptic.
#include "foundations/foundations.h"

namespace lunarfix {

namespace {

// IAU 1980 theory of nutation: 106 terms, one 35-character text row each
// (34 characters and the NUL).  Columns (inclusive, from 0):
//   0-1 l, 2-3 l', 4-5 F, 6-7 D, 8-9 Omega   multipliers of the arguments
//   10-16 A     sine coefficient of nutation in longitude, 0.0001"
//   17-22 A'    its rate, 0.0001" per Julian century
//   23-28 B     cosine coefficient of nutation in obliquity, 0.0001"
//   29-32 B'    its rate, 0.0001" per Julian century
// Rows in order of decreasing |A|.
// Source: Seidelmann (1982), Celestial Mechanics 27, 79; Meeus,
// Astronomical Algorithms, 2nd ed., table 22.A.
const char kNutationRows[106][35] = {
    " 0 0 0 0 1-171996-174.2 92025 8.9 ",
    " 0 0 2-2 2 -13187  -1.6  5736-3.1 ",
    " 0 0 2 0 2  -2274  -0.2   977-0.5 ",
    " 0 0 0 0 2   2062   0.2  -895 0.5 ",
    " 0-1 0 0 0  -1426   3.4    54-0.1 ",
    " 1 0 0 0 0    712   0.1    -7 0.0 ",
    " 0 1 2-2 2   -517   1.2   224-0.6 ",
    " 0 0 2 0 1   -386  -0.4   200 0.0 ",
    " 1 0 2 0 2   -301   0.0   129-0.1 ",
    " 0-1 2-2 2    217  -0.5   -95 0.3 ",
    "-1 0 0 2 0    158  -0.0    -1 0.0 ",
    " 0 0 2-2 1    129   0.1   -70 0.0 ",
    "-1 0 2 0 2    123   0.0   -53 0.0 ",
    " 0 0 0 2 0     63   0.0    -2 0.0 ",
    " 1 0 0 0 1     63   0.1   -33 0.0 ",
    "-1 0 2 2 2    -59   0.0    26 0.0 ",
    "-1 0 0 0 1    -58  -0.1    32 0.0 ",
    " 1 0 2 0 1    -51   0.0    27 0.0 ",
    " 2 0 0-2 0     48   0.0     1 0.0 ",
    "-2 0 2 0 1     46   0.0   -24 0.0 ",
    " 0 0 2 2 2    -38   0.0    16 0.0 ",
    " 2 0 2 0 2    -31   0.0    13 0.0 ",
    " 2 0 0 0 0     29   0.0    -1 0.0 ",
    " 1 0 2-2 2     29   0.0   -12 0.0 ",
    " 0 0 2 0 0     26   0.0    -1 0.0 ",
    " 0 0 2-2 0    -22   0.0     0 0.0 ",
    "-1 0 2 0 1     21   0.0   -10 0.0 ",
    " 0 2 0 0 0     17  -0.1     0 0.0 ",
    " 0 2 2-2 2    -16   0.1     7 0.0 ",
    "-1 0 0 2 1     16   0.0    -8 0.0 ",
    " 0 1 0 0 1    -15   0.0     9 0.0 ",
    " 1 0 0-2 1    -13   0.0     7 0.0 ",
    " 0-1 0 0 1    -12   0.0     6 0.0 ",
    " 2 0-2 0 0     11   0.0     0 0.0 ",
    "-1 0 2 2 1    -10   0.0     5 0.0 ",
    " 1 0 2 2 2     -8   0.0     3 0.0 ",
    " 1 1 0-2 0     -7   0.0     0 0.0 ",
    " 0-1 2 0 2     -7   0.0     3 0.0 ",
    " 0 0 2 2 1     -7   0.0     3 0.0 ",
    " 0 1 2 0 2      7   0.0    -3 0.0 ",
    "-2 0 0 2 1     -6   0.0     3 0.0 ",
    " 0 0 0 2 1     -6   0.0     3 0.0 ",
    " 1 0 0 2 0      6   0.0     0 0.0 ",
    " 2 0 2-2 2      6   0.0    -3 0.0 ",
    " 1 0 2-2 1      6   0.0    -3 0.0 ",
    " 0-1 2-2 1     -5   0.0     3 0.0 ",
    " 0 0 0-2 1     -5   0.0     3 0.0 ",
    " 2 0 2 0 1     -5   0.0     3 0.0 ",
    " 1-1 0 0 0      5   0.0     0 0.0 ",
    " 1 0 0-1 0     -4   0.0     0 0.0 ",
    " 0 1 0-2 0     -4   0.0     0 0.0 ",
    " 0 0 0 1 0     -4   0.0     0 0.0 ",
    " 2 0 0-2 1      4   0.0    -2 0.0 ",
    " 0 1 2-2 1      4   0.0    -2 0.0 ",
    " 1 0-2 0 0      4   0.0     0 0.0 ",
    "-2 0 2 0 2     -3   0.0     1 0.0 ",
    " 1-1 0-1 0     -3   0.0     0 0.0 ",
    " 1 1 0 0 0     -3   0.0     0 0.0 ",
    " 1-1 2 0 2     -3   0.0     1 0.0 ",
    "-1-1 2 2 2     -3   0.0     1 0.0 ",
    " 3 0 2 0 2     -3   0.0     1 0.0 ",
    " 0-1 2 2 2     -3   0.0     1 0.0 ",
    " 1 0 2 0 0      3   0.0     0 0.0 ",
    " 0-2 2-2 1     -2   0.0     1 0.0 ",
    "-2 0 0 0 1     -2   0.0     1 0.0 ",
    "-1 0 2-2 1     -2   0.0     1 0.0 ",
    " 1 0 0 0 2     -2   0.0     1 0.0 ",
    "-1 0 2 4 2     -2   0.0     1 0.0 ",
    " 1 1 2 0 2      2   0.0    -1 0.0 ",
    " 2 0 0 0 1      2   0.0    -1 0.0 ",
    " 3 0 0 0 0      2   0.0     0 0.0 ",
    " 0 0 2 1 2      2   0.0    -1 0.0 ",
    " 0 1-2 2 0     -1   0.0     0 0.0 ",
    " 0 1 2-2 0     -1   0.0     0 0.0 ",
    " 1 0 0-4 0     -1   0.0     0 0.0 ",
    " 2 0 0-4 0     -1   0.0     0 0.0 ",
    " 1 0 2 2 1     -1   0.0     1 0.0 ",
    "-2 0 2 4 2     -1   0.0     1 0.0 ",
    " 2 0 2 2 2     -1   0.0     0 0.0 ",
    " 1 0 0 2 1     -1   0.0     0 0.0 ",
    " 1 0 2-2 0     -1   0.0     0 0.0 ",
    " 0 0-2 0 1     -1   0.0     0 0.0 ",
    " 0 0 2-1 2     -1   0.0     0 0.0 ",
    " 0 1 0 2 0     -1   0.0     0 0.0 ",
    " 1 0-2-2 0     -1   0.0     0 0.0 ",
    " 0-1 2 0 1     -1   0.0     0 0.0 ",
    " 1 1 0-2 1     -1   0.0     0 0.0 ",
    " 1 0-2 2 0     -1   0.0     0 0.0 ",
    " 0 0 2 4 2     -1   0.0     0 0.0 ",
    " 2 0-2 0 1      1   0.0     0 0.0 ",
    " 2 1 0-2 0      1   0.0     0 0.0 ",
    " 0 0-2 2 1      1   0.0     0 0.0 ",
    " 0 1 0 0 2      1   0.0     0 0.0 ",
    "-1 0 0 1 1      1   0.0     0 0.0 ",
    "-1 0 0 0 2      1   0.0    -1 0.0 ",
    "-2 0 2 2 2      1   0.0    -1 0.0 ",
    " 1 1 2-2 2      1   0.0    -1 0.0 ",
    "-1 0 4 0 2      1   0.0     0 0.0 ",
    " 1-1 0-2 0      1   0.0     0 0.0 ",
    " 2 0 2-2 1      1   0.0    -1 0.0 ",
    " 0 0 4-2 2      1   0.0     0 0.0 ",
    " 3 0 2-2 2      1   0.0     0 0.0 ",
    " 0 1 2 0 1      1   0.0     0 0.0 ",
    "-1-1 0 2 1      1   0.0     0 0.0 ",
    " 2 0 0 2 0      1   0.0     0 0.0 ",
    " 0 1 0 1 0      1   0.0     0 0.0 ",
};

constexpr int kNutationTerms = 106;

// One term of the series, parsed from its text row.
struct NutationTerm {
    double l, lp, f, d, om;  // multipliers of l, l', F, D, Omega
    double a, ap;            // A, A' (0.0001", 0.0001"/century)
    double b, bp;            // B, B' (0.0001", 0.0001"/century)
};

struct NutationTable {
    NutationTerm term[kNutationTerms];
};

// Reads the text rows into numbers; called once.
NutationTable parse_nutation_rows() {
    NutationTable t{};
    for (int j = 0; j < kNutationTerms; ++j) {
        NutationTerm& e = t.term[j];
        e.l = iarr35(kNutationRows, j, 0, 2);
        e.lp = iarr35(kNutationRows, j, 2, 4);
        e.f = iarr35(kNutationRows, j, 4, 6);
        e.d = iarr35(kNutationRows, j, 6, 8);
        e.om = iarr35(kNutationRows, j, 8, 10);
        e.a = iarr35(kNutationRows, j, 10, 17);
        e.ap = farr35(kNutationRows, j, 17, 23);
        e.b = iarr35(kNutationRows, j, 23, 29);
        e.bp = farr35(kNutationRows, j, 29, 35);
    }
    return t;
}

// The parsed table, built at the first call and kept: the rows are
// constant, so every later call sees the same numbers.
const NutationTable& nutation_table() {
    static const NutationTable table = parse_nutation_rows();
    return table;
}

} // namespace

/* Nutation - nutation in longitude and obliquity, and the obliquity of the
 * ecliptic.
 *   TE        Julian centuries of TT from J2000.0
 *   dpsi      nutation in longitude, degrees (output)
 *   deps      nutation in obliquity, degrees (output)
 *   epsilon0  mean obliquity of the ecliptic, degrees (output)
 *   epsilon1  true obliquity, epsilon0 + deps, degrees (output)
 * Notes: the 106 terms of the IAU 1980 series, with the fundamental
 * arguments l, l', F, D, Omega of the IAU 1980 theory; the whole
 * revolutions of each secular rate are reduced by themselves before they
 * are added, so the arguments keep their fraction of a degree for any TE.
 * The mean obliquity is Laskar's polynomial in units of 10000 Julian
 * years, valid over +-10000 years from J2000.0.
 * Reference: Seidelmann (1982), Celestial Mechanics 27, 79; Laskar (1986),
 * A&A 157, 59; Meeus, Astronomical Algorithms, 2nd ed., ch. 22. */
void Nutation(double TE, double* dpsi, double* deps, double* epsilon0,
              double* epsilon1) {
    const NutationTable& tab = nutation_table();
    const double T = TE;
    const double T2 = T * T;
    const double T3 = T2 * T;

    // Fundamental arguments, degrees.
    // Mean anomaly of the Moon.
    const double Mm = norm360(134.962981389 + 198.867398056 * T +
                              norm360(477000.0 * T) + 0.008697222222 * T2 +
                              T3 / 56250.0);
    // Mean anomaly of the Sun.
    const double M = norm360(357.527723333 + 359.05034 * T +
                             norm360(35640.0 * T) - 0.0001602777778 * T2 -
                             T3 / 300000.0);
    // Moon's argument of latitude.
    const double F = norm360(93.271910277 + 82.017538055 * T +
                             norm360(483120.0 * T) - 0.0036825 * T2 +
                             T3 / 327272.7273);
    // Mean elongation of the Moon from the Sun.
    const double D = norm360(297.850363055 + 307.11148 * T +
                             norm360(444960.0 * T) - 0.001914166667 * T2 +
                             T3 / 189473.6842);
    // Longitude of the Moon's mean ascending node.
    const double omega = norm360(125.044522222 - 134.136260833 * T -
                                 norm360(1800.0 * T) + 0.002070833333 * T2 +
                                 T3 / 450000.0);

    double dp = 0.0;  // 0.0001"
    double de = 0.0;  // 0.0001"
    for (int j = 0; j < kNutationTerms; ++j) {
        const NutationTerm& e = tab.term[j];
        const double a = e.d * D + e.lp * M + e.l * Mm + e.f * F + e.om * omega;
        dp += sind(a) * (e.a + e.ap * T);
        de += cosd(a) * (e.b + e.bp * T);
    }
    const double dpsi0 = dp / 36000000.0;  // 0.0001" to degrees
    const double deps0 = de / 36000000.0;

    // Mean obliquity, arcseconds, in u = T/100 (10000 Julian years).
    const double u = T / 100.0;
    const double eps_arcsec =
        ((((((((((2.45 * u + 5.79) * u + 27.87) * u + 7.12) * u - 39.05) * u -
              249.67) * u - 51.38) * u + 1999.25) * u - 1.55) * u - 4680.93) *
             u +
         84381.448);
    const double eps0 = eps_arcsec / 3600.0;

    *dpsi = dpsi0;
    *deps = deps0;
    *epsilon0 = eps0;
    *epsilon1 = eps0 + deps0;
}

} // namespace lunarfix
