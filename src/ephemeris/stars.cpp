// The star catalogue (FK5, J2000.0) and the apparent place of a star.
#include "ephemeris/stars.h"

#include <cmath>
#include <cstdio>
#include <ostream>

#include "foundations/console_io.h"
#include "foundations/foundations.h"
#include "series/series.h"

namespace lunarfix {

// 58 navigational stars (the 57 navigational stars and Polaris) in
// alphabetical order of their names, FK5 places at equinox and epoch
// J2000.0 (Fricke et al., Fifth Fundamental Catalogue, 1988), then two
// spare rows holding Polaris.  Columns: RA (h), Dec (deg), proper motion in
// RA (s/century), in Dec ("/century), annual parallax (").  60 rows.
extern const char StarCatalog[kStarRows][kStarRowLen] = {
    " 2.9710266670 -40.3047138890  -0.3910    1.9400  0.0280 ",  // 0
    " 1.6285700000 -57.2367166670   1.1730   -3.4700  0.0230 ",  // 1
    "12.4432975000 -63.0990500000  -0.5240   -1.2100  0.0000 ",  // 2
    " 6.9770966670 -28.9720833330   0.0310    0.2800  0.0000 ",  // 3
    " 4.5986769440  16.5092750000   0.4390  -18.9700  0.0480 ",  // 4
    "12.9004855560  55.9598527780   1.3280   -0.5800  0.0090 ",  // 5
    "13.7923427780  49.3133194440  -1.2490   -1.0900  0.0350 ",  // 6
    "22.1372222220 -46.9609972220   1.2590  -15.1000  0.0510 ",  // 7
    " 5.6035580560  -1.2019500000   0.0060   -0.2400  0.0000 ",  // 8
    " 9.4597908330  -8.6586527780  -0.0930    3.2800  0.0170 ",  // 9
    "15.5781322220  26.7147055560   0.9060   -8.8600  0.0430 ",  // 10
    " 0.1397958330  29.0904388890   1.0390  -16.3300  0.0240 ",  // 11
    "19.8463894440   8.8683416670   3.6290   38.6300  0.1981 ",  // 12
    " 0.4380638890 -42.3060583330   1.8330  -39.5700  0.0350 ",  // 13
    "16.4901219440 -26.4319861110  -0.0710   -2.0300  0.0190 ",  // 14
    "14.2610213890  19.1824194440  -7.7140 -199.8400  0.0900 ",  // 15
    "16.8110747220 -69.0277277780   0.2600   -3.4000  0.0240 ",  // 16
    " 8.3752313890 -59.5095861110  -0.3460    1.4400  0.0000 ",  // 17
    " 5.4188491670   6.3496500000  -0.0590   -1.3900  0.0260 ",  // 18
    " 5.9195297220   7.4070416670   0.1730    0.8700  0.0050 ",  // 19
    " 6.3991997220 -52.6956944440   0.2450    2.0700  0.0180 ",  // 20
    " 5.2781536110  45.9980277780   0.7280  -42.4700  0.0730 ",  // 21
    "20.6905325000  45.2803638890   0.0270    0.2300  0.0000 ",  // 22
    "11.8176611110  14.5720416670  -3.4220  -11.4100  0.0760 ",  // 23
    " 0.7264922220 -17.9866166670   1.6370    3.2500  0.0570 ",  // 24
    "11.0621294440  61.7508944440  -1.6750   -6.6500  0.0310 ",  // 25
    " 5.4381975000  28.6074083330   0.1690  -17.5100  0.0180 ",  // 26
    "17.9434352780  51.4889472220  -0.0810   -1.9400  0.0170 ",  // 27
    "21.7364344440   9.8749777780   0.2070   -0.0600  0.0060 ",  // 28
    "22.9608486110 -29.6222500000   2.5510  -16.4700  0.1440 ",  // 29
    "12.5194247220 -57.1131944440   0.2850  -26.2300  0.0000 ",  // 30
    "12.2634350000 -17.5419361110  -1.1240    2.3300  0.0000 ",  // 31
    "14.0637244440 -60.3729972220  -0.4260   -1.9300  0.0160 ",  // 32
    " 2.1195563890  23.4624055560   1.3830  -14.8300  0.0430 ",  // 33
    "18.4028686110 -34.3846472220  -0.3090  -12.4100  0.0150 ",  // 34
    "14.8450961110  74.1554944440  -0.7630    1.2200  0.0310 ",  // 35
    "23.0793494440  15.2052500000   0.4360   -4.2500  0.0300 ",  // 36
    " 3.0379925000   4.0897027780  -0.0630   -7.8000  0.0090 ",  // 37
    "14.1113752780 -36.3700083330  -4.2930  -51.9000  0.0590 ",  // 38
    " 9.2199880560 -69.7172083330  -3.1080   10.7800  0.0380 ",  // 39
    " 3.4053791670  49.8612055560   0.2460   -2.4600  0.0290 ",  // 40
    "18.9210900000 -26.2967305560   0.0990   -5.4200  0.0000 ",  // 41
    "20.4274588890 -56.7351055560   0.0820   -8.9100  0.0000 ",  // 42
    " 2.5301955560  89.2640888890  19.8770     -1.520  0.0070 ",  // 43
    " 7.7552627780  28.0261833330  -4.7400   -4.5900  0.0930 ",  // 44
    " 7.6550313890   5.2250166670  -4.7550 -102.2900  0.2880 ",  // 45
    "17.5822433330  12.5600388890   0.8220  -22.6400  0.0560 ",  // 46
    "10.1395319440  11.9671916670  -1.6930    0.6400  0.0390 ",  // 47
    " 5.2422966670  -8.2016611110   0.0030   -0.1300  0.0130 ",  // 48
    "14.6599680560 -60.8354000000 -49.8260   69.9300  0.7516 ",  // 49
    "17.1729669440 -15.7249194400   0.2600    9.5000  0.0520 ",  // 50
    " 0.6751250000  56.5373500000   0.6360   -3.1900  0.0160 ",  // 51
    "17.5601483330 -37.1038111110  -0.0110   -2.9200  0.0000 ",  // 52
    " 6.7524641670 -16.7161083330  -3.8470 -120.5300  0.3751 ",  // 53
    "13.4198852780 -11.1613083330  -0.2780   -2.8300  0.0210 ",  // 54
    " 9.1332711110 -43.4326055560  -0.1720    1.2700  0.0150 ",  // 55
    "18.6156477780  38.7836583330   1.7260   28.6100  0.1230 ",  // 56
    "14.8479758330 -16.0417833330  -0.7340   -6.6800  0.0490 ",  // 57
    " 2.5301955560  89.2640888890  19.8770     -1.520  0.0070 ",  // 58
    " 2.5301955560  89.2640888890  19.8770     -1.520  0.0070 ",  // 59
};

namespace {

constexpr double dtr = d2r0;  // radians per degree
constexpr double arcsec = dtr / 3600.0;  // radians per arcsecond


// FK5 shift of the VSOP87 longitude: 0.09033" (Meeus, eq. 32.3), degrees.
constexpr double kFk5LongShift = 2.5091666666666666e-5;

// Mean obliquity of J2000.0 (degrees) for the catalogue's ecliptic place.
constexpr double kEps2000 = 23.439291111;

// Factor of the radial-velocity term of the proper motion: 1 km/s at a
// parallax of 1 degree changes the proper motion by 0.367 of itself per
// century (1.0227e-4 per century for 1 km/s and 1").
constexpr double kRadialFactor = 0.367;

// Radial velocities (km/s) of the stars that have one; 0 elsewhere.
double radial_velocity(int idstar)
{
    switch (idstar) {
    case 12: return -26.3;  // Altair
    case 43: return -17.0;  // Polaris
    case 49: return -22.2;  // Rigil Kentaurus
    case 53: return -7.6;   // Sirius
    default: return 0.0;
    }
}

// The catalogue read once with farr60 (hours, degrees, s/century,
// "/century, ").
struct StarPlace {
    double ra, dec, pmra, pmdec, par;
};

struct Parsed {
    StarPlace s[kStarRows];
};

void parse_catalog(Parsed* p)
{
    for (int i = 0; i < kStarRows; ++i) {
        p->s[i].ra = farr60(StarCatalog, i, 0, 13);
        p->s[i].dec = farr60(StarCatalog, i, 14, 28);
        p->s[i].pmra = farr60(StarCatalog, i, 29, 37);
        p->s[i].pmdec = farr60(StarCatalog, i, 38, 47);
        p->s[i].par = farr60(StarCatalog, i, 49, 55);
    }
}

const Parsed& catalog()
{
    static Parsed store;
    static const bool ready = (parse_catalog(&store), true);
    (void)ready;
    return store;
}

}  // namespace

int starseph(int iterq, int idstar, double DeltaT0, int ky, int km, int kd,
             int kth, int ktm, int kts, double* delta1, double* grts1,
             double* grtg1, double* alfa1, double* shast1)
{
    (void)iterq;
    if (idstar < 0 || idstar >= kStarRows) {
        char line[64];
        std::snprintf(line, sizeof line, " ??? no catalogue star %d\n", idstar);
        *console().out << line;
        console().out->flush();
        *delta1 = 0.0;
        *grts1 = 0.0;
        *grtg1 = 0.0;
        *alfa1 = 0.0;
        *shast1 = 0.0;
        return -1;
    }

    // 1. Time.
    const double JD = julday(ky, km, kd, kth, ktm, kts);
    const double JDE = JD + DeltaT0 / kSecondsPerDay;
    const double TE = (JDE - kJ2000) / kDaysPerCentury;
    const double TE2 = TE * TE;
    const double TE3 = TE2 * TE;
    const double Tau = TE / 10.0;

    // 2. Nutation and the true obliquity.
    double dpsi, deps, eps0, eps;
    Nutation(TE, &dpsi, &deps, &eps0, &eps);

    // 3. Sidereal time: linear term from JD of UT, T^2 and T^3 from TE.
    const double GHAAtrue = apparent_sidereal(JD, TE, dpsi, eps);

    // 4. Geometric longitude of the Sun, FK5 (degrees).
    const double sunLon = norm360(180.0 + Learth(Tau) - kFk5LongShift);

    // 5. Catalogue place (degrees, degrees per century).
    const StarPlace& s = catalog().s[idstar];
    const double alpha0 = 15.0 * s.ra;
    const double delta0 = s.dec;
    const double mua = 15.0 * s.pmra / 3600.0;
    const double mud = s.pmdec / 3600.0;
    const double par = s.par / 3600.0;
    const double V = radial_velocity(idstar);

    // 6. Proper motion over TE centuries, with the radial-velocity term.
    const double ddgc = std::atan(tand(delta0) * cosd(TE * mua)) / dtr - delta0;
    double dd = TE * mud + ddgc;
    const double dgc = delta0 + dd;
    double da = TE * mua * cosd(delta0) / cosd(dgc);
    const double f = 1.0 + (-TE) * V * par * kRadialFactor;
    da *= f;
    dd *= f;
    const double alpha1 = alpha0 + da;
    const double dec1 = delta0 + dd;

    // 7. Ecliptic place referred to J2000.0 (radians from here on).
    const double lam1 = std::atan2(sind(alpha1) * cosd(kEps2000) + tand(dec1) * sind(kEps2000),
                                   cosd(alpha1));
    const double bet1 = std::asin(sind(dec1) * cosd(kEps2000)
                                  - cosd(dec1) * sind(kEps2000) * sind(alpha1));

    // 8. Precession in the ecliptic from J2000.0 to the date.
    const double eta = (47.0029 * TE - 0.03302 * TE2 + 0.00006 * TE3) * arcsec;
    const double Pi = 174.876384 * dtr - (869.8089 * TE - 0.03536 * TE2) * arcsec;
    const double pp = (5029.0966 * TE + 1.11113 * TE2 - 0.000006 * TE3) * arcsec;
    const double A1 = std::cos(eta) * std::cos(bet1) * std::sin(Pi - lam1)
                      - std::sin(eta) * std::sin(bet1);
    const double B1 = std::cos(bet1) * std::cos(Pi - lam1);
    const double C1 = std::cos(eta) * std::sin(bet1)
                      + std::sin(eta) * std::cos(bet1) * std::sin(Pi - lam1);
    double lam = pp + Pi - std::atan2(A1, B1);
    double bet = std::asin(C1);

    // 9. Annual parallax (Earth-Sun distance 1 AU).
    const double sun = sunLon * dtr;
    const double parr = par * dtr;
    double c = std::cos(bet);
    if (std::fabs(c) < 1e-7) c = 1e-7;
    const double dlamP = parr * std::sin(sun - lam) / c;
    const double dbetP = -parr * std::sin(bet) * std::cos(sun - lam);
    lam += dlamP;
    bet += dbetP;

    // 10. Nutation in longitude.
    lam += dpsi * dtr;

    // 11. Annual aberration with the e-terms.
    double dlamA, dbetA;
    annual_aberration(TE, sun, lam, bet, &dlamA, &dbetA);
    lam += dlamA;
    bet += dbetA;

    // 12. Equator of date with the true obliquity.
    const double alpha = std::atan2(std::sin(lam) * cosd(eps) - std::tan(bet) * sind(eps),
                                    std::cos(lam));
    const double delta = std::asin(std::sin(bet) * cosd(eps)
                                   + std::cos(bet) * sind(eps) * std::sin(lam));
    const double alphaDeg = alpha / dtr;

    // 13. Outputs.
    *delta1 = delta / dtr;
    *grts1 = norm360(GHAAtrue - alphaDeg);
    *grtg1 = GHAAtrue;
    *alfa1 = alphaDeg;
    *shast1 = norm360(360.0 - alphaDeg);
    return idstar;
}

}  // namespace lunarfix
