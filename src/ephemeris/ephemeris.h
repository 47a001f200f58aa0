// Ephemerides of the Sun, the Moon, the catalogue stars and the planets.
// The dialog reaches every theory through this one header.
#ifndef LUNARFIX_EPHEMERIS_EPHEMERIS_H
#define LUNARFIX_EPHEMERIS_EPHEMERIS_H

#include "ephemeris/sun.h"      // suneph, suntime
#include "ephemeris/moon.h"     // LEA406, mooneph
#include "ephemeris/stars.h"    // starseph and the star catalogue
#include "ephemeris/planets.h"  // planeteph

#endif
