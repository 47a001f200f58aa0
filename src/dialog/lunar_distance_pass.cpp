// Dialog driver, the lunar-distance pass: the true and the cleared lunar
// distance, the direction and size of the clock correction, and the new
// clock time of both sights.
#include <cmath>
#include <cstring>

#include "dialog/dialog.h"
#include "dialog/limits.h"
#include "dialog/ranges.h"
#include "dialog/star_selection.h"
#include "ephemeris/ephemeris.h"
#include "foundations/console_io.h"
#include "foundations/foundations.h"
#include "navigation/navcalc.h"

namespace lunarfix {

namespace {

// Hours of clock time per degree of difference between the cleared and the
// true lunar distance: the Moon moves about 0.55 degree per hour against
// the stars (1/0.55 = 1.8).
constexpr double kHoursPerDegree = 1.8;

// A later pass ends when the clock time moves by no more than this (hours,
// about half a second) or after kMaxClearings clearings.
constexpr double kTimeTolerance = 0.00014;

// In the first pass of a run a cleared distance further than this from the
// true distance (degrees) is replaced by the apparent distance.
constexpr double kFirstPassLimit = 2.0;

// The direction of the clock correction comes from the change of the true
// distance over this many seconds after the clearing time.
constexpr int kRateSpan = 180;

// Below this rate of the true distance (degrees per hour) the navigator's
// side answer sets the direction of the correction; at or above it the
// ephemerides do.  Over kRateSpan the distance then changes by 0.18", far
// above the noise of the ephemerides' sums, so its sign is certain; below
// it 0.1' of distance is worth more than 1.5 hours of clock, and no lunar
// times the clock at all.
constexpr double kMinRateForSide = 0.001;

}  // namespace

/* true_distance: the true geocentric distance between the Moon and the
 * second body of the run (rs_.sight2's body and star) from the
 * ephemerides at the given UTC date and clock time (seconds may run past
 * 59 or below 0: the ephemerides take the time as hours + min/60 +
 * sec/3600).
 *   ld      distance, degrees (output)
 *   sdsun   the Sun's semi-diameter, arcminutes (output; left alone when
 *           a planet or a star is the second body)
 *   idstar  the star index the star routine returned (output; the
 *           second sight's index for other bodies)
 *   returns false when the second body is unknown (code outside 0..8). */
bool Dialog::true_distance(int y, int mo, int d, int h, int mi, int sec,
                           double* ld, double* sdsun, int* idstar) {
    const int iur = rs_.sight2.iur;
    *idstar = rs_.sight2.idstar;
    if (iur > 8 || iur < 0) return false;
    double decs = 0.0, ghas = 0.0, ghaa = 0.0, ras = 0.0;
    // The Sun's place serves only when the Sun is the second body: a planet
    // or a star replaces it below, and this runs at every clearing.
    if (iur <= 3) {
        double hps = 0.0, jde = 0.0;
        suneph(rs_.DeltaTT, y, mo, d, h, mi, sec, &decs, &ghas, &ghaa, &ras,
               &hps, sdsun, &jde);
    }
    double decm = 0.0, ram = 0.0, ghm = 0.0, hpm = 0.0, sdm = 0.0;
    mooneph(rs_.moonpar, rs_.DeltaTT, y, mo, d, h, mi, sec, &decm, &ghm,
            &ghaa, &ram, &hpm, &sdm);
    if (iur >= 4 && iur <= 7) {
        double hpp = 0.0;
        planeteph(iur, rs_.DeltaTT, y, mo, d, h, mi, sec, &decs, &ghas, &ghaa,
                  &ras, &hpp);
    } else if (iur == 8) {
        double sha = 0.0;
        *idstar = star_place(rs_.iterq, *idstar, rs_.DeltaTT, y, mo, d, h, mi,
                             sec, &decs, &ghas, &ghaa, &ras, &sha);
    }
    *ld = LDist(decm, decs, ram, ras);
    return true;
}

/* distance_rate: how fast the true distance changes at the given UTC date
 * and clock time, degrees per hour (negative: closing), from the distance
 * `now` at that time and the distance kRateSpan seconds later.  NaN when
 * the body is unknown or an ephemeris fails.
 * Notes: over three minutes the distance is straight to well within the
 *   precision of the rate (its curvature, about v^2/D for a Moon moving at
 *   v across a distance D, is some 0.01 deg/h^2 at most, 0.0003 deg/h over
 *   the span). */
double Dialog::distance_rate(int y, int mo, int d, int h, int mi, int sec,
                             double now) {
    double after = 0.0, sd = 0.0;
    int star = 0;
    if (!true_distance(y, mo, d, h, mi, sec + kRateSpan, &after, &sd, &star))
        return std::nan("");
    return (after - now) / (kRateSpan / 3600.0);
}

/* body_name: the second body as the side notice names it. */
const char* Dialog::body_name() const {
    switch (rs_.sight2.iur) {
    case 0:
    case 1: return "Sun";
    case 4: return "Venus";
    case 5: return "Mars";
    case 6: return "Jupiter";
    case 7: return "Saturn";
    default: break;
    }
    const char* s = star_short_name(rs_.sight2.idstar);
    const char* eq = std::strchr(s, '=');
    return eq ? eq + 1 : s;
}

/* clearing: one clearing of the lunar distance at the clock time kth, ktm,
 * kts of the sights' date.  Asks for the distance when it has not been
 * entered in this run, forms the apparent and the cleared distance, sets
 * the direction of the correction (rs_.signdist) from the change of the
 * true distance, and gives the corrected clock time *t1 (hours).
 *   returns false when the second body is unknown (code above 8). */
bool Dialog::clearing(int kth, int ktm, int kts, double* t1) {
    const int y = rs_.sight1.year, mo = rs_.sight1.month, d = rs_.sight1.day;
    rs_.work.iur = rs_.sight2.iur;
    rs_.work.idstar = rs_.sight2.idstar;
    const int iur = rs_.work.iur;
    if (!true_distance(y, mo, d, kth, ktm, kts, &rs_.LDtrue, &rs_.SDsun,
                       &rs_.work.idstar))
        return false;

    if (rs_.initluna == 0) {
        conputs("");
        conputs(" ==> Enter LUNAR DISTANCE now:\n");
        rs_.xnear = ask_number(" Which Limb of Moon? 1=NEAR 2=FAR:\n", 0,
                               rs_.xnear, kLimbAnswer, TypedCheck::TextOnly);
        conputs("");
        const double side =
            ask_number(" To which side of Moon? 1=EAST 2=WEST:\n", 0,
                       rs_.signdist >= 0 ? 1.0 : 2.0, kSideAnswer,
                       TypedCheck::TextOnly);
        rs_.signdist = side > 1.5 ? -1 : 1;
        side_notice_shown_ = false;
        conputs("");
        if (iur == 0 || iur == 1) conputs(" for SUN always NEAR limb assumed!\n");
        int ig = 0, im = 0;
        double sm = 0.0, ss = 0.0;
        cxangle(rs_.LD_limb, &ig, &im, &sm, &ss);
        double dd = ig, mm = sm;
        // A distance of 0 or 180 degrees or more is no arc between two
        // bodies: the question is asked again.
        for (;;) {
            conputs(" LUNAR DISTANCE = degrees  minutes:");
            conprintf("###> ");
            rd_->lies2(ig, sm, &dd, &mm);
            if (!typed_refused(kDistanceRange, std::fabs(dd + mm / 60.0)))
                break;
            dd = ig;
            mm = sm;
            if (console().ended) break;
        }
        rs_.LD_limb = std::fabs(dd + mm / 60.0);
        conprint_dmf(" ok, LD_limb= %.0f deg %.1f'\n\n", 1, dd, mm);
    }

    // Apparent distance between the centres.  Neither limb chosen (1.5
    // exactly): the distance is taken as measured to the Moon's centre, at
    // every clearing afresh, so that nothing of an earlier clearing (the
    // Sun's semi-diameter, a distance entered before a restart) is carried
    // over.
    if (rs_.xnear < 1.5) {
        rs_.LDapp = rs_.LD_limb + rs_.indb / 60.0 + rs_.SDamoon / 60.0;
    } else if (rs_.xnear > 1.5) {
        rs_.LDapp = rs_.LD_limb + rs_.indb / 60.0 - rs_.SDamoon / 60.0;
    } else {
        rs_.LDapp = rs_.LD_limb + rs_.indb / 60.0;
    }
    if (iur == 0 || iur == 1) rs_.LDapp += rs_.SDsun / 60.0;

    rs_.LDclear = Lunaclear(rs_.LDapp, rs_.HMc, rs_.HSc, rs_.HMapp, rs_.HSapp,
                            rs_.AZM, rs_.AZS, rs_.HPaMOON, rs_.latitude1);
    if (rs_.timezero == 0 &&
        std::fabs(rs_.LDclear - rs_.LDtrue) > kFirstPassLimit)
        rs_.LDclear = rs_.LDapp;

    // Direction of the correction.  A distance that is closing moves the
    // clock as for a body east of the Moon, one that is opening as for a
    // body west of it.  The side of the Moon on which the body stands says
    // which, except for a body nearly due north or south of the Moon, whose
    // distance can close although it stands west in right ascension (or
    // open although east); so the ephemerides decide, and the navigator's
    // answer only where the distance changes too slowly to tell.
    const double rate = distance_rate(y, mo, d, kth, ktm, kts, rs_.LDtrue);
    ld_rate_ = rate;
    if (std::fabs(rate) >= kMinRateForSide) {
        const int side = rate < 0.0 ? 1 : -1;
        if (side != rs_.signdist && !side_notice_shown_) {
            conprintf(" !!! The distance to %s is %s: corrected as for %s\n",
                      body_name(), side > 0 ? "closing" : "opening",
                      side > 0 ? "EAST" : "WEST");
            side_notice_shown_ = true;
        }
        rs_.signdist = side;
    }

    *t1 = t0_ - (rs_.LDclear - rs_.LDtrue) * (rs_.signdist * kHoursPerDegree);
    return true;
}

DialogStep Dialog::lunar_distance_pass() {
    ++n_passes_;
    seq_iterations_ = 0;
    ++rs_.iterend;
    rs_.ncount = 0;
    int kth = rs_.sight1.hour, ktm = rs_.sight1.min, kts = rs_.sight1.sec;
    t0_ = kth + ktm / 60.0 + kts / 3600.0;
    const double t_start = t0_;
    rd_->skip(25);

    const bool first = rs_.timezero == 0;
    double t1 = t0_;
    for (;;) {
        if (!clearing(kth, ktm, kts, &t1)) return DialogStep::End;
        if (!std::isfinite(rs_.LDtrue) || !std::isfinite(rs_.LDclear) ||
            !std::isfinite(t1))
            return failed_restart("the lunar distance cannot be cleared");
        // A corrected clock more than a day before or two days after the
        // date's 0 h (kClockRange, the range of a clock read back) cannot
        // come from a sound lunar distance: the measured distance is far
        // from any the Moon shows that day.
        if (!in_range(kClockRange, t1))
            return failed_restart("the corrected time is out of range");
        if (rs_.initluna == 0) {
            conprintf(" LDclear=%.4f LDtrue=%.4f[deg]\n", rs_.LDclear,
                      rs_.LDtrue);
            conprintf(" Time new/old[h]: t1=%.4f t0=%.4f\n", t1, t0_);
            rs_.initluna = 1;
        }
        const double told = t0_;
        t0_ = t1;
        int ig = 0, im = 0;
        double sm = 0.0, ss = 0.0;
        cxangle(t1, &ig, &im, &sm, &ss);
        kth = ig;
        ktm = im;
        kts = trunc_int(ss);
        if (first) break;
        ++rs_.ncount;
        if (rs_.ncount > kMaxClearings - 1 ||
            !(std::fabs(t1 - told) > kTimeTolerance))
            break;
    }

    if (first) {
        rs_.sight1.hour = kth;
        rs_.sight1.min = ktm;
        rs_.sight1.sec = kts;
        rs_.timezero = 1;
        rs_.nobs = 1;
        // The correction of the first pass's one clearing.
        const double dzeit = t1 - t_start;
        int i1 = trunc_int(dzeit);
        int i2 = trunc_int((dzeit - i1) * 60.0);
        conprintf(" Time corrected by %d hours %d min\n", i1, i2);
        conprintf(" NEW TIME = %d hours %d min %d sec\n", kth, ktm, kts);
        conputs("\n ITERATION starts, press ENTER ....");
        rs_.iterq = 1;
        rd_->pause();
        return DialogStep::Date;
    }

    if (t1 < 0.0) {
        conputs("\n !!! Warning: new hour t1 negativ!");
        rd_->pause();
    }
    int hour = trunc_int(t1);
    int minute = trunc_int((t1 - hour) * 60.0);
    int second = trunc_int(((t1 - hour) * 60.0 - minute) * 60.0 + 0.5);
    rs_.sight1.hour = hour;
    rs_.sight1.min = minute;
    rs_.sight1.sec = second;
    copy_date_time(&rs_.sight2, rs_.sight1);
    rs_.iterq = 1;
    rs_.nobs = 1;
    return DialogStep::LoopHead;
}

}  // namespace lunarfix
