// Dialog driver, from the second sight to the result menu: the first
// sight's position run to the second, the renewed second sight, the fix
// from the two lines of position, the result screen, the result menu with
// its iteration, and the stop.
#include <cmath>

#include "dialog/dialog.h"
#include "dialog/limits.h"
#include "dialog/remembered_inputs.h"
#include "dialog/sight_screens.h"
#include "dialog/star_selection.h"
#include "ephemeris/ephemeris.h"
#include "foundations/console_io.h"
#include "foundations/foundations.h"
#include "navigation/navcalc.h"

namespace lunarfix {

namespace {

// Below this rate (degrees per hour) the result screen warns that the
// lunar times the clock poorly.
constexpr double kSlowLunarRate = 0.1;

// Below this crossing angle (degrees) of the two lines of position the
// result screen warns that the fix is uncertain along them.
constexpr double kNarrowCrossing = 10.0;

// The fix counts as converged below this position error (nautical miles).
constexpr double kConverged = 0.1;

// Whole degrees of latitude of a fix beyond which the automatic cycle is
// not carried on without the navigator.
constexpr int kAutoLatitudeLimit = 88;

// Both ends of the run between the two sights: the sights share one
// instant, so no time passes between them and only a distance run (a
// negative velav) moves the first sight's position to the second.
constexpr double kSightsInstant = 0.0;

}  // namespace

DialogStep Dialog::continue_step() {
    if (rs_.timezero == 0) return DialogStep::LunarDistancePass;
    // The first sight's position as it stood when that sight was computed
    // (the converged result menu may since have moved the record's
    // latitude to the fix), run to the second sight along the course and
    // speed (or distance) of the second sight's inputs, as the renewing
    // screen shows them.
    const SightRecord& s1 = pos1_;
    double lat = s1.latd + s1.latmf / 60.0;
    double lon = s1.lond + s1.lonmf / 60.0;
    verspos(kSightsInstant, kSightsInstant, rs_.velav, rs_.kursav, lat,
            lon, &rs_.latitude0, &rs_.longitude0);
    split_dm(rs_.latitude0, &rs_.work.latd, &rs_.work.latmf);
    split_dm(rs_.longitude0, &rs_.work.lond, &rs_.work.lonmf);
    // The second sight reduced again at the position and with the
    // ephemeris of its last computation.
    renew_ = res2_;
    sight_rereduce(in2_.lat, in2_.lon, &renew_);
    // The renewed line of position, for the fix.
    rs_.hdif2 = renew_.hdif;
    rs_.azim2 = renew_.az;
    return DialogStep::Renewing;
}

DialogStep Dialog::renewing() {
    const SightRecord& w = rs_.work;
    rd_->skip(25);
    conputs(" Renewing Position 2 after sailing from Pos. 1");
    conputs(" Sextanting by LUNAR DISTANCE ");
    conprintf(" ~~~~~~~~~~~ [%d.] Observation FINAL ~~~~~~~~ \n\n", rs_.nobs);
    sight_data_lines(w, rs_.indb, rs_.aug);
    altitude_line(" Sextant viewed:  Hs=", in2_.hs);
    altitude_line(" Sextant appar.:  Ha=", rs_.HSapp);
    altitude_line(" Sextant corr. :  Ho=", rs_.HSc);
    altitude_line(" Sextant calcul:  Hc=", renew_.hc);
    conprintf(" Course was: %5.0f  Velocity: %4.2f \n", rs_.kursav, rs_.velav);
    // Every body is called "sun" here, as the star on the sight screen.
    intercept_line(renew_.hdif, "sun", kRenewedInterceptLimit);
    conprintf(" ==> Azimut   = %6.2f degrees  \n", renew_.az);
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
        return restart(RestartScope::SightsOnly);
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
        return restart(RestartScope::WholeRun);
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
    date_line(rs_.work);
    conprintf(" ==> TIME-UTC: %dh %dm %ds, Delta_T: %.2f\n", w.hour, w.min,
              w.sec, rs_.DeltaTT);
    conprintf(" JulianDay [incl.Delta_T]= %.7f\n", jde_last_);
    conprintf(" Temperature= %.1fC  Pressure= %.1fhPa\n", rs_.temperature,
              rs_.pressure);
    if (std::fabs(rs_.hdif2) < 1.0)
        conprintf(" SUN_R/S(Az)=%dh%dm(%d) %dh%dm(%d) D~%dm\n", rs_.srd,
                  rs_.srm, rs_.Ar, rs_.ssd, rs_.ssm, rs_.As, rs_.daemm);
    const int second = rs_.sight2.iur;
    if (second == 0 || second == 1)
        conprintf(" MOON: SDa= %.2f', Lunar Distance to SUN\n", rs_.SDamoon);
    else if (second >= 4 && second <= 7)
        conprintf(" MOON: SDa= %.2f', Planet= %s\n", rs_.SDamoon, body_name());
    else if (second == 8)
        conprintf(" MOON: SDa= %.2f', Star=%s \n", rs_.SDamoon,
                  star_long_name(rs_.sight2.idstar));
    if (rs_.ncount > 0) {
        shown_dm(rs_.LD_limb, 1, &ig, &sm);
        conprintf(" Lunar Dist. measured = %d deg %.1f'\n", ig, sm);
        shown_dms(rs_.LDtrue, 2, &ig, &im, &ss);
        conprintf(" Lunar Dist. (Almanac)= %d deg %d' %.2f''\n", ig, im, ss);
        shown_dms(rs_.LDclear, 2, &ig, &im, &ss);
        conprintf(" LUNAR DIST. CLEARED  = %d deg %d' %.2f''\n", ig, im, ss);
    }
    conprintf(" Final Position Error = %5.2f naut. miles\n", rs_.dist);
    // A lunar taken near the closest approach of the two bodies: a small
    // error of the measured distance is a large error of the clock.  The
    // rate is that of the latest clearing, whose clock the fix was made
    // at (within the seconds of the last correction).
    const double rate = std::fabs(ld_rate_);
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
    // Lines crossing at a small angle: an error of the altitudes moves the
    // fix far along them, and the circles of equal altitude may cross a
    // second time near by.  The angle is that of the azimuths the fix was
    // made from; the angle as shown decides, so that the line never reads
    // 10.0.
    const double shown_angle =
        std::round(lopangle(rs_.azim1, rs_.azim2) * 10.0) / 10.0;
    if (shown_angle < kNarrowCrossing)
        conprintf(" !!! Lines of position cross at %.1f deg: the position is "
                  "uncertain along them\n", shown_angle);
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
    int answer = rs_.initluna == 0 ? 5 : 4;
    bool converged = std::fabs(rs_.dist) < kConverged;
    if (converged) {
        seq_iterations_ = 0;
        rs_.sight1.latd = w.latd;
        rs_.sight1.latmf = w.latmf;
        rs_.sight2.latd = w.latd;
        rs_.sight2.latmf = w.latmf;
        conputs(" ## ENTER: 1=restart, 5=TALMAR, 9=stop:");
        conputs(" For FINAL CHECK, press again RETURN !");
        answer = 5;
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
        rs_.iterend = 0;
        rs_.initluna = 0;
        answer = 5;
    }
    rs_.iterq = 0;
    if (answer == 5 &&
        (rs_.iterend <= 0 || rs_.iterend > kPassesBeforeMenuReads)) {
        answer = rd_->parsenth(1, 5);
        if (rs_.iterend > 0) rs_.iterend = 0;
        ++n_menu_reads_;
        // Text is no choice: the menu is shown again.
        if (typed_text_refused(kChoiceAnswer)) answer = -1;
    }
    switch (answer) {
    case 0: return DialogStep::Continue;
    case 1: return restart(RestartScope::WholeRun);
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
    verspos(kSightsInstant, kSightsInstant, rs_.velav, kursbak,
            rs_.latitudep, rs_.longitudep, &rs_.latitude1, &rs_.longitude1);
    split_dm(rs_.latitude1, &rs_.sight1.latd, &rs_.sight1.latmf);
    split_dm(rs_.longitude1, &rs_.sight1.lond, &rs_.sight1.lonmf);
    split_dm(rs_.latitudep, &rs_.sight2.latd, &rs_.sight2.latmf);
    split_dm(rs_.longitudep, &rs_.sight2.lond, &rs_.sight2.lonmf);
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
