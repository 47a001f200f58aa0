// The Sun's apparent place as one value, for the ephemeris tests.
#ifndef LUNARFIX_TESTS_EPHEMERIS_SUN_PLACE_H
#define LUNARFIX_TESTS_EPHEMERIS_SUN_PLACE_H

#include "ephemeris/sun.h"

namespace lunarfix_test {

struct SunPlace {
    double dec, gha, gast, ra, hp, sd, jde;
};

inline SunPlace sun_at(double dt, int y, int mo, int d, int h, int mi, int s)
{
    SunPlace p{};
    lunarfix::suneph(dt, y, mo, d, h, mi, s, &p.dec, &p.gha, &p.gast, &p.ra, &p.hp,
                     &p.sd, &p.jde);
    return p;
}

}  // namespace lunarfix_test

#endif
