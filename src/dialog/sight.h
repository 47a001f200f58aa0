// One sight inside the dialog: the body's ephemeris, the reduction at the
// assumed position, the sextant altitude corrections and the intercept,
// and their store in the run state.
//
// Order of use by the dialog for the sight in hand (rs.nobs):
//   SightInput in = sight_input(rs, hs);
//   SightResult r;
//   sight_compute(in, &r);             // ephemerides, Hc, Ho, intercept
//   sight_result_screen(rs, in, r);    // pauses outside automatic mode
//   sight_store(&rs, in, r);           // run state, remembered inputs
//   ephemerides_screen(rs, in, r);
// The two screens (dialog/sight_screens.h) only print; every value that a
// later computation reads is set by sight_store.
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

/* star_place: the place of a catalogue star (starseph) for a star index
 * of the run.  An index outside 0..57 (a hand-edited file) is taken as the
 * DUMMY row 58 rather than read past the catalogue, and so is a look-up
 * that fails.
 *   iterq, idstar, DeltaTT, year..sec  as starseph
 *   dec, gha, ghaa, ra, sha            as starseph (outputs)
 *   returns  the star index used */
int star_place(int iterq, int idstar, double DeltaTT, int year, int month,
               int day, int hour, int min, int sec, double* dec, double* gha,
               double* ghaa, double* ra, double* sha);

/* sight_rereduce: the reduction of a computed sight repeated at another
 * assumed position (the renewed second sight before a fix): lha, hc, az
 * from the ephemeris in *r, and hdif = (ho - hc) * 60.
 *   lat, lon  assumed position, degrees
 *   r         results of an earlier sight_compute (updated) */
void sight_rereduce(double lat, double lon, SightResult* r);

/* sight_store: after the result screen.  Sight 1: HMc, HMapp, AZM,
 * SDamoon, HPaMOON (the parallax in altitude in degrees, as the clearing
 * of the lunar distance takes it), hdif1, azim1; sight 2: HSc, HSapp, AZS, azim2; both: the working
 * intercept hdif and azimuth az0, the working star index from the star
 * routine, the sight's remembered-input file (written from the working
 * values), and the sight's record (sight1 or sight2) takes the working
 * record. */
void sight_store(RunState* rs, const SightInput& in, const SightResult& r);

} // namespace lunarfix

#endif
