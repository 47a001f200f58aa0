// Navigation computations: altitude corrections, sight reduction, true and
// cleared lunar distance.  The sailings and the fix are in
// fix_geometry.cpp.
#include "navigation/navcalc.h"

#include <cmath>

#include "foundations/foundations.h"

namespace lunarfix {

namespace {

/* Limits x to -1..+1 against rounding just outside the domain of an arc
 * sine or arc cosine.  A NaN stays a NaN (fmin/fmax would turn it into a
 * bound), so that a failed input reaches the caller as a failure and not
 * as an altitude of 90 deg or a distance of 0. */
double clamp1(double x) {
    if (std::isnan(x)) return x;
    return std::fmax(-1.0, std::fmin(1.0, x));
}

/* Flattening of the Earth, 1/298.257 (IERS/IAU 1976 reference ellipsoid). */
constexpr double kFlattening = 0.0033528131778969143;

/* Degrees per radian, as the sight reduction and the lunar distances use
 * it: the ephemerides' own factor (foundations.h). */
constexpr double kRadDeg = r2d_eph;

} // namespace

double limb_sign(int iur) {
    if (iur == 0 || iur == 2) return 1.0;
    if (iur == 1 || iur == 3) return -1.0;
    return 0.0;
}

double BESCHICKUNG(int /*ibes*/, int iur, double Lati, double Azi, double ha0,
                   double indb, double temperatur, double druck, double aug,
                   double SDiam, double HorPar, double* HP1, double* dip1,
                   double* r1, double* SD1, double* gb1) {
    const double d2r = d2r_tan;  // 3.14159265358979 / 180
    const double r2d = 1.0 / d2r;
    /* Ratio of the Moon's radius to the Earth's equatorial radius. */
    const double k = 0.2725;

    const double ur = limb_sign(iur);

    const double HP = HorPar / 60.0;
    const double H1 = ha0 + indb / 60.0;
    const double dip = 1.76 * std::sqrt(aug > 0.0 ? aug : 0.0);
    const double H2 = H1 - dip / 60.0;

    // Refraction (arcmin).  Low-altitude formula below 15 deg of sextant
    // altitude; the cotangent formula only while H2 is high enough for it.
    double R0;
    if (ha0 < 15.0 || H2 < 10.0) {
        const double R2 = (34.133 + 4.197 * H2 + 0.00428 * H2 * H2) /
                          (1.0 + 0.505 * H2 + 0.0845 * H2 * H2);
        R0 = R2 / 60.0;
    } else {
        const double t = tand(H2);
        const double R1 = 0.96474 / t - 0.00113 / (t * t * t);
        R0 = R1 / 60.0;
    }

    // Temperature and pressure: factor 1 at 10 C and 1010 hPa.
    const double fR = 283.15 * druck / ((273.15 + temperatur) * 1010.0);
    const double H3 = H2 - fR * R0;

    double SDaug = 0.0;
    if (iur == 2 || iur == 3) {
        // Augmented semi-diameter of the Moon at the limb's altitude.
        const double sHP = sind(HP);
        bool done = false;
        if (sHP != 0.0) {
            const double c = cosd(H3) + ur * k;
            const double rad = 1.0 / (sHP * sHP) - c * c;
            if (rad > 0.0) {
                const double den = std::sqrt(rad) - sind(H3);
                if (den > 0.0) {
                    SDaug = r2d * std::atan(k / den);
                    done = true;
                }
            }
        }
        if (!done) SDaug = r2d * std::asin(clamp1(k * sHP));
    } else if (iur == 0 || iur == 1) {
        SDaug = SDiam / 60.0;
    }

    const double H4 = H3 + ur * SDaug;

    // Parallax in altitude with the oblateness term.
    const double sL = sind(Lati);
    const double P =
        r2d * std::asin(clamp1(sind(HP) * cosd(H4))) +
        kFlattening * HP *
            (sind(2.0 * Lati) * cosd(Azi) * sind(H4) - sL * sL * cosd(H4));

    const double Ho = H4 + P;

    *HP1 = 60.0 * P;
    *dip1 = dip;
    *r1 = 60.0 * R0;
    *SD1 = 60.0 * SDaug;
    *gb1 = 60.0 * (Ho - ha0);
    return Ho;
}

void HcAz(double lat0, double lon0, double DEC0, double GHA0, double* LHA00,
          double* Hcalc, double* Az0) {
    const double degrad = 1.0 / kRadDeg;

    const double LHA0 = norm360(GHA0 + lon0);
    const double lat = lat0 * degrad;
    const double dec = DEC0 * degrad;
    const double lha = LHA0 * degrad;

    const double sinhc = clamp1(std::sin(dec) * std::sin(lat) +
                                std::cos(lat) * std::cos(dec) * std::cos(lha));
    const double hc = std::asin(sinhc);

    double Az;
    const double den = std::cos(lat) * std::cos(hc);
    if (std::fabs(den) > 1e-9) {
        const double cosaz = clamp1((std::sin(dec) - std::sin(lat) * sinhc) / den);
        if (LHA0 == 0.0 || LHA0 == 180.0) {
            // On the meridian: due north or due south, without the last-place
            // noise that the arc cosine magnifies near +-1.
            Az = cosaz >= 0.0 ? 0.0 : 180.0;
        } else {
            Az = std::acos(cosaz) * kRadDeg;
            if (LHA0 < 180.0) Az = 360.0 - Az;
        }
    } else {
        // Pole of the assumed position or body in the zenith: the direction
        // from its east and north components, 0 when both vanish.
        const double east = -std::cos(dec) * std::sin(lha);
        const double north = std::sin(dec) * std::cos(lat) -
                             std::cos(dec) * std::sin(lat) * std::cos(lha);
        Az = norm360(std::atan2(east, north) * kRadDeg);
    }

    *LHA00 = LHA0;
    *Hcalc = hc * kRadDeg;
    *Az0 = Az;
}

double LDist(double DecM, double DecS, double RaM, double RaS) {
    const double c = sind(DecM) * sind(DecS) +
                     cosd(DecM) * cosd(DecS) * cosd(RaM - RaS);
    return kRadDeg * std::acos(clamp1(c));
}

double Lunaclear(double d, double M, double S, double m, double s, double Azm,
                 double Azs, double HP, double Lati) {
    // Young's formula.
    const double cosyoung =
        (cosd(d) + cosd(m + s)) * cosd(M) * cosd(S) / (cosd(m) * cosd(s)) -
        cosd(M + S);
    double D = kRadDeg * std::acos(clamp1(cosyoung));

    // Oblateness of the Earth: q is the sine of the angle at the Moon
    // between its vertical circle and the distance arc.
    const double sD = sind(D);
    if (std::fabs(sD) > 1e-9) {
        const double q = clamp1(cosd(S) * sind(Azm - Azs) / sD);
        D = D + kFlattening * HP * sind(2.0 * Lati) * sind(Azm) * q;
    }
    return D;
}

} // namespace lunarfix
