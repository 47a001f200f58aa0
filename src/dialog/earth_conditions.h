// The EARTH-CONDITIONS screen: Delta T, air temperature and air pressure
// that the sight computations use.
#ifndef LUNARFIX_DIALOG_EARTH_CONDITIONS_H
#define LUNARFIX_DIALOG_EARTH_CONDITIONS_H

namespace lunarfix {

/* EarthconMemory: what the screen keeps between its calls.
 *   memtime    1 once the navigator has set Delta T (answer 1 or 0); it
 *              never returns to 0
 *   DeltaTmem  the Delta T the navigator set, seconds */
struct EarthconMemory {
    int memtime = 0;
    double DeltaTmem = 0.0;
};

/* earthcon: shows the earth conditions and lets the navigator keep them
 * (ENTER), change all three (answer 1) or set Delta T to 0 (answer 0, with
 * the line " !!! Delta_T set to 0 sec for the rest of the run").
 *   year         year of the first sight
 *   deltime      the dialog's Delta T for that date, seconds
 *   tempin       air temperature offered, deg C
 *   pressin      air pressure offered, hPa
 *   moonpar      handed back unchanged
 *   DeltaTT      Delta T for every ephemeris routine, seconds (output)
 *   temperature  air temperature, deg C (output)
 *   pressure     air pressure, hPa (output)
 *   moonorb      moonpar (output)
 * Notes:
 *   1) First makes sure the Delta T prediction file exists (delta0x), for
 *      a year up to 2020; for a later year deltime comes from delta0x.
 *   2) A Delta T that the navigator sets holds until the program ends, also
 *      across restarts of the dialog: the process keeps it in one
 *      EarthconMemory.  Temperature and pressure are only handed back.
 *   3) A typed answer is turned into a choice by adding 0.5 and truncating
 *      toward zero.  A typed Delta T is limited without a message: above
 *      6000 s it becomes 5999, below -1000 s -999.  A temperature outside
 *      -80 .. +60 C or a pressure outside 0 .. 1200 hPa is refused with one
 *      line and asked again with its default unchanged; so is any typed
 *      number that is not finite, and a line holding more than one number
 *      ("1 013") at any of the four questions.
 *   4) All four outputs are written on every call.
 * Reference: Meeus, Astronomical Algorithms, 2nd ed., ch. 10 (Delta T) and
 *   ch. 16 (refraction scaled by temperature and pressure). */
void earthcon(int year, double deltime, double tempin, double pressin,
              int moonpar, double* DeltaTT, double* temperature,
              double* pressure, int* moonorb);

/* earthcon_with: earthcon with the memory given explicitly (earthcon uses
 * the one memory of the process). */
void earthcon_with(EarthconMemory* mem, int year, double deltime,
                   double tempin, double pressin, int moonpar,
                   double* DeltaTT, double* temperature, double* pressure,
                   int* moonorb);

} // namespace lunarfix

#endif
