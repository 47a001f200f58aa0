// The LEA-406b lunar series and the apparent place of the Moon.
#include "ephemeris/moon.h"

#include <cmath>
#include <cstdio>
#include <ostream>

#include "foundations/console_io.h"
#include "foundations/foundations.h"

namespace lunarfix {

namespace {

// Block sizes of the term table (rows 1.., one block after the other).
constexpr int ntab9 = 1029;   // distance
constexpr int ntab10 = 1753;  // longitude
constexpr int ntab11 = 1089;  // latitude

// Radians per degree and per arcsecond, the full turn, and the value of pi
// that turns the sums back into degrees.
constexpr double radeg = d2r0;                   // pi/180
constexpr double rasec = d2r0 / 3600.0;          // pi/648000
constexpr double zpi = pi0 + pi0;                // 2 pi
constexpr double pimk = pi_13;


// Fundamental arguments: a0 + a1 T + a2 T^2 + a3 T^3 + a4 T^4, a0 in
// degrees, a1..a4 in arcseconds per power of T (Julian centuries of TDB).
// Rows 0..7: mean longitudes of Mercury, Venus, the Earth-Moon barycentre,
// Mars, Jupiter, Saturn, Uranus, Neptune; 8: Omega; 9: D; 10: l'; 11: l;
// 12: F; 13: general precession p_A; 14: the Moon's mean longitude.
// Simon et al., Astron. Astrophys. 282, 663 (1994), as used with LEA-406
// (Kudryavtsev 2007, eqs. 37-51).
constexpr double qfr[15][5] = {
    {252.25090552, 538101628.688982, -0.0192789, 0.00000639, 0.0},
    {181.97980085, 210664136.433548, 0.0059381, -0.00000627, 0.0},
    {100.46645683, 129597742.283429, -0.0204411, -0.00000523, 0.0},
    {355.43299958, 68905077.493988, 0.0094264, -0.00001043, 0.0},
    {34.35151874, 10925660.377991, -0.3060378, 0.00005706, 0.000004667},
    {50.0774443, 4399609.855732, 0.7561614, -0.00016618, -0.000011484},
    {314.05500511, 1542481.193933, -0.0175083, 0.00002156, 0.0},
    {304.34866548, 786550.320744, 0.0021103, -0.00000895, 0.0},
    {125.04455501, -6967919.3631, 6.3602, 0.007625, -0.00003586},
    {297.85019547, 1602961601.209, -6.3706, 0.006593, -0.00003169},
    {357.52910918, 129596581.0481, -0.5532, 0.000136, -0.00001149},
    {134.96340251, 1717915923.2178, 31.8792, 0.051635, -0.0002447},
    {93.27209062, 1739527262.8478, -12.7512, -0.001037, 0.00000417},
    {0.0, 5028.82, 1.112022, 0.0000773, -0.00002353},
    {218.31664563, 1732564372.3047, -5.279, 0.006665, -0.00005522},
};

// Epoch offset TDB - TT model: break points (JD) and offsets (s).
constexpr double jd0500 = 1903773.5;
constexpr double jd1300 = 2195773.5;
constexpr double jdlow = 2720304.5;
constexpr double jd3500 = 2999498.5;

// Interval of validity of LEA-406b: -2999 January 1 to 3000 January 1.
constexpr double kTdbFirst = 625673.5;
constexpr double kTdbLast = 2816787.5;

// One prepared term: amplitudes, phases in radians and the coefficients of
// its argument polynomial in radians per power of T.
struct Term {
    double c[5];
    double A0, A1, A2;
    double P0, P1, P2;
};

struct Prepared {
    Term r[ntab9];
    Term v[ntab10];
    Term u[ntab11];
};

// Scans one term row and prepares it.  Returns false when the row does not
// hold all 21 numbers (the term then stays zero and adds nothing).
bool prepare_term(const char* row, Term* t)
{
    int n, k[14];
    double A0, A1, A2, P0, P1, P2;
    const int got = std::sscanf(
        row,
        " %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d  %lf %lf %lf %lf %lf %lf ",
        &n, &k[0], &k[1], &k[2], &k[3], &k[4], &k[5], &k[6], &k[7], &k[8],
        &k[9], &k[10], &k[11], &k[12], &k[13], &A0, &A1, &A2, &P0, &P1, &P2);
    *t = Term{};
    if (got != 21) return false;

    // Multipliers of the row (l, l', F, D, Omega, Me..Ne, p_A) rearranged
    // into the order of the fundamental arguments qfr[0..13].
    const int kj[14] = {k[5], k[6], k[7], k[8], k[9], k[10], k[11], k[12],
                        k[4], k[3], k[1], k[0], k[2], k[13]};
    double c[5] = {0.0, 0.0, 0.0, 0.0, 0.0};
    for (int j = 0; j < 14; ++j)
        for (int p = 0; p < 5; ++p) c[p] += kj[j] * qfr[j][p];

    t->c[0] = c[0] * radeg;
    for (int p = 1; p < 5; ++p) t->c[p] = c[p] * rasec;
    t->A0 = A0;
    t->A1 = A1;
    t->A2 = A2;
    t->P0 = P0 * radeg;
    t->P1 = P1 * radeg;
    t->P2 = P2 * radeg;
    return true;
}

void prepare_all(Prepared* p)
{
    int offset = 0;
    for (int i = 0; i < ntab9; ++i) prepare_term(str406[offset + 1 + i], &p->r[i]);
    offset += ntab9;
    for (int i = 0; i < ntab10; ++i) prepare_term(str406[offset + 1 + i], &p->v[i]);
    offset += ntab10;
    for (int i = 0; i < ntab11; ++i) prepare_term(str406[offset + 1 + i], &p->u[i]);
}

// The prepared terms, built at the first call and kept (static storage).
const Prepared& prepared()
{
    static Prepared store;
    static const bool ready = (prepare_all(&store), true);
    (void)ready;
    return store;
}

// Argument of a term at T, reduced in one step to [0, 2 pi).
inline double term_arg(const Term& t, double T)
{
    const double a = (((t.c[4] * T + t.c[3]) * T + t.c[2]) * T + t.c[1]) * T + t.c[0];
    return dmodx(a, zpi);
}

// Sum of a block at T and tm = T/10, from start on: trig is the cosine for
// the distance block, the sine for the longitude and latitude blocks.
double block_sum(const Term* terms, int n, double T, double tm, double start,
                 double (*trig)(double))
{
    double s = start;
    const double tm2 = tm * tm;
    for (int i = 0; i < n; ++i) {
        const Term& t = terms[i];
        const double arg = term_arg(t, T);
        s += t.A0 * trig(t.P0 + arg);
        if (t.A1 > 0.0) s += t.A1 * tm * trig(t.P1 + arg);
        if (t.A2 > 0.0) s += t.A2 * tm2 * trig(t.P2 + arg);
    }
    return s;
}

double cosine(double a) { return std::cos(a); }
double sine(double a) { return std::sin(a); }

}  // namespace

double lea406dif(double JDE)
{
    // Applied in this order: the rise above jdlow, its end at jd3500, and
    // the fall below jd1300.
    double JDEdif = (JDE - jdlow) * (40.0 / kSecondsPerDay) / (jd3500 - jdlow);
    if (jdlow > JDE) JDEdif = 0.0;
    if (JDE > jd3500) JDEdif = 40.0 / kSecondsPerDay;
    if (jd1300 > JDE)
        JDEdif = (JDE - jd1300) * (-28.0 / kSecondsPerDay) / (jd0500 - jd1300);
    return JDEdif;
}

void LEA406(double JDE, double* qLON, double* qLAT, double* qRAD)
{
    const Prepared& p = prepared();

    const double tdb = JDE + lea406dif(JDE);

    if (tdb < kTdbFirst || tdb > kTdbLast) {
        char line[96];
        std::snprintf(line, sizeof line,
                      " range 625674..2816787, tdb[1]]=%.1f\n", tdb);
        std::ostream& out = *console().out;
        out << " the input epoch is outside the time interval\n"
               " where the LEA406b series are precise.\n"
            << line;
        out.flush();
    }

    const double dtc = (tdb - kJ2000) / kDaysPerCentury;  // centuries
    const double dtm = dtc / 10.0;                          // millennia

    // Distance (km).
    const double r = block_sum(p.r, ntab9, dtc, dtm, 0.0, cosine);

    // Longitude and latitude (arcseconds); the longitude starts at the
    // Moon's mean longitude.
    const double* lm = qfr[14];
    const double vmean =
        (((lm[4] * dtc + lm[3]) * dtc + lm[2]) * dtc + lm[1]) * dtc + lm[0] * 3600.0;
    double v = block_sum(p.v, ntab10, dtc, dtm, vmean, sine);
    double u = block_sum(p.u, ntab11, dtc, dtm, 0.0, sine);

    v = dmodx(v * rasec, zpi);
    u = dmodx(u * rasec, zpi);

    *qLON = norm360(v * 180.0 / pimk);
    *qLAT = u * 180.0 / pimk;
    *qRAD = r;
}

namespace {

// Degrees per radian for the results of atan2 and asin: r2d_eph, one unit
// in the 14th digit above 180/pi.
constexpr double rtd = r2d_eph;

// Equatorial radius of the Earth (km) and the Moon's semi-diameter
// constant (arcseconds times km): Meeus, ch. 40 and 55.
constexpr double kEarthRadius = 6378.14;
constexpr double kMoonSdConstant = 358473400.0;

}  // namespace

void mooneph(int moonpar, double DeltaT0, int ky, int km, int kd, int kth,
             int ktm, int kts, double* delta1, double* grts1, double* grtg1,
             double* alfa1, double* HPmoon1, double* SDmoon1)
{
    (void)moonpar;

    const double JD = julday(ky, km, kd, kth, ktm, kts);
    const double T = (JD - kJ2000) / kDaysPerCentury;  // centuries of UT
    const double JDE = DeltaT0 / kSecondsPerDay + JD;
    const double TE = (JDE - kJ2000) / kDaysPerCentury;

    double dpsi, deps, eps0, eps;
    Nutation(TE, &dpsi, &deps, &eps0, &eps);

    // Sidereal time (IAU 1982), all of it from UT: Delta T does not enter.
    const double GHAAtrue = apparent_sidereal(JD, T, dpsi, eps);

    double lambdaMm, betaM, dEM;
    LEA406(JDE, &lambdaMm, &betaM, &dEM);

    // Apparent longitude: nutation only (no aberration, no light time).
    // betaM may be 360 - b for a southern latitude; only its sine, cosine
    // and tangent are taken.
    const double lambdaMapp = dpsi + lambdaMm;

    const double RAmoon = norm360(
        rtd * std::atan2(sind(lambdaMapp) * cosd(eps) - tand(betaM) * sind(eps),
                         cosd(lambdaMapp)));
    const double DECmoon =
        std::asin(sind(betaM) * cosd(eps) + cosd(betaM) * sind(eps) * sind(lambdaMapp))
        * rtd;

    const double GHAmoon = norm360(GHAAtrue - RAmoon);

    // Parallax and semi-diameter.  The series' distance is always far above
    // the Earth's radius; should it ever not be, the parallax is held at
    // 90 degrees and the distance at 1 km rather than give no number.
    double hpSin = kEarthRadius / dEM;
    if (!(hpSin <= 1.0) || hpSin < 0.0) hpSin = 1.0;
    const double dSd = dEM > 1.0 ? dEM : 1.0;
    const double HPmoon = std::asin(hpSin) * (rtd * 60.0);
    const double SDmoon = kMoonSdConstant / dSd / 60.0;

    *delta1 = DECmoon;
    *grts1 = GHAmoon;
    *grtg1 = GHAAtrue;
    *alfa1 = RAmoon;
    *HPmoon1 = HPmoon;
    *SDmoon1 = SDmoon;
}

}  // namespace lunarfix
