// State of one run of the navigation dialog: the run flags, the two sight
// records with the working copy that the prompts edit, and every value the
// driver keeps between its steps.  One RunState lives for the whole process;
// its default member values are the built-in defaults that hold until a
// remembered-input file is read.
#ifndef LUNARFIX_DIALOG_RUN_STATE_H
#define LUNARFIX_DIALOG_RUN_STATE_H

namespace lunarfix {

/* SightRecord: the typed inputs of one sight.
 *   year, month, day    UTC date
 *   hour, min, sec      UTC clock time
 *   latd, latmf         assumed latitude: whole degrees, decimal minutes
 *                       (the minutes carry the sign of the degrees; with
 *                       0 degrees, their own sign); north positive
 *   lond, lonmf         assumed longitude, the same way; east positive
 *   iur                 body code: 0/1 Sun lower/upper limb, 2/3 Moon
 *                       lower/upper limb, 4 Venus, 5 Mars, 6 Jupiter,
 *                       7 Saturn, 8 star
 *   idstar              star index 0..57 (used when iur is 8)
 *   had, hamf           sextant altitude: whole degrees, decimal minutes */
struct SightRecord {
    int year = 2017, month = 6, day = 17;
    int hour = 3, min = 57, sec = 14;
    int latd = 44;
    double latmf = 46.99;
    int lond = -17;
    double lonmf = -11.6;
    int iur = 2;
    int idstar = 33;
    int had = 24;
    double hamf = 14.0;
};

/* copy_date_time: gives `to` the UTC date and clock time of `from`. */
inline void copy_date_time(SightRecord* to, const SightRecord& from) {
    to->year = from.year;
    to->month = from.month;
    to->day = from.day;
    to->hour = from.hour;
    to->min = from.min;
    to->sec = from.sec;
}

/* copy_position: gives `to` the assumed latitude and longitude (whole
 * degrees and decimal minutes) of `from`. */
inline void copy_position(SightRecord* to, const SightRecord& from) {
    to->latd = from.latd;
    to->latmf = from.latmf;
    to->lond = from.lond;
    to->lonmf = from.lonmf;
}

/* DialogStep: the steps of the dialog, in the order of a run.  Each step of
 * the driver is one function that returns the next step; Exit (after End)
 * stops the driver. */
enum class DialogStep {
    Title,
    ResetFiles,
    LoopHead,
    Example,
    Date,
    Time,
    EarthConditionsScreen,
    Latitude,
    Longitude,
    Summary,
    Body,
    IndexCorrection,
    HeightOfEye,
    SextantAltitude,
    SightComputation,
    SightResultScreen,
    EphemeridesScreen,
    SightMenu,
    Continue,
    Renewing,
    Fix,
    LunarResult,
    ResultMenu,
    Iterate,
    LunarDistancePass,
    Stop,
    End,
    Exit
};

/* RunState: everything the dialog keeps during a run.
 *
 * Run flags (all int):
 *   nobs      sight in hand: 1 Moon sight, 2 second sight
 *   iterq     1 = automatic mode (prompts take their defaults unread)
 *   timezero  1 once the clock time has been corrected by a lunar distance
 *   initluna  1 once the lunar distance has been entered
 *   iterend   lunar-distance passes since the result menu last read an answer
 *   ncount    clearings inside one lunar-distance pass
 *   iersum    bad intersections since the last result screen
 *   unsaved   remembered-input files whose latest write failed (bits, see
 *             remembered_inputs.h)
 *   kept      remembered-input files that were there but could not be
 *             read: never written in this run (the same bits)
 *
 * Units: angles in degrees, indb/SDamoon in arcminutes, aug in metres,
 * temperature in deg C, pressure in hPa, DeltaT0/DeltaTT in seconds,
 * intercepts and dist in nautical miles, kursav in degrees, velav in knots
 * (negative: a distance run in nautical miles). */
struct RunState {
    // Run flags.
    int nobs = 1;
    int iterq = 0;
    int timezero = 0;
    int initluna = 0;
    int iterend = 0;
    int ncount = 0;
    int iersum = 0;
    int unsaved = 0;  // remembered-input files whose latest write failed
    int kept = 0;     // remembered-input files found unreadable: not written

    // Sight records: the working copy the prompts edit and the computation
    // reads, the Moon sight (suffix 1) and the second sight (suffix 2).
    SightRecord work;
    SightRecord sight1;
    SightRecord sight2 = {2017, 6, 17, 3, 57, 14, 44, 46.99, -17, -11.6,
                          4, 33, 7, 47.8};

    // Decimal assumed positions of the two sights (after a fix: the points
    // of the two lines of position).
    double latitude1 = 44.0 + 46.99 / 60.0;
    double longitude1 = -17.0 - 11.6 / 60.0;
    double latitude2 = 44.0 + 46.99 / 60.0;
    double longitude2 = -17.0 - 11.6 / 60.0;

    // Sextant settings and earth conditions.
    double indb = 0.0;   // index correction, arcminutes
    double aug = 1.83;   // height of eye, metres
    double temperature = 16.1;
    double pressure = 1026.4;
    double DeltaT0 = 0.0;   // Delta T of the date, computed by the driver
    double DeltaTT = 0.0;   // Delta T handed to every ephemeris routine
    int moonpar = 1;

    // Course and speed of the second sight's file: the first sight's
    // position is run along them to the second sight.
    double kursav = 0.0;
    double velav = 0.0;

    // The measured lunar distance.
    double LD_limb = 48.11666666666667;  // from the Moon's limb, degrees
    double xnear = 1.0;                  // below 1.5 NEAR limb, above FAR
    // Direction of the clock correction: +1 as for a body EAST of the Moon
    // (distance closing), -1 as for WEST (opening); the navigator's answer
    // unless the ephemerides show the distance closing or opening.
    int signdist = 1;

    // Latest sight: intercept, azimuth, and the third value of the
    // remembered intercept line (carried through unchanged).
    double hdif = 0.0;
    double az0 = 180.0;
    double hthird = 3.141593;

    // Stored intercepts and azimuths of the two sights.
    double hdif1 = 0.0, azim1 = 180.0;
    double hdif2 = 0.0, azim2 = 180.0;

    // Results of the sight computations used by the lunar-distance pass.
    double HMc = 0.0, HMapp = 0.0, AZM = 0.0;  // Moon: Ho, Happ, azimuth
    double HSc = 0.0, HSapp = 0.0, AZS = 0.0;  // second body
    double HPaMOON = 0.0;  // Moon's parallax in altitude, degrees
    double SDamoon = 0.0;  // Moon's augmented semi-diameter, arcminutes

    // Values of the working date for the ephemerides screen.
    double GMST0 = 0.0;    // mean sidereal time, degrees
    double nut_dpsi = 0.0, nut_deps = 0.0, nut_eps = 0.0;

    // Lunar-distance pass.
    double LDtrue = 0.0, LDapp = 0.0, LDclear = 0.0;
    double SDsun = 0.0;

    // Fix.
    double latitude0 = 0.0, longitude0 = 0.0;  // run position
    double latitudep = 0.0, longitudep = 0.0;  // the fix
    double dist = 0.0;                         // position error, nm
    int srd = 0, srm = 0, ssd = 0, ssm = 0;    // sunrise/sunset h, min
    int Ar = 0, As = 0, daemm = 0;             // their azimuths, twilight
};

} // namespace lunarfix

#endif
