// Tests of the Sun's apparent place (suneph) and of sunrise and sunset
// (suntime).
#include <cmath>

#include <gtest/gtest.h>

#include "ephemeris/sun.h"
#include "ephemeris/sun_place.h"
#include "foundations/foundations.h"
#include "series/series.h"
#include "test_support.h"

namespace lunarfix {
namespace {

// Angles in degrees; parallax and semi-diameter come in arcminutes.
using namespace lunarfix_test;

constexpr double kPi = 3.141592653589793;
constexpr double kRad = 180.0 / kPi;

// ---------------------------------------------------------------------------
// suneph

// Meeus, Astronomical Algorithms, ex. 25.b: the apparent Sun on 1992
// October 13.0 TD from the complete VSOP87 series.
TEST(Suneph, WorkedExample1992October13)
{
    const SunPlace p = sun_at(0.0, 1992, 10, 13, 0, 0, 0);
    EXPECT_NEAR(angdiff(p.ra, hms(13, 13, 30.749)), 0.0, 0.1 * arcsec);
    EXPECT_NEAR(p.dec, dms(-1, 7, 47, 1.74), 0.1 * arcsec);
    // ΔT = 0: JDE is the Julian day of UT itself.
    EXPECT_EQ(p.jde, julday(1992, 10, 13, 0, 0, 0));
    EXPECT_EQ(p.jde, 2448908.5);
}

// Independent evaluation of the same theory (VSOP87D Earth, FK5, IAU 1980
// nutation, −20.4898″/R aberration) with the astronomia 4.2.0 library;
// ΔT = 0, so JDE = JD.  Columns: date and time, RA, Dec, apparent
// sidereal time (degrees), radius vector (AU).
struct SunRef {
    int y, mo, d, h, mi, s;
    double ra, dec, gast, r;
};
const SunRef kSunRefs[] = {
    {1800, 6, 15, 0, 0, 0, 82.989008545, 23.310603545, 263.030529006, 1.0161205157},
    {1900, 2, 28, 18, 30, 0, 341.295353678, -7.919893960, 75.615669760, 0.9910792623},
    {1992, 12, 20, 0, 0, 0, 268.208057592, -23.429597687, 88.829628559, 0.9838241643},
    {2000, 1, 1, 12, 0, 0, 281.277566676, -23.032487041, 280.457069931, 0.9833276819},
    {2024, 8, 10, 3, 15, 30, 140.439480375, 15.435760868, 7.974736373, 1.0136681385},
    {2100, 11, 5, 21, 0, 0, 221.068547499, -15.890658446, 0.181583880, 0.9917347343},
    {2200, 3, 10, 6, 0, 0, 350.331687012, -4.158813637, 257.796851297, 0.9922550489},
};

TEST(Suneph, AgreesWithIndependentEvaluation1800To2200)
{
    for (const SunRef& r : kSunRefs) {
        SCOPED_TRACE(r.y);
        const SunPlace p = sun_at(0.0, r.y, r.mo, r.d, r.h, r.mi, r.s);
        EXPECT_NEAR(angdiff(p.ra, r.ra), 0.0, 0.05 * arcsec);
        EXPECT_NEAR(p.dec, r.dec, 0.05 * arcsec);
        EXPECT_NEAR(angdiff(p.gast, r.gast), 0.0, 0.05 * arcsec);
        EXPECT_NEAR(p.sd, 959.63 / r.r / 60.0, 1e-6 * arcsec_m);
        EXPECT_NEAR(p.hp, 8.794 / r.r / 60.0, 1e-7 * arcsec_m);
    }
}

TEST(Suneph, SiderealTimeAtJ2000)
{
    // 2000 January 1, 12h UT: T = 0, so the mean sidereal time is the
    // constant 280.46061837° and the apparent one adds Δψ·cos ε.
    const SunPlace p = sun_at(0.0, 2000, 1, 1, 12, 0, 0);
    double dpsi, deps, eps0, eps;
    Nutation(0.0, &dpsi, &deps, &eps0, &eps);
    EXPECT_NEAR(p.gast, 280.46061837 + dpsi * cosd(eps), 1e-9 * deg);
    EXPECT_EQ(p.jde, 2451545.0);
}

TEST(Suneph, ParallaxAndSemiDiameterScaleWithDistance)
{
    // Both are constants at 1 AU divided by the radius vector of the Earth
    // at JDE; their ratio is fixed.
    const SunPlace p = sun_at(0.0, 2024, 8, 10, 3, 15, 30);
    const double R = Rearth((p.jde - 2451545.0) / 365250.0);
    EXPECT_NEAR(p.hp, 8.794 / R / 60.0, 1e-12 * arcmin_m);
    EXPECT_NEAR(p.sd, 959.63 / R / 60.0, 1e-12 * arcmin_m);
    EXPECT_NEAR(p.sd / p.hp, 959.63 / 8.794, 1e-12);

    // Near perihelion (early January) the disc is largest, near aphelion
    // (early July) smallest: 16′18″ and 15′44″ within a few arcseconds.
    const SunPlace jan = sun_at(0.0, 2023, 1, 4, 12, 0, 0);
    const SunPlace jul = sun_at(0.0, 2023, 7, 6, 12, 0, 0);
    EXPECT_NEAR(jan.sd, 16.0 * arcmin_m + 18.0 * arcsec_m, 3.0 * arcsec_m);
    EXPECT_NEAR(jul.sd, 15.0 * arcmin_m + 44.0 * arcsec_m, 3.0 * arcsec_m);
    EXPECT_GT(jan.hp, jul.hp);
}

TEST(Suneph, DeltaTShiftsTheEphemerisTimeOnly)
{
    // One day of ΔT gives the place of the next day at the same UT, but
    // the sidereal time stays that of the given UT.
    const SunPlace a = sun_at(86400.0, 2021, 6, 1, 6, 0, 0);
    const SunPlace b = sun_at(0.0, 2021, 6, 2, 6, 0, 0);
    const SunPlace c = sun_at(0.0, 2021, 6, 1, 6, 0, 0);
    EXPECT_EQ(a.jde, b.jde);
    EXPECT_EQ(a.ra, b.ra);
    EXPECT_EQ(a.dec, b.dec);
    EXPECT_EQ(a.hp, b.hp);
    EXPECT_EQ(a.sd, b.sd);
    // The equation of the equinoxes follows the nutation of the JDE, whose
    // fortnightly terms change by up to about 0.1″ in a day.
    EXPECT_NEAR(angdiff(a.gast, c.gast), 0.0, 0.2 * arcsec);
    EXPECT_NEAR(angdiff(b.gast, a.gast), 0.9856473 * deg, 0.2 * arcsec);

    // A usual ΔT of 69 s: JDE = JD + 69/86400, the Sun some 2.8″ further.
    const SunPlace t = sun_at(69.0, 2021, 6, 1, 6, 0, 0);
    EXPECT_DOUBLE_EQ(t.jde, julday(2021, 6, 1, 6, 0, 0) + 69.0 / 86400.0);
    const double moved = angdiff(t.ra, c.ra);
    expect_between(moved, 2.0 * arcsec, 4.0 * arcsec);
}

TEST(Suneph, OutputRangesAndHourAngle)
{
    // Dates spread over the years −1999 to 5999 and over the seasons; the
    // March equinox puts the right ascension next to 0/360.
    const int dates[][6] = {
        {-1999, 1, 1, 0, 0, 0}, {-500, 3, 21, 12, 0, 0}, {1582, 10, 4, 23, 0, 0},
        {1582, 10, 15, 0, 0, 0}, {2021, 3, 20, 9, 37, 0}, {2021, 3, 20, 9, 38, 0},
        {2021, 12, 21, 15, 59, 0}, {3000, 9, 22, 0, 0, 0}, {5999, 12, 31, 23, 59, 59},
    };
    for (const auto& t : dates) {
        SCOPED_TRACE(t[0]);
        const SunPlace p = sun_at(0.0, t[0], t[1], t[2], t[3], t[4], t[5]);
        expect_within_one_turn(p.ra, p.gha, p.gast);
        EXPECT_LE(std::fabs(p.dec), 23.9);
        EXPECT_NEAR(angdiff(p.gha, p.gast - p.ra), 0.0, 1e-9 * arcsec);
        expect_between(p.sd, 15.5 * arcmin_m, 16.6 * arcmin_m);
    }
    // The March equinox of 2021 fell at 9:37 UT: the Sun crosses the
    // equator from south to north, its right ascension from 360 to 0.
    const SunPlace before = sun_at(0.0, 2021, 3, 20, 9, 30, 0);
    const SunPlace after = sun_at(0.0, 2021, 3, 20, 9, 45, 0);
    EXPECT_LT(before.dec, 0.0);
    EXPECT_GT(after.dec, 0.0);
    EXPECT_GT(before.ra, 359.9);
    EXPECT_LT(after.ra, 0.1);
}

TEST(Suneph, SouthernEclipticLatitudeIsNotASignError)
{
    // The Earth's latitude B and the Sun's −B are a fraction of an
    // arcsecond; the declination must follow sin δ = sin β cos ε +
    // cos β sin ε sin λ with β = −B (a few hundredths of an arcsecond),
    // whether B is positive or negative.
    // The FK5 term adds at most 0.06″ to β.
    double largest_B = 0.0;
    for (int month = 1; month <= 12; ++month) {
        SCOPED_TRACE(month);
        const SunPlace p = sun_at(0.0, 2010, month, 15, 0, 0, 0);
        double dpsi, deps, eps0, eps;
        const double TE = (p.jde - 2451545.0) / 36525.0;
        Nutation(TE, &dpsi, &deps, &eps0, &eps);
        // Ecliptic latitude back from RA and Dec.
        const double a = p.ra / kRad, d = p.dec / kRad, e = eps / kRad;
        const double sinbeta = std::sin(d) * std::cos(e)
                               - std::cos(d) * std::sin(e) * std::sin(a);
        const double beta = std::asin(sinbeta) * kRad;
        const double B = Bearth(TE / 10.0);
        EXPECT_NEAR(beta, -B, 0.07 * arcsec);
        largest_B = std::fmax(largest_B, std::fabs(B));
    }
    EXPECT_GT(largest_B, 0.3 * arcsec);  // large enough to show a sign slip
}

// ---------------------------------------------------------------------------
// suntime

struct RiseSet {
    int srd, srm, ssd, ssm, Ar, As, D;
};

RiseSet rise_set(int y, int m, int d, double lon, double lat)
{
    RiseSet r{-9, -9, -9, -9, -9, -9, -9};
    EXPECT_EQ(suntime(y, m, d, lon, lat, &r.srd, &r.srm, &r.ssd, &r.ssm,
                      &r.Ar, &r.As, &r.D),
              0.0);
    return r;
}

void expect_rise_set(const RiseSet& r, const RiseSet& want)
{
    EXPECT_EQ(r.srd, want.srd);
    EXPECT_EQ(r.srm, want.srm);
    EXPECT_EQ(r.ssd, want.ssd);
    EXPECT_EQ(r.ssm, want.ssm);
    EXPECT_EQ(r.Ar, want.Ar);
    EXPECT_EQ(r.As, want.As);
    EXPECT_EQ(r.D, want.D);
}

void expect_rise_set(const RiseSet& r, int srd, int srm, int ssd, int ssm,
                     int Ar, int As, int D)
{
    expect_rise_set(r, RiseSet{srd, srm, ssd, ssm, Ar, As, D});
}

TEST(Suntime, KnownDatesAndPlaces)
{
    const struct { int y, m, d; double lon, lat; RiseSet want; } known[] = {
        {2021, 9, 1, 0.0, 52.0, {5, 11, 18, 46, 77, 283, 47}},
        // Before J2000.0 the mean Sun's right ascension comes out of the
        // remainder negative.
        {1992, 10, 13, -10.0, 30.0, {6, 43, 18, 14, 99, 261, 29}},
        // Sun just past 0h of right ascension, mean Sun near 24h: the
        // equation of time near 24 h falls out of the day reduction.
        {2021, 3, 20, 0.0, 0.0, {5, 59, 18, 5, 90, 270, 20}},
    };
    for (const auto& k : known) {
        SCOPED_TRACE(k.y);
        expect_rise_set(rise_set(k.y, k.m, k.d, k.lon, k.lat), k.want);
    }
}

TEST(Suntime, MidnightSunAndPolarNight)
{
    // 70° N at the June solstice: the Sun never goes down; 70° S: never up.
    // Both read 0h 0m with no twilight; the azimuth formula saturates.
    SCOPED_TRACE("70N");
    expect_rise_set(rise_set(2021, 6, 21, 20.0, 70.0), 0, 0, 0, 0, 0, 360, 0);
    SCOPED_TRACE("70S");
    expect_rise_set(rise_set(2021, 6, 21, 20.0, -70.0), 0, 0, 0, 0, 0, 360, 0);
    // December: the other way round, sin δ / cos φ below −1.
    SCOPED_TRACE("December");
    expect_rise_set(rise_set(2021, 12, 21, 0.0, -70.0), 0, 0, 0, 0, 180, 180, 0);
}

TEST(Suntime, TwilightRule)
{
    // 20 + 0.01·φ² minutes, truncated.
    EXPECT_EQ(rise_set(2021, 9, 1, 0.0, 0.0).D, 20);
    EXPECT_EQ(rise_set(2021, 9, 1, 0.0, 50.0).D, 45);
    EXPECT_EQ(rise_set(2021, 9, 1, 0.0, -50.0).D, 45);
    EXPECT_EQ(rise_set(2021, 9, 1, 0.0, 33.3).D, 31);  // 31.0889

    // A sunrise in the first hour of UT (equator, 85° E) keeps the
    // latitude rule: the twilight does not depend on the minute of rising.
    const RiseSet r = rise_set(2021, 9, 1, 85.0, 0.0);
    EXPECT_EQ(r.srd, 0);
    EXPECT_GT(r.srm, 0);
    EXPECT_EQ(r.D, 20);
    const RiseSet r2 = rise_set(2021, 9, 1, 85.0, 30.0);
    EXPECT_EQ(r2.D, 29);
}

TEST(Suntime, LatitudeClampAtTheLimit)
{
    // Beyond ±89.99° the latitude is taken as ±89.99°, in every output.
    const int dates[][3] = {
        {1993, 3, 18}, {2021, 3, 22}, {2021, 3, 20}, {2021, 6, 21},
        {2021, 9, 22}, {2021, 12, 21}, {2040, 9, 24},
    };
    for (const auto& t : dates) {
        SCOPED_TRACE(t[0] * 10000 + t[1] * 100 + t[2]);
        expect_rise_set(rise_set(t[0], t[1], t[2], 0.0, 95.0),
                        rise_set(t[0], t[1], t[2], 0.0, 89.99));
        expect_rise_set(rise_set(t[0], t[1], t[2], 0.0, -90.0),
                        rise_set(t[0], t[1], t[2], 0.0, -89.99));
    }
    // The Sun's centre stays a whole day below or above −0.83° at the
    // pole but on rare days whose declination lies within 0.01° of −0.83°
    // (north) or +0.83° (south); then the twilight rule gives 100 minutes.
    expect_rise_set(rise_set(1993, 3, 18, 0.0, 95.0), 7, 5, 17, 16, 180, 180, 100);
    expect_rise_set(rise_set(2021, 3, 22, 0.0, -95.0), 7, 14, 16, 56, 0, 360, 100);
    // Equinox day, declination just north: no crossing, Sun due north.
    expect_rise_set(rise_set(2021, 3, 20, 0.0, 95.0), 0, 0, 0, 0, 0, 360, 0);
    // A sunrise at 0:53 UT at the pole: still the latitude rule.
    expect_rise_set(rise_set(2040, 9, 24, 0.0, 89.99), 0, 53, 22, 48, 180, 180, 100);
}

TEST(Suntime, PositionThatIsNotANumber)
{
    // No rising or setting can be found: the no-crossing reading, never an
    // integer made from NaN.
    const double nan = std::nan("");
    const double inf = HUGE_VAL;
    expect_rise_set(rise_set(2021, 9, 1, nan, 52.0), 0, 0, 0, 0, 0, 360, 0);
    expect_rise_set(rise_set(2021, 9, 1, 0.0, nan), 0, 0, 0, 0, 0, 360, 0);
    expect_rise_set(rise_set(2021, 9, 1, inf, 10.0), 0, 0, 0, 0, 0, 360, 0);
    expect_rise_set(rise_set(2021, 9, 1, 0.0, -inf), 0, 0, 0, 0, 0, 360, 0);
    // A finite far longitude is still a longitude.
    const RiseSet r = rise_set(2021, 9, 1, 360.0, 52.0);
    expect_rise_set(r, 5, 11, 18, 46, 77, 283, 47);
}

TEST(Suntime, AzimuthsAndTruncation)
{
    // Ar + As = 360 and Ar in 0..180 everywhere; on the equator at an
    // equinox the Sun rises due east.
    for (int month = 1; month <= 12; ++month) {
        for (double lat : {-80.0, -45.0, 0.0, 23.0, 60.0, 89.0}) {
            SCOPED_TRACE(month * 1000 + lat);
            const RiseSet r = rise_set(2030, month, 10, -45.0, lat);
            EXPECT_EQ(r.Ar + r.As, 360);
            EXPECT_GE(r.Ar, 0);
            EXPECT_LE(r.Ar, 180);
            for (int hours : {r.srd, r.ssd}) {
                EXPECT_GE(hours, 0);
                EXPECT_LT(hours, 24);
            }
            for (int minutes : {r.srm, r.ssm}) {
                EXPECT_GE(minutes, 0);
                EXPECT_LT(minutes, 60);
            }
        }
    }
    EXPECT_NEAR(rise_set(2021, 3, 20, 0.0, 0.0).Ar, 90, 1);
    EXPECT_NEAR(rise_set(2021, 9, 22, 0.0, 0.0).Ar, 90, 1);
    // In June the Sun stands north of the equator: it rises north of east
    // in either hemisphere (cos A = sin δ / cos φ); in December south.
    EXPECT_EQ(rise_set(2021, 6, 21, 0.0, 50.0).Ar, 52);
    EXPECT_EQ(rise_set(2021, 6, 21, 0.0, -50.0).Ar, 52);
    EXPECT_EQ(rise_set(2021, 12, 21, 0.0, 50.0).Ar, 128);
    EXPECT_EQ(rise_set(2021, 12, 21, 0.0, -50.0).Ar, 128);

    // Longitude moves the times by 4 minutes per degree (whole minutes,
    // truncated, so a difference of 59 to 61 minutes for 15°).
    const RiseSet g = rise_set(2021, 9, 1, 0.0, 52.0);
    const RiseSet w = rise_set(2021, 9, 1, -15.0, 52.0);
    const int dr = (w.srd * 60 + w.srm) - (g.srd * 60 + g.srm);
    const int ds = (w.ssd * 60 + w.ssm) - (g.ssd * 60 + g.ssm);
    for (int shift : {dr, ds}) {
        EXPECT_GE(shift, 59);
        EXPECT_LE(shift, 61);
    }
    EXPECT_EQ(w.D, g.D);
    EXPECT_EQ(w.Ar, g.Ar);

    // Times wrap round midnight into 0..24 h: far to the west the sunset
    // falls on the next UT day.
    const RiseSet far = rise_set(2021, 9, 1, -170.0, 10.0);
    EXPECT_LT(far.ssd, 12);
    EXPECT_GT(far.srd, 12);
}

TEST(Suntime, AgreesWithThePreciseSunWithinMinutes)
{
    // At sunrise the precise Sun's centre stands near −0.83° altitude.
    for (int month = 1; month <= 12; ++month) {
        SCOPED_TRACE(month);
        const double lat = 40.0, lon = 20.0;
        const RiseSet r = rise_set(2022, month, 5, lon, lat);
        SunPlace p = sun_at(0.0, 2022, month, 5, r.srd, r.srm, 30);
        const double lha = p.gha + lon;
        const double alt = std::asin(sind(lat) * sind(p.dec)
                                     + cosd(lat) * cosd(p.dec) * cosd(lha))
                           * kRad;
        // Three minutes of time move the Sun about 0.5° in altitude here.
        EXPECT_NEAR(alt, -0.83 * deg, 0.6 * deg);
        // Rising: east of the meridian.
        EXPECT_LT(sind(lha), 0.0);
    }
}

}  // namespace
}  // namespace lunarfix
