// The screens of one sight and the lines the dialog's screens share.  A
// screen only prints: it sets nothing that a computation reads.
#ifndef LUNARFIX_DIALOG_SIGHT_SCREENS_H
#define LUNARFIX_DIALOG_SIGHT_SCREENS_H

#include "dialog/run_state.h"
#include "dialog/sight.h"

namespace lunarfix {

/* HeadingForm: the two forms of the observation line of a sight's screens.
 *   Prompt   the screens up to the index correction: the line ends in a
 *            blank
 *   Sextant  the sextant-data screens and the sight result screen: no
 *            blank at the end */
enum class HeadingForm { Prompt, Sextant };

/* observation_line: " ~~~~~~~~~~~ [<nobs>.] Observation ~~~~~~~~~~~~~"
 * in the given form, then an empty line.
 *   nobs  1 Moon sight, 2 second sight */
void observation_line(int nobs, HeadingForm form);

/* observation_heading: the line " Sextanting by LUNAR DISTANCE " and the
 * observation line. */
void observation_heading(int nobs, HeadingForm form);

/* date_line, time_line: " Year: %d   Month: %d   Day: %d" and
 * " Time-UTC:  %d h %d min %d sec " with the date and time of w. */
void date_line(const SightRecord& w);
void time_line(const SightRecord& w);

/* MinutesField: how the decimal minutes of a position are printed: Free
 * "%.2f", Padded "%5.2f" (the prompt screens of the first sight). */
enum class MinutesField { Free, Padded };

/* position_lines: " Latitude:  %d deg <minutes>' " and
 * " Longitude: %d deg <minutes>' " with the position of w. */
void position_lines(const SightRecord& w, MinutesField field);

/* sight_data_lines: the date, time and position lines of w (minutes
 * Free) and " Index corr. Ic: %.2f'  Height of eye: %.2fm " with the index
 * correction indb (arcminutes) and the height of eye aug (metres): the
 * head of the sight result screen and of the renewed second sight. */
void sight_data_lines(const SightRecord& w, double indb, double aug);

/* intercept_line: the intercept hdif (nautical miles) as
 * " ==> Position = %6.2f miles, away from <body>" when negative,
 * " ==> Position = %6.2f miles closer to <body>" below limit, and from
 * limit on (or when it is not a number) as
 * " ==> !!!  Error in the measured values !!! " (limits.h). */
void intercept_line(double hdif, const char* body, double limit);

/* altitude_line: one altitude line of a sight's screens: the label, then
 * " %d deg %3.2f'" with the altitude h (degrees) in degrees and decimal
 * minutes (shown_dm). */
void altitude_line(const char* label, double h);

/* shown_dm: degrees and decimal minutes of w, rounded to ndec decimals of
 * the minutes with the carry into the degrees (cxround); a value outside
 * the int range is shown clamped and NaN as 0.
 * shown_dms: degrees, whole minutes and decimal seconds of w the same way,
 * rounded to ndec decimals of the seconds.
 *   w     angle or hours
 *   ndec  decimals shown
 *   ig, im, sm, ss  the parts (output) */
void shown_dm(double w, int ndec, int* ig, double* sm);
void shown_dms(double w, int ndec, int* ig, int* im, double* ss);

/* sight_result_screen: the result screen of a sight: date, time, position
 * (rs.work), index correction and height of eye, Hs, Ha, Ho and Hc in
 * degrees and decimal minutes, Hc also with seconds, the intercept (toward
 * or away, or the error line from 1999 nautical miles on) and the azimuth.
 * Outside automatic mode it ends with a pause for one character.
 * Reference: Bowditch, American Practical Navigator (2002), chapter
 *   "Sight Reduction" (intercept toward or away from the body). */
void sight_result_screen(const RunState& rs, const SightInput& in,
                         const SightResult& r);

/* ephemerides_screen: the EPHEMERIDES screen: JDE, GHA of the body (of a
 * star with its name; Polaris in degrees and decimal minutes), LHA,
 * declination, right ascension, SHA of a star, apparent and mean sidereal
 * time, equation of time, Delta T, nutation and obliquity (rs.GMST0,
 * rs.nut_*), the altitudes and the corrections.
 * Reference: Meeus, Astronomical Algorithms, 2nd ed., ch. 12 (sidereal
 *   time), ch. 22 (nutation), ch. 28 (equation of time). */
void ephemerides_screen(const RunState& rs, const SightInput& in,
                        const SightResult& r);

/* equation_of_time_parts: the equation of time of a sight as shown: whole
 * minutes m and seconds s ((hours*60 - m)*60, without sign when m is not
 * 0); seconds that print as 60.00 carry into the minutes (cxround).
 *   eot_hours  equation of time, hours
 * Reference: Meeus, Astronomical Algorithms, 2nd ed., ch. 28. */
void equation_of_time_parts(double eot_hours, int* m, double* s);

} // namespace lunarfix

#endif
