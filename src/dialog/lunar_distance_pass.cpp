// Dialog driver, second half: the lunar-distance pass with the time
// correction, the renewed second sight, the fix from the two lines of
// position, the result screen and menu, the iteration and the stop.
#include <cmath>
#include <cstring>

#include "ephemeris/ephemeris.h"
#include "foundations/console_io.h"
#include "foundations/foundations.h"
#include "dialog/dialog.h"
#include "navigation/navcalc.h"
#include "dialog/ranges.h"
#include "dialog/remembered_inputs.h"
#include "dialog/star_selection.h"

namespace lunarfix {

namespace {

// Hours of clock time per degree of difference between the cleared and the
// true lunar distance: the Moon moves about 0.55 degree per hour against
// the stars (1/0.55 = 1.8).
constexpr double kHoursPerDegree = 1.8;

// A later pass ends when the clock time moves by no more than this (hours,
// about half a second) or after kMaxClearings clearings.
constexpr double kTimeTolerance = 0.00014;
constexpr int kMaxClearings = 10;

// In the first pass of a run a cleared distance further than this from the
// true distance (degrees) is replaced by the apparent distance.
constexpr double kFirstPassLimit = 2.0;

// The direction of the clock correction comes from the change of the true
// distance over this many seconds before and after the clearing time.
constexpr int kRateHalfSpan = 180;

// Below this rate of the true distance (degrees per hour, a tenth of the
// Moon's usual half a degree an hour) its direction is too uncertain to
// overrule the navigator's side answer.
constexpr double kMinRateForSide = 0.05;

// Below this rate (degrees per hour) the result screen warns that the
// lunar times the clock poorly.
constexpr double kSlowLunarRate = 0.1;

// The fix counts as converged below this position error (nautical miles).
constexpr double kConverged = 0.1;

// Whole degrees of latitude of a fix beyond which the automatic cycle is
// not carried on without the navigator.
constexpr int kAutoLatitudeLimit = 88;

}  // namespace

/* failed_restart: a computation gave no usable number (no solution for the
 * given altitudes and distance).  The reason is shown, the navigator hits
 * ENTER, and the run starts again from the first sight with the lunar
 * distance asked anew. */
DialogStep Dialog::failed_restart(const char* why) {
    conprintf("\n !!! ERROR: %s\n", why);
    conputs(" Check the sextant values; hit ENTER to restart!");
    rd_->pause();
    rs_.iterq = 0;
    rs_.nobs = 1;
    rs_.timezero = 0;
    rs_.initluna = 0;
    return DialogStep::LoopHead;
}

// ---------------------------------------------------------------------------
// Continue and Renewing.

DialogStep Dialog::continue_step() {
    if (rs_.timezero == 0) {
        rs_.kkk = 5;
        return DialogStep::LunarDistancePass;
    }
    // The first sight's position as it stood when that sight was computed
    // (the converged result menu may since have moved the record's
    // latitude to the fix), run to the second sight along the course and
    // speed (or distance) of the second sight's inputs, as the renewing
    // screen shows them.
    const SightRecord& s1 = pos1_;
    double lat = s1.latd + s1.latmf / 60.0;
    double lon = s1.lond + s1.lonmf / 60.0;
    verspos(rs_.jd1, rs_.jd2, rs_.velav, rs_.kursav, lat, lon,
            &rs_.latitude0, &rs_.longitude0);
    split_dm(rs_.latitude0, &rs_.work.latd, &rs_.work.latmf);
    split_dm(rs_.longitude0, &rs_.work.lond, &rs_.work.lonmf);
    rs_.iverseg = 1;
    // The second sight reduced again at the position and with the
    // ephemeris of its last computation.
    renew_ = res2_;
    sight_rereduce(in2_.lat, in2_.lon, &renew_);
    return DialogStep::Renewing;
}

DialogStep Dialog::renewing() {
    rs_.iverseg = 0;
    const SightRecord& w = rs_.work;
    rd_->skip(25);
    conputs(" Renewing Position 2 after sailing from Pos. 1");
    conputs(" Sextanting by LUNAR DISTANCE ");
    conprintf(" ~~~~~~~~~~~ [%d.] Observation FINAL ~~~~~~~~ \n\n", rs_.nobs);
    date_line();
    time_line();
    conprint_dm(" Latitude:  %d deg %.2f' \n", w.latd, w.latmf);
    conprint_dm(" Longitude: %d deg %.2f' \n", w.lond, w.lonmf);
    conprintf(" Index corr. Ic: %.2f'  Height of eye: %.2fm \n", rs_.indb,
              rs_.aug);
    int ig = 0, im = 0;
    double sm = 0.0, ss = 0.0;
    cxangle(in2_.hs, &ig, &im, &sm, &ss);
    cxround(2, &ig, nullptr, &sm);
    conprintf(" Sextant viewed:  Hs= %d deg %3.2f'\n", ig, sm);
    cxangle(rs_.HSapp, &ig, &im, &sm, &ss);
    cxround(2, &ig, nullptr, &sm);
    conprintf(" Sextant appar.:  Ha= %d deg %3.2f'\n", ig, sm);
    cxangle(rs_.HSc, &ig, &im, &sm, &ss);
    cxround(2, &ig, nullptr, &sm);
    conprintf(" Sextant corr. :  Ho= %d deg %3.2f'\n", ig, sm);
    cxangle(renew_.hc, &ig, &im, &sm, &ss);
    cxround(2, &ig, nullptr, &sm);
    conprintf(" Sextant calcul:  Hc= %d deg %3.2f'\n", ig, sm);
    conprintf(" Course was: %5.0f  Velocity: %4.2f \n", rs_.kursav, rs_.velav);
    if (renew_.hdif < 0.0)
        conprintf(" ==> Position = %6.2f miles, away from sun\n", renew_.hdif);
    else if (renew_.hdif < 999.0)
        conprintf(" ==> Position = %6.2f miles closer to sun\n", renew_.hdif);
    else
        conprintf(" ==> !!!  Error in the measured values !!! \n");
    conprintf(" ==> Azimut   = %6.2f degrees  \n", renew_.az);
    rs_.hdif2 = renew_.hdif;
    rs_.azim2 = renew_.az;
    rs_.kursav2 = rs_.kursav;
    rs_.velav2 = rs_.velav;
    return DialogStep::Fix;
}

// ---------------------------------------------------------------------------
// The fix from two lines of position.

DialogStep Dialog::fix() {
    ++n_fixes_;
    if (!std::isfinite(rs_.azim1) || !std::isfinite(rs_.azim2) ||
        !std::isfinite(rs_.hdif1) || !std::isfinite(rs_.hdif2))
        return failed_restart("no line of position from these sights");

    // Azimuth check.
    if (std::fabs(std::trunc(rs_.azim1)) > 360.0 ||
        std::fabs(std::trunc(rs_.azim2)) > 360.0) {
        conprintf("\n !!! ERROR: Azimut1,2: %f %f\n", rs_.azim1, rs_.azim2);
        conputs(" hit ENTER to restart!");
        rd_->pause();
        rs_.iterq = 0;
        rs_.nobs = 1;
        return DialogStep::LoopHead;
    }

    // One point of each line of position: the run position moved by the
    // intercept along the azimuth.
    shiftpos(0, rs_.hdif1, 0, 0, 0, 0, rs_.latitude0, rs_.longitude0, 0.0,
             rs_.azim1, &rs_.latitude1, &rs_.longitude1);
    shiftpos(0, rs_.hdif2, 0, 0, 0, 0, rs_.latitude0, rs_.longitude0, 0.0,
             rs_.azim2, &rs_.latitude2, &rs_.longitude2);
    if (!std::isfinite(rs_.latitude1) || !std::isfinite(rs_.latitude2) ||
        !std::isfinite(rs_.longitude1) || !std::isfinite(rs_.longitude2))
        return failed_restart("no line of position from these sights");

    // Latitude check.
    if (std::fabs(std::trunc(rs_.latitude1)) > 89.0 ||
        std::fabs(std::trunc(rs_.latitude2)) > 89.0) {
        conprintf("\n !!! ERROR: Latitude1/2 > 89= %f %f\n", rs_.latitude1,
                  rs_.latitude2);
        conputs(" restart the program!");
        rd_->pause();
        rs_.iterq = 0;
        rs_.nobs = 1;
        rs_.timezero = 0;
        rs_.initluna = 0;
        return DialogStep::LoopHead;
    }

    double xpos = 0.0, ypos = 0.0, ynorm = 1.0;
    double latp = 0.0, lonp = 0.0;
    IntersectionCase c =
        lopfix(rs_.latitude1, rs_.longitude1, rs_.azim1, rs_.latitude2,
               rs_.longitude2, rs_.azim2, &xpos, &ypos, &ynorm, &latp, &lonp);
    if (c == kLopParallel) {
        conputs("");
        conputs("!!! ERROR 4, bad intersection of position lines!");
        ++rs_.iersum;
        rd_->pause();
    }
    double dist = bestver(1, rs_.latitude0, rs_.longitude0 * ynorm, xpos,
                          ypos, ynorm);
    if (!std::isfinite(latp) || !std::isfinite(lonp) || !std::isfinite(dist))
        return failed_restart("the lines of position give no fix");
    rs_.latitudep = latp;
    rs_.longitudep = lonp;
    rs_.dist = dist;
    split_dm(latp, &rs_.work.latd, &rs_.work.latmf);
    split_dm(lonp, &rs_.work.lond, &rs_.work.lonmf);
    suntime(rs_.work.year, rs_.work.month, rs_.work.day, lonp, latp, &rs_.srd,
            &rs_.srm, &rs_.ssd, &rs_.ssm, &rs_.Ar, &rs_.As, &rs_.daemm);
    return DialogStep::LunarResult;
}

// ---------------------------------------------------------------------------
// Result screen and menu.

DialogStep Dialog::lunar_result() {
    const SightRecord& w = rs_.work;
    int ig = 0, im = 0;
    double sm = 0.0, ss = 0.0;
    rd_->skip(25);
    conputs("   Sextanting by  LUNAR DISTANCE");
    conputs(" ~~~~~~~~~~~~~~~ LUNAR RESULT ~~~~~~~~~~~~~");
    date_line();
    conprintf(" ==> TIME-UTC: %dh %dm %ds, Delta_T: %.2f\n", w.hour, w.min,
              w.sec, rs_.DeltaTT);
    conprintf(" JulianDay [incl.Delta_T]= %.7f\n", jde_last_);
    conprintf(" Temperature= %.1fC  Pressure= %.1fhPa\n", rs_.temperature,
              rs_.pressure);
    if (std::fabs(rs_.hdif2) < 1.0)
        conprintf(" SUN_R/S(Az)=%dh%dm(%d) %dh%dm(%d) D~%dm\n", rs_.srd,
                  rs_.srm, rs_.Ar, rs_.ssd, rs_.ssm, rs_.As, rs_.daemm);
    switch (rs_.sight2.iur) {
    case 0:
    case 1:
        conprintf(" MOON: SDa= %.2f', Lunar Distance to SUN\n", rs_.SDamoon);
        break;
    case 4: conprintf(" MOON: SDa= %.2f', Planet= Venus\n", rs_.SDamoon); break;
    case 5: conprintf(" MOON: SDa= %.2f', Planet= Mars\n", rs_.SDamoon); break;
    case 6:
        conprintf(" MOON: SDa= %.2f', Planet= Jupiter\n", rs_.SDamoon);
        break;
    case 7:
        conprintf(" MOON: SDa= %.2f', Planet= Saturn\n", rs_.SDamoon);
        break;
    case 8:
        conprintf(" MOON: SDa= %.2f', Star=%s \n", rs_.SDamoon,
                  star_long_name(rs_.sight2.idstar));
        break;
    default: break;
    }
    if (rs_.ncount > 0) {
        cxangle(rs_.LD_limb, &ig, &im, &sm, &ss);
        cxround(1, &ig, nullptr, &sm);
        conprintf(" Lunar Dist. measured = %d deg %.1f'\n", ig, sm);
        cxangle(rs_.LDtrue, &ig, &im, &sm, &ss);
        cxround(2, &ig, &im, &ss);
        conprintf(" Lunar Dist. (Almanac)= %d deg %d' %.2f''\n", ig, im, ss);
        cxangle(rs_.LDclear, &ig, &im, &sm, &ss);
        cxround(2, &ig, &im, &ss);
        conprintf(" LUNAR DIST. CLEARED  = %d deg %d' %.2f''\n", ig, im, ss);
    }
    conprintf(" Final Position Error = %5.2f naut. miles\n", rs_.dist);
    // A lunar taken near the closest approach of the two bodies: a small
    // error of the measured distance is a large error of the clock.
    const double rate = std::fabs(distance_rate(w.year, w.month, w.day,
                                                w.hour, w.min, w.sec));
    if (rate < kSlowLunarRate)
        conprintf(" !!! Slow lunar: distance changes %.3f deg/h, 0.1' = %.0f "
                  "s of clock\n", rate, (0.1 / 60.0) / rate * 3600.0);
    // The bound in whole degrees of the Moon's sextant altitude, formed in
    // double so that any typed altitude gives it without overflow.
    if (rs_.dist > 10.0 * std::fabs(90.0 - rs_.sight1.had))
        conputs(" ?? Displacement too big, St. Hilaire?");
    conputs("");
    bool converged = std::fabs(rs_.dist) < kConverged;
    conputs(converged ? " ==> POSITION has CONVERGED:"
                      : " ==> Approximate POSITION Fixed:");
    conprint_dm("    Latitude  = %4d deg %5.2f' \n", w.latd, w.latmf);
    conprint_dm("    Longitude = %4d deg %5.2f' \n", w.lond, w.lonmf);
    if (converged) conputs(" This is actual POSITION, deviat.< 0.1nm");
    if (std::abs(w.latd) > 89.9)
        conputs(" !!! Position-estimate should be changed !!!");
    if (rs_.iersum != 0) {
        conputs(" !!! Observations not independent !!!");
        conputs(" !!! Result probably not good !!!");
    }
    conputs("");
    rs_.iersum = 0;
    return DialogStep::ResultMenu;
}

DialogStep Dialog::result_menu() {
    const SightRecord& w = rs_.work;
    rs_.kkk = rs_.initluna == 0 ? 5 : 4;
    bool converged = std::fabs(rs_.dist) < kConverged;
    if (converged) {
        seq_iterations_ = 0;
        rs_.sight1.latd = w.latd;
        rs_.sight1.latmf = w.latmf;
        rs_.sight2.latd = w.latd;
        rs_.sight2.latmf = w.latmf;
        conputs(" ## ENTER: 1=restart, 5=TALMAR, 9=stop:");
        conputs(" For FINAL CHECK, press again RETURN !");
        rs_.kkk = 5;
    } else if (w.latd >= -kAutoLatitudeLimit && w.latd <= kAutoLatitudeLimit &&
               seq_iterations_ < kMaxIterations) {
        conprintf(" ## ENTER: 1=restart, 4=ITERATE, 9=stop:");
    } else {
        // Either the fix lies too near a pole, or the iteration does not
        // settle: the navigator decides how to go on.
        if (seq_iterations_ >= kMaxIterations)
            conprintf(" !!! No convergence after %d iterations: the position "
                      "lines do not settle.\n", seq_iterations_);
        seq_iterations_ = 0;
        conputs(" continue with RETURN, 1=start, or 9=stop");
        rs_.iterq = 0;
        rs_.iterend = 0;
        rs_.initluna = 0;
        rs_.kkk = 5;
    }
    rs_.iterq = 0;
    if (rs_.kkk == 5) {
        if (rs_.iterend <= 0) {
            rs_.kkk = rd_->parsenth(1, 5);
            ++n_menu_reads_;
        } else if (rs_.iterend > 30) {
            rs_.kkk = rd_->parsenth(1, 5);
            rs_.iterend = 0;
            ++n_menu_reads_;
        }
    }
    switch (rs_.kkk) {
    case 0: return DialogStep::Continue;
    case 1:
        rs_.iterq = 0;
        rs_.nobs = 1;
        rs_.timezero = 0;
        rs_.initluna = 0;
        return DialogStep::LoopHead;
    case 4: return DialogStep::Iterate;
    case 5: return DialogStep::LunarDistancePass;
    case 9: return DialogStep::Stop;
    default:
        if (console().ended) return DialogStep::End;
        return DialogStep::ResultMenu;
    }
}

DialogStep Dialog::iterate() {
    ++n_iterations_;
    ++seq_iterations_;
    rs_.iterq = 1;
    rd_->skip(25);
    conputs(" ITERATION started:");
    conputs(" Just repeat all steps by hitting ENTER, ");
    conputs(" but do not change any parameters.\n");
    conputs(" You may repeat the iteration several times,");
    conputs(" until there is no more change");
    conputs(" in the FINAL POSITION.\n");
    conputs(" ...now hit ENTER to continue:");
    if (rs_.initluna == 0) rd_->pause();
    // The first sight's position: the fix run back along the reverse of
    // the course that Continue runs forward.
    double kursbak = rs_.kursav - 180.0;
    if (kursbak < 0.0) kursbak += 360.0;
    verspos(rs_.jd1, rs_.jd2, rs_.velav, kursbak, rs_.latitudep,
            rs_.longitudep, &rs_.latitude1, &rs_.longitude1);
    split_dm(rs_.latitude1, &rs_.sight1.latd, &rs_.sight1.latmf);
    split_dm(rs_.longitude1, &rs_.sight1.lond, &rs_.sight1.lonmf);
    split_dm(rs_.latitudep, &rs_.sight2.latd, &rs_.sight2.latmf);
    split_dm(rs_.longitudep, &rs_.sight2.lond, &rs_.sight2.lonmf);
    rs_.nobs = 1;
    return DialogStep::LoopHead;
}

// ---------------------------------------------------------------------------
// The lunar-distance pass.

/* true_distance: the true geocentric distance between the Moon and the
 * second body of the run (rs_.sight2's body and star) from the
 * ephemerides at the given UTC date and clock time (seconds may run past
 * 59 or below 0: the ephemerides take the time as hours + min/60 +
 * sec/3600).
 *   ld      distance, degrees (output)
 *   sdsun   the Sun's semi-diameter, arcminutes (output)
 *   idstar  the star index the star routine returned (output; the
 *           second sight's index for other bodies)
 *   returns false when the second body is unknown (code outside 0..8). */
bool Dialog::true_distance(int y, int mo, int d, int h, int mi, int sec,
                           double* ld, double* sdsun, int* idstar) {
    const int iur = rs_.sight2.iur;
    *idstar = rs_.sight2.idstar;
    if (iur > 8 || iur < 0) return false;
    double decs = 0.0, ghas = 0.0, ghaa = 0.0, ras = 0.0, hps = 0.0;
    double jde = 0.0;
    suneph(rs_.DeltaTT, y, mo, d, h, mi, sec, &decs, &ghas, &ghaa, &ras, &hps,
           sdsun, &jde);
    double decm = 0.0, ram = 0.0, ghm = 0.0, hpm = 0.0, sdm = 0.0;
    mooneph(rs_.moonpar, rs_.DeltaTT, y, mo, d, h, mi, sec, &decm, &ghm,
            &ghaa, &ram, &hpm, &sdm);
    if (iur >= 4 && iur <= 7) {
        double hpp = 0.0;
        planeteph(iur, rs_.DeltaTT, y, mo, d, h, mi, sec, &decs, &ghas, &ghaa,
                  &ras, &hpp);
    } else if (iur == 8) {
        double sha = 0.0;
        // An index outside the catalogue (a hand-edited file) takes the
        // DUMMY row, as the sight computation does.
        const int star = (*idstar >= 0 && *idstar <= 57) ? *idstar : 58;
        *idstar = starseph(rs_.iterq, star, rs_.DeltaTT, y, mo, d, h, mi, sec,
                           &decs, &ghas, &ghaa, &ras, &sha);
        if (*idstar < 0) *idstar = 58;
    }
    *ld = LDist(decm, decs, ram, ras);
    return true;
}

/* distance_rate: how fast the true distance changes at the given UTC date
 * and clock time, degrees per hour (negative: closing), from the distance
 * kRateHalfSpan seconds before and after it.  NaN when the body is unknown
 * or an ephemeris fails. */
double Dialog::distance_rate(int y, int mo, int d, int h, int mi, int sec) {
    double before = 0.0, after = 0.0, sd = 0.0;
    int star = 0;
    if (!true_distance(y, mo, d, h, mi, sec - kRateHalfSpan, &before, &sd,
                       &star) ||
        !true_distance(y, mo, d, h, mi, sec + kRateHalfSpan, &after, &sd,
                       &star))
        return std::nan("");
    return (after - before) / (2.0 * kRateHalfSpan / 3600.0);
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
    const int y = ld_year_, mo = ld_month_, d = ld_day_;
    rs_.work.iur = rs_.sight2.iur;
    rs_.work.idstar = rs_.sight2.idstar;
    const int iur = rs_.work.iur;
    if (!true_distance(y, mo, d, kth, ktm, kts, &rs_.LDtrue, &rs_.SDsun,
                       &rs_.work.idstar))
        return false;

    if (rs_.initluna == 0) {
        conputs("");
        conputs(" ==> Enter LUNAR DISTANCE now:\n");
        conputs(" Which Limb of Moon? 1=NEAR 2=FAR:");
        rd_->lies1(0, rs_.xnear, &rs_.xnear);
        conputs("");
        conputs(" To which side of Moon? 1=EAST 2=WEST:");
        double side = 0.0;
        rd_->lies1(0, rs_.signdist >= 0 ? 1.0 : 2.0, &side);
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
    const double rate = distance_rate(y, mo, d, kth, ktm, kts);
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
    dzeit_ = *t1 - t0_;
    return true;
}

DialogStep Dialog::lunar_distance_pass() {
    ++n_passes_;
    seq_iterations_ = 0;
    ++rs_.iterend;
    rs_.ncount = 0;
    ld_year_ = rs_.sight1.year;
    ld_month_ = rs_.sight1.month;
    ld_day_ = rs_.sight1.day;
    int kth = rs_.sight1.hour, ktm = rs_.sight1.min, kts = rs_.sight1.sec;
    t0_ = kth + ktm / 60.0 + kts / 3600.0;
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
        told_ = t0_;
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
            !(std::fabs(t1 - told_) > kTimeTolerance))
            break;
    }

    if (first) {
        rs_.sight1.hour = kth;
        rs_.sight1.min = ktm;
        rs_.sight1.sec = kts;
        rs_.timezero = 1;
        rs_.nobs = 1;
        int i1 = trunc_int(dzeit_);
        int i2 = trunc_int((dzeit_ - i1) * 60.0);
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
    rs_.sight1.year = ld_year_;
    rs_.sight1.month = ld_month_;
    rs_.sight1.day = ld_day_;
    rs_.sight1.hour = hour;
    rs_.sight1.min = minute;
    rs_.sight1.sec = second;
    copy_date_time(&rs_.sight2, rs_.sight1);
    rs_.iterq = 1;
    rs_.nobs = 1;
    return DialogStep::LoopHead;
}

// ---------------------------------------------------------------------------
// Stop: both remembered-input files, then the closing screen.

DialogStep Dialog::stop() {
    const int failed = WriteStopMemory(rs_);
    note_save(&rs_, kFirstSightUnsaved, (failed & kFirstSightUnsaved) == 0);
    note_save(&rs_, kSecondSightUnsaved, (failed & kSecondSightUnsaved) == 0);
    return DialogStep::End;
}

}  // namespace lunarfix
