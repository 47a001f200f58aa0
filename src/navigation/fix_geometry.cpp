// Plane navigation of the fix: rhumb-line and mid-latitude sailing,
// distances in the local plane, and the intersection of two lines of
// position.
#include <cmath>

#include "foundations/foundations.h"
#include "navigation/navcalc.h"

namespace lunarfix {

namespace {

/* Longitude into (-180, 180]; a value already there is returned as it is
 * (bit for bit). */
double to_pm180(double lon) {
    if (lon > 180.0 || lon <= -180.0) return lim180(norm360(lon));
    return lon;
}

} // namespace

void shiftpos(int isw, double dist, int h1, int m1, int h2, int m2,
              double latitude1, double longitude1, double velav,
              double kursav, double* xlat2, double* xlong2) {
    const double pi = pi_13;
    const double d2r = 2.0 * pi / 360.0;
    const double r2d = 180.0 / pi;

    double lat1 = latitude1;
    if (lat1 > 89.0) lat1 = 89.0;
    if (lat1 < -89.0) lat1 = -89.0;

    // Course into [0, 360) in one step; -90 is west.
    const double course = norm360(kursav);
    int kind = 0;
    if (std::fabs(course - 90.0) < 0.01) kind = 1;
    if (std::fabs(course - 270.0) < 0.01) kind = -1;

    double run = dist;
    if (isw == 1) run = ((h2 - h1) + (m2 - m1) / 60.0) * std::fabs(velav);
    const double rdeg = run / 60.0;

    const double lat2 = lat1 + std::cos(course * d2r) * rdeg;
    double lon2 = longitude1;
    if (kind != 0) {
        // Parallel sailing.
        lon2 = longitude1 + kind * rdeg / std::cos((lat1 + lat2) / 2.0 * d2r);
    } else if (std::fabs(lat2) < 90.0) {
        // Mercator sailing: difference of meridional parts times tan(course).
        const double ratio = std::tan(lat2 * d2r / 2.0 + pi / 4.0) /
                             std::tan(lat1 * d2r / 2.0 + pi / 4.0);
        if (ratio > 0.0 && std::isfinite(ratio)) {
            lon2 = (std::log(ratio) * std::tan(course * d2r) +
                    longitude1 * d2r) * r2d;
        }
    }
    // A rhumb line ending at or beyond a pole has no longitude there: the
    // start longitude stands.

    *xlat2 = lat2;
    *xlong2 = lim180(norm360(lon2));
}

int verspos(double jd1, double jd2, double velav, double kursav,
            double latitude1, double longitude1, double* latitude2,
            double* longitude2) {
    int errvers = 0;
    double dist = velav * (jd2 - jd1) * 24.0;
    if (velav < 0.0) dist = -velav;
    if (dist > 2000.0) errvers = 1;

    double lat = latitude1;
    double lon = longitude1;
    if (dist >= 1.0) {
        const int steps = dist >= 200.0 ? 200 : static_cast<int>(std::floor(dist));
        const double step = dist / steps;
        const double dlat = cosd(kursav) * step / 60.0;
        const double dep = sind(kursav) * step / 60.0;
        for (int i = 0; i < steps; ++i) {
            const double newlat = lat + dlat;
            if (std::fabs(std::trunc(newlat)) > 89.0) errvers = 2;
            lon += dep / cosd((lat + newlat) / 2.0);
            lat = newlat;
        }
    }

    *latitude2 = lat;
    *longitude2 = lim180(norm360(lon));
    return errvers;
}

double bestver(int /*ibestv*/, double x0, double y0, double xpos, double ypos,
               double ynorm) {
    const double dx = xpos - x0;
    double dy = 0.0;
    if (std::fabs(ynorm) > 1e-12) {
        dy = lim180(norm360((ypos - y0) / ynorm)) * ynorm;
    }
    return 60.0 * std::sqrt(dx * dx + dy * dy);
}

IntersectionCase lopfix(double latitude1, double longitude1, double azim1,
                        double latitude2, double longitude2, double azim2,
                        double* xpos, double* ypos, double* ynorm,
                        double* latitudep, double* longitudep) {
    const double pi = pi_11;
    const double d2r = 2.0 * pi / 360.0;
    /* Slope given to a line of position that runs east-west. */
    const double kEastWest = 9999.0;

    const int ew1 = angcheck(azim1);
    const int ew2 = angcheck(azim2);
    const double slope1 = ew1 == 999 ? kEastWest : std::tan((azim1 - 90.0) * d2r);
    const double slope2 = ew2 == 999 ? kEastWest : std::tan((azim2 - 90.0) * d2r);

    // Point 2 within 180 degrees of longitude of point 1, so that lines on
    // either side of the 180 degree meridian meet where they really cross.
    double lon2 = longitude2;
    const double dlon = longitude2 - longitude1;
    if (dlon > 180.0 || dlon < -180.0) lon2 = longitude1 + lim180(norm360(dlon));

    const double x1 = latitude1;
    const double x2 = latitude2;
    const double xav = (x1 + x2) / 2.0;
    double yn = std::cos(xav * d2r);
    if (yn < 1e-9) yn = 1e-9;
    const double y1 = longitude1 * yn;
    const double y2 = lon2 * yn;

    IntersectionCase c = kLopGeneral;
    if (ew1 == 999 && ew2 == 0) c = kLopLine1EastWest;
    if (ew2 == 999 && ew1 == 0) c = kLopLine2EastWest;
    if (ew1 == 999 && ew2 == 999) c = kLopParallel;
    if (std::fabs(slope1 - slope2) < 0.01) c = kLopParallel;

    double xp, yp;
    switch (c) {
    case kLopLine1EastWest:
        xp = x1;
        yp = (x1 - x2) * slope2 + y2;
        break;
    case kLopLine2EastWest:
        xp = x2;
        yp = (x2 - x1) * slope1 + y1;
        break;
    case kLopParallel:
        xp = x2;
        yp = y2;
        break;
    case kLopGeneral:
    default:
        xp = (slope2 * x2 - slope1 * x1 + y1 - y2) / (slope2 - slope1);
        yp = (xp - x1) * slope1 + y1;
        break;
    }

    *xpos = xp;
    *ypos = yp;
    *ynorm = yn;
    *latitudep = xp;
    *longitudep = to_pm180(yp / yn);
    return c;
}

double lopangle(double azim1, double azim2) {
    double d = std::fmod(std::fabs(azim1 - azim2), 180.0);
    if (d > 90.0) d = 180.0 - d;
    return d;
}

} // namespace lunarfix
