// One sight inside the dialog: the body's ephemeris, the reduction at the
// assumed position, the sextant altitude corrections and the intercept,
// with the sight result screen and the EPHEMERIDES screen.
//
// Order of use by the dialog for the sight in hand (rs.nobs):
//   SightInput in = sight_input(rs, hs);
//   SightResult r;
//   sight_compute(in, &r);             // ephemerides, Hc, Ho, intercept
//   sight_result_screen(rs, in, r);    // pauses outside automatic mode
//   sight_store(&rs, in, r);           // run state, remembered inputs
//   ephemerides_screen(rs, in, r);
// The renewed second sight before a fix reduces the last second sight
// again at another assumed position with sight_rereduce().
#ifndef LUNARFIX_DIALOG_SIGHT_H
#define LUNARFIX_DIALOG_SIGHT_H

#include "dialog/run_state.h"

namespace lunarfix {

/* SightInput: what one sight computation needs.
 *   year..sec    UTC date and clock time (int)
 *   iur          body code 0..8; idstar star index 0..57 (for iur 8)
 *   DeltaTT      Delta T, seconds
 *   moonpar      handed to the lunar ephemeris
 *   iterq        automatic-mode flag (1: the result screen does not pause)
 *   nobs         1 Moon sight, 2 second sight
 *   lat, lon     assumed position, degrees (North, East positive)
 *   hs           sextant altitude as read, degrees
 *   indb         index correction, arcminutes
 *   aug          height of eye, metres
 *   temperature  deg C;  pressure  hPa */
struct SightInput {
    int year = 2017, month = 6, day = 17;
    int hour = 3, min = 57, sec = 14;
    int iur = 2;
    int idstar = 33;
    double DeltaTT = 0.0;
    int moonpar = 1;
    int iterq = 0;
    int nobs = 1;
    double lat = 0.0, lon = 0.0;
    double hs = 0.0;
    double indb = 0.0, aug = 0.0;
    double temperature = 10.0, pressure = 1010.0;
};

/* SightResult: the results of one sight (angles in degrees).
 *   Ephemeris of the body: dec, gha, ghaa (GHA of Aries, apparent sidereal
 *     time), ra (as the routine returns it; a star's in (-180, 180]), sha
 *     (stars only, else 0), hp and sd (horizontal parallax and
 *     semi-diameter used for the corrections, arcminutes), idstar (index
 *     returned by the star routine), ra_sun (the Sun's right ascension),
 *     jde (Julian ephemeris day from the Sun's routine).
 *   Reduction: lha, hc (computed altitude), az (azimuth).
 *   Corrections: ho (observed altitude of the centre, negative below the
 *     horizon), happ (apparent altitude of the centre, Hs + Ic - dip +
 *     ur*SDa with the limb sign ur of limb_sign), and in arcminutes
 *     hpa (parallax in altitude), dip, refr (refraction before the
 *     temperature and pressure factor), sda (augmented semi-diameter),
 *     corr (total correction Ho - Hs).
 *   hdif: intercept (Ho - Hc) * 60, nautical miles, positive toward. */
struct SightResult {
    double dec = 0.0, gha = 0.0, ghaa = 0.0, ra = 0.0, sha = 0.0;
    double hp = 0.0, sd = 0.0;
    int idstar = 0;
    double ra_sun = 0.0, jde = 0.0;
    double lha = 0.0, hc = 0.0, az = 0.0;
    double ho = 0.0, happ = 0.0;
    double hpa = 0.0, dip = 0.0, refr = 0.0, sda = 0.0, corr = 0.0;
    double hdif = 0.0;
};

/* sight_input: the inputs of the sight rs.nobs from the run state: the
 * working date, time, body and star, the assumed position latitude1,
 * longitude1 (sight 1) or latitude2, longitude2 (sight 2), DeltaTT,
 * moonpar, iterq, indb, aug, temperature and pressure.
 *   rs  run state
 *   hs  sextant altitude, degrees */
SightInput sight_input(const RunState& rs, double hs);

/* sight_compute: reduces one sight.
 *   in  inputs
 *   r   results (output; every field written)
 * Notes:
 *   1) The Sun's ephemeris is always computed (its right ascension serves
 *      the equation of time, its JDE the ephemerides screen); the Moon
 *      (codes 2, 3), a planet (4..7) or a star (8) replaces the body's
 *      place.  Parallax and semi-diameter for the corrections: the Sun's,
 *      the Moon's, the planet's parallax with semi-diameter 0, or 0 and 0
 *      for a star.
 *   2) Hc and the azimuth from the reduction at the assumed position; Ho
 *      from the altitude corrections, with its sign; the apparent altitude
 *      of the centre Happ = Hs + Ic/60 - dip/60 + ur*SDa/60, ur the limb
 *      sign (+1 lower, -1 upper limb, 0 planet or star); intercept
 *      (Ho - Hc) * 60.
 *   3) A star index outside 0..57 is taken as the DUMMY row 58 (Polaris'
 *      place without its radial velocity) rather than read past the
 *      catalogue; the dialog never passes one.  A body code outside 0..8
 *      keeps the Sun's place.
 * Reference: Bowditch, American Practical Navigator (2002), chapters
 *   "Sight Reduction" and "Navigational Astronomy". */
void sight_compute(const SightInput& in, SightResult* r);

/* sight_rereduce: the reduction of a computed sight repeated at another
 * assumed position (the renewed second sight before a fix): lha, hc, az
 * from the ephemeris in *r, and hdif = (ho - hc) * 60.
 *   lat, lon  assumed position, degrees
 *   r         results of an earlier sight_compute (updated) */
void sight_rereduce(double lat, double lon, SightResult* r);

/* sight_result_screen: the result screen of a sight: date, time, position
 * (rs.work), index correction and height of eye, Hs, Ha, Ho and Hc in
 * degrees and decimal minutes, Hc also with seconds, the intercept (toward
 * or away, or the error line from 1999 nautical miles on) and the azimuth.
 * Outside automatic mode it ends with a pause for one character.
 * Reference: Bowditch, American Practical Navigator (2002), chapter
 *   "Sight Reduction" (intercept toward or away from the body). */
void sight_result_screen(const RunState& rs, const SightInput& in,
                         const SightResult& r);

/* sight_store: after the result screen.  Sight 1: HMc, HMapp, AZM,
 * SDamoon, hdif1, azim1; sight 2: HSc, HSapp, AZS, azim2; both: the working
 * intercept hdif and azimuth az0, the working star index from the star
 * routine, the sight's remembered-input file (written from the working
 * values), and the sight's record (sight1 or sight2) takes the working
 * record. */
void sight_store(RunState* rs, const SightInput& in, const SightResult& r);

/* ephemerides_screen: the EPHEMERIDES screen: JDE, GHA of the body (of a
 * star with its name; Polaris in degrees and decimal minutes), LHA,
 * declination, right ascension, SHA of a star, apparent and mean sidereal
 * time, equation of time, Delta T, nutation and obliquity (rs.jd, rs.GMST0,
 * rs.nut_*), the altitudes and the corrections.  For sight 1 it sets
 * rs->HPaMOON = hpa / 60 (degrees).
 * Reference: Meeus, Astronomical Algorithms, 2nd ed., ch. 12 (sidereal
 *   time), ch. 22 (nutation), ch. 28 (equation of time). */
void ephemerides_screen(RunState* rs, const SightInput& in,
                        const SightResult& r);

/* equation_of_time_parts: the equation of time of a sight as shown: whole
 * minutes m and seconds s ((hours*60 - m)*60, without sign when m is not
 * 0); seconds that print as 60.00 carry into the minutes (cxround).
 *   eot_hours  equation of time, hours
 * Reference: Meeus, Astronomical Algorithms, 2nd ed., ch. 28. */
void equation_of_time_parts(double eot_hours, int* m, double* s);

} // namespace lunarfix

#endif
