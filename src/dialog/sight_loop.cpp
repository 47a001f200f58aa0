// Dialog driver, the sight loop: one pass per sight, from the remembered
// inputs through the prompts of date, time, earth conditions, position,
// body, index correction, height of eye and sextant altitude to the sight
// computation, its screens and the sight menu.
#include <cmath>

#include "dialog/dialog.h"
#include "dialog/earth_conditions.h"
#include "dialog/ranges.h"
#include "dialog/remembered_inputs.h"
#include "dialog/sight_screens.h"
#include "dialog/star_selection.h"
#include "foundations/console_io.h"
#include "foundations/foundations.h"

namespace lunarfix {

DialogStep Dialog::loop_head() {
    if (rs_.nobs == 1) {
        rs_.work = rs_.sight1;
        if (rs_.iterq != 1) {
            // A file that cannot be read (-1) is kept, neither taken nor
            // written.
            const int found = ReadFirstSightMemory(&rs_);
            if (found > 0) {
                rs_.sight1 = rs_.work;
            } else if (found == 0) {
                note_save(&rs_, kFirstSightUnsaved, WriteFirstSightMemory(rs_));
            }
        }
    } else {
        rs_.work = rs_.sight2;
        if (rs_.iterq != 1) {
            const int found = ReadSecondSightMemory(&rs_);
            if (found > 0) {
                rs_.sight2 = rs_.work;
            } else if (found == 0) {
                note_save(&rs_, kSecondSightUnsaved,
                          WriteSecondSightMemory(rs_, 1));
            }
        }
    }
    return DialogStep::Example;
}

DialogStep Dialog::example() {
    if (rs_.nobs == 1) {
        const SightRecord& w = rs_.work;
        rd_->skip(25);
        conputs(" Sextanting by LUNAR DISTANCE\n");
        conputs(" ~~~~~~~~~~~~+~~ E X A M P L E  ~~~~~~~~~~~~~ ");
        date_line(w);
        time_line(w);
        position_lines(w, MinutesField::Free);
        conprintf(" Sextant viewed: Ha= %d deg %3.2f' \n", w.had, 2.1);
        conprintf(" Sextant calcul. Hc: %d deg %3.2f' \n", w.had, 3.4);
        conprintf(" => Position incorrect by: %6.2f miles \n", 5.6);
        conprintf(" => Azimut direction: %6.2f deg \n", rs_.az0);
        conputs(" ~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~ ");
        conputs(" Thanks to J.Meeus, the VSOP87 theory and the LEA406 "
                "series of S.M.Kudryavtsev.");
        conputs(" ~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~ ");
        conputs(" (3 files created: moondist0x0,1,2.txt, for");
        conputs(" Delta-T in years >2020 see file ...0x0.txt)");
        conputs(" \n            ... hit ENTER to continue: ");
        if (rs_.iterq != 1) rd_->pause();
    }
    rd_->discard_pending();
    return DialogStep::Date;
}

/* screen_head: a new screen with the observation heading in the given
 * form and the working date and time. */
void Dialog::screen_head(HeadingForm form) {
    rd_->skip(25);
    observation_heading(rs_.nobs, form);
    date_line(rs_.work);
    time_line(rs_.work);
}

namespace {

// The sextant altitude of an answer in degrees and minutes, degrees: the
// whole degrees (a fraction typed with them dropped; the 1e-8 lifts a value
// a hair below a whole degree to it) and the minutes.
double sextant_degrees(double deg, double min) {
    return std::floor(deg + 1e-8) + min / 60.0;
}

}  // namespace

/* ask_angle: one question answered by an angle in degrees and minutes
 * (lies2).  The question shows shown_deg and shown_min, the column line
 * follows, and def_deg, def_min are offered.  An answer holding text (a
 * hemisphere letter gets its own line), a number that is not finite,
 * seconds or minutes of 60 or more is refused with the range r named; with
 * InRange also an angle (sextant_degrees) outside r.  A refused answer
 * asks the question again with the defaults unchanged; when the input
 * ends, the defaults stand.  In automatic mode nothing is read.
 *   z1, z2  the degrees and minutes (in: the defaults; out: the answer) */
void Dialog::ask_angle(const char* question, int shown_deg, double shown_min,
                       const char* columns, int def_deg, double def_min,
                       const ValueRange& r, TypedCheck check, double* z1,
                       double* z2) {
    for (;;) {
        conprint_dm(question, shown_deg, shown_min);
        conputs(columns);
        if (rs_.iterq == 1) return;
        rd_->lies2(def_deg, def_min, z1, z2);
        if (!typed_checked_refused(r, sextant_degrees(*z1, *z2), check))
            return;
        *z1 = def_deg;
        *z2 = def_min;
        if (console().ended) return;
    }
}

/* ask_three: one question answered by three integers on one line (the date
 * or the clock time).  The question shows the values in force, the column
 * line names the three, and the default line offers them; an answer that
 * holds text is refused with `line` named, one that changes any of the
 * values is checked against its range (a null range: not checked), and a
 * refused answer asks the question again with the values unchanged.  In
 * automatic mode the values in force are taken unread. */
void Dialog::ask_three(const char* question, const char* columns,
                       const ValueRange& line,
                       const ValueRange* const ranges[3], int* a, int* b,
                       int* c) {
    for (;;) {
        conprintf(question, *a, *b, *c);
        conputs(columns);
        conprintf(" [Default: %d %d %d ] Input: ", *a, *b, *c);
        const int v[3] = {rd_->parse4nth(rs_.iterq, 1, *a),
                          rd_->parse4nth(rs_.iterq, 2, *b),
                          rd_->parse4nth(rs_.iterq, 3, *c)};
        const bool typed =
            rs_.iterq != 1 && (v[0] != *a || v[1] != *b || v[2] != *c);
        bool refused = rs_.iterq != 1 && typed_text_refused(line);
        for (int i = 0; typed && !refused && i < 3; ++i)
            refused = ranges[i] != nullptr && typed_refused(*ranges[i], v[i]);
        if (refused) {
            if (console().ended) return;
            continue;
        }
        *a = v[0];
        *b = v[1];
        *c = v[2];
        return;
    }
}

DialogStep Dialog::date() {
    // Set-up of the working copy for the sight in hand.
    if (rs_.nobs == 1) {
        rs_.work = rs_.sight1;
    } else {
        SightRecord w = rs_.sight1;
        w.iur = rs_.sight2.iur;
        w.idstar = rs_.sight2.idstar;
        w.had = rs_.sight2.had;
        w.hamf = rs_.sight2.hamf;
        rs_.work = w;
    }
    rd_->skip(25);
    observation_heading(rs_.nobs, HeadingForm::Prompt);
    if (rs_.nobs != 1) return DialogStep::Time;

    SightRecord& w = rs_.work;
    // The year keeps its clamp below; a month or day that no calendar has
    // sends the question back with the date offered unchanged.
    static const ValueRange* const date_ranges[3] = {nullptr, &kMonthRange,
                                                     &kDayRange};
    ask_three("###> Year: %d   Month: %d   Day: %d\n",
              "                            Year Month Day", kDateLine,
              date_ranges,
              &w.year, &w.month, &w.day);
    w.year = static_cast<int>(clamped(kYearRange, w.year));
    if (w.year <= 1499 || w.year > 2500)
        conputs(" Year outside the range of high precision!");
    if (w.year <= 1582) {
        conputs("\n Dates before 1582-OCT-5 are JULIAN calender");
        rd_->pause();
    }
    if (rs_.iterq != 1) {
        rs_.DeltaT0 = deltatime(w.year, w.month);
        if (w.year > 2020) rs_.DeltaT0 = delta0x(w.year);
    }
    return DialogStep::Time;
}

DialogStep Dialog::time() {
    SightRecord& w = rs_.work;
    rd_->skip(25);
    observation_heading(rs_.nobs, HeadingForm::Prompt);
    date_line(rs_.work);
    if (rs_.nobs == 1) {
        // A clock time offered unchanged is taken as it stands (a time
        // corrected by a lunar distance may lie before 0 h or after 24 h of
        // its date); a typed one must be a time of day.
        static const ValueRange* const time_ranges[3] = {
            &kHourRange, &kMinuteRange, &kSecondRange};
        ask_three("\n###> Time-UTC:  %d h %d min %d sec \n",
                  "                            Hour Min. Sec.", kTimeLine,
                  time_ranges,
                  &w.hour, &w.min, &w.sec);
        copy_date_time(&rs_.sight1, w);
        // The check date of the Delta T model is computed without Delta T.
        // (Sums in double: a clock corrected by a lunar distance may lie
        // far outside one day.)
        if (rs_.iterq != 1 &&
            w.year * 10000.0 + w.month * 100.0 + w.day == 19920412.0 &&
            static_cast<double>(w.hour) + w.min + w.sec <= 0.1)
            rs_.DeltaT0 = 0.0;
    } else {
        copy_date_time(&rs_.sight2, rs_.sight1);
    }
    return DialogStep::EarthConditionsScreen;
}

DialogStep Dialog::earth_conditions() {
    SightRecord& w = rs_.work;
    if (rs_.nobs == 1) {
        // The screen offers the air temperature and pressure in force and
        // replaces them with the navigator's answers.
        if (rs_.iterq != 1)
            earthcon_with(&earth_mem_, w.year, rs_.DeltaT0, rs_.temperature,
                          rs_.pressure, rs_.moonpar, &rs_.DeltaTT,
                          &rs_.temperature, &rs_.pressure, &rs_.moonpar);
        rs_.DeltaT0 = rs_.DeltaTT;
    }
    screen_head(HeadingForm::Prompt);
    deltat_line();

    // Sidereal time and nutation of the working date for the ephemerides
    // screen (the screen shows the true obliquity only).
    const double jd = julday(w.year, w.month, w.day, w.hour, w.min, w.sec);
    double eps0 = 0.0;
    rs_.GMST0 = green0mean(jd);
    Nutation((jd - kJ2000) / kDaysPerCentury, &rs_.nut_dpsi, &rs_.nut_deps,
             &eps0, &rs_.nut_eps);
    return DialogStep::Latitude;
}

DialogStep Dialog::latitude() {
    SightRecord& w = rs_.work;
    if (rs_.nobs != 1) {
        split_dm(rs_.latitude2, &w.latd, &w.latmf);
        return DialogStep::Longitude;
    }
    double m = w.latmf;
    if (w.latd > 0) m = std::fabs(m);
    if (w.latd < 0) m = -std::fabs(m);
    // A typed latitude beyond the pole is refused and asked again, as is
    // text or a number that is not finite.
    double z1 = w.latd, z2 = m;
    ask_angle("\n###> Latitude:  %d deg %5.2f' \n", w.latd, w.latmf,
              "                        +-Degree Minute", w.latd, m,
              kLatitudeRange, TypedCheck::InRange, &z1, &z2);
    w.latd = trunc_int(z1);
    w.latmf = z2;
    double lat = w.latd + z2 / 60.0;
    rs_.latitude1 = lat;
    rs_.latitude2 = lat;
    // Only a position run beyond the pole in automatic mode (or one left
    // standing when the input ended) gets here: the navigator is asked
    // for a new one.
    if (!(std::fabs(lat) <= 90.0)) {
        conprintf("\n!!! ERROR, Latitude=%f\n", lat);
        conputs(" restart with new position");
        rd_->pause();
        return restart(RestartScope::WholeRun);
    }
    return DialogStep::Longitude;
}

DialogStep Dialog::longitude() {
    SightRecord& w = rs_.work;
    if (rs_.nobs != 1) {
        split_dm(rs_.longitude2, &w.lond, &w.lonmf);
        return DialogStep::Summary;
    }
    screen_head(HeadingForm::Prompt);
    deltat_line();
    conprint_dm(" Latitude:  %d deg %5.2f' \n", w.latd, w.latmf);
    // Any finite longitude is wrapped onto the globe below; text or one
    // that is not finite cannot be, and the question is asked again.
    double z1 = w.lond, z2 = w.lonmf;
    ask_angle("\n###>  Longitude: %d deg %5.2f' \n", w.lond, w.lonmf,
              "                        +-Degree Minute", w.lond, w.lonmf,
              kLongitudeRange, TypedCheck::TextOnly, &z1, &z2);
    if (z1 < 0.0) z2 = -std::fabs(z2);
    w.lond = trunc_int(z1);
    w.lonmf = z2;
    double typed = w.lond + z2 / 60.0;
    double lon = lim180(norm360(typed));
    // A longitude beyond the 180th meridian is kept in its wrapped form, so
    // that the screens and the remembered inputs show the longitude used.
    if (lon != typed) {
        split_dm(lon, &w.lond, &w.lonmf);
    }
    rs_.longitude1 = lon;
    rs_.longitude2 = lon;
    return DialogStep::Summary;
}

DialogStep Dialog::summary() {
    const SightRecord& w = rs_.work;
    screen_head(HeadingForm::Prompt);
    deltat_line();
    if (rs_.nobs == 1) {
        position_lines(w, MinutesField::Padded);
    } else {
        conprintf(" Course: %2.2f  Velocity: %2.2f\n", rs_.kursav, rs_.velav);
        conprint_dm(" DR-Latitude:  %d deg %5.2f' \n", w.latd, w.latmf);
        conprint_dm(" DR-Longitude: %d deg %5.2f' \n", w.lond, w.lonmf);
    }
    return DialogStep::Body;
}

DialogStep Dialog::body() {
    SightRecord& w = rs_.work;
    rd_->skip(25);
    observation_line(rs_.nobs, HeadingForm::Prompt);
    if (rs_.nobs == 1)
        conputs(" Celestial object: Moon");
    else
        conputs(" Celestial object: Sun, Planet or Star");
    conputs("");
    if (rs_.nobs != 1) conputs(" 0=SUN lower rim,    1=UPPER rim of SUN");
    if (rs_.nobs == 1) conputs(" 2=MOON lower rim,   3=UPPER rim of MOON");
    if (rs_.nobs != 1) conputs(" 4=VENUS, 5=MARS 6=JUPITER 7=SATURN 8=*STAR*");
    conputs("");
    static const char* const echo[] = {
        " => Sun lower rim",   " => Sun upper rim",   " => Moon lower rim",
        " => Moon upper rim",  " => Planet Venus",    " => Planet Mars",
        " => Planet Jupiter",  " => Planet Saturn",
        " => Star (see catalog after Sextant-Data)"};
    // A code that the sight cannot take, or text, is refused with the codes
    // it takes, and the question is asked again with the default unchanged.
    int code = w.iur;
    for (;;) {
        conprintf("###>  [Default: %d  ]   Input: ", w.iur);
        code = rd_->parse4nth(rs_.iterq, 1, w.iur);
        if (code < 0) code = (code == -2147483647 - 1) ? 2147483647 : -code;
        const int fits = body_fits(rs_.nobs, code);
        if (rs_.iterq == 1) {
            // A default that the sight refuses cannot be answered in
            // automatic mode; the run is handed back to the navigator
            // instead of asking the same question without end.
            if (fits) break;
            if (code <= 8) conputs(echo[code]);
            conputs(" !!! body code not valid for this sight: restart");
            return restart(RestartScope::WholeRun);
        }
        if (!typed_unfit_refused(body_range(rs_.nobs), fits)) break;
        if (console().ended) return DialogStep::Body;
    }
    conputs(echo[code]);
    w.iur = code;
    if (code == 8) w.idstar = starlist(rs_.iterq, w.idstar);
    return DialogStep::IndexCorrection;
}

DialogStep Dialog::index_correction() {
    if (rs_.nobs != 1) return DialogStep::HeightOfEye;
    rd_->skip(25);
    observation_heading(rs_.nobs, HeadingForm::Sextant);
    conputs(rs_.work.iur == 3 ? " => Moon upper rim" : " => Moon lower rim");
    conputs("\n       SEXTANT-Data:");
    for (;;) {
        conprintf("\n###> Index correction(sext) Ic: %.2f' \n", rs_.indb);
        conputs("                         +-Minutes ");
        conprintf(" [Default: %.2f  ] Input: ", rs_.indb);
        if (rs_.iterq == 1) break;
        const double ic = rd_->parsefd(1, rs_.indb);
        if (!typed_one_refused(kIndexRange, ic, TypedCheck::InRange)) {
            rs_.indb = ic;
            break;
        }
        if (console().ended) break;
    }
    return DialogStep::HeightOfEye;
}

DialogStep Dialog::height_of_eye() {
    const SightRecord& w = rs_.work;
    screen_head(HeadingForm::Sextant);
    position_lines(w, MinutesField::Padded);
    conprintf(" Index corr. Ic: %.2f'\n", rs_.indb);
    conprintf("\n###> Height of eye: %.2f m \n", rs_.aug);
    if (rs_.nobs == 1) {
        for (;;) {
            conputs("                         Meters ");
            conprintf(" [Default: %.2f  ] Input: ", rs_.aug);
            if (rs_.iterq == 1) break;
            const double eye = rd_->parsefd(1, rs_.aug);
            // Finite heights are clamped below; text, one that is not
            // finite or a second number (a decimal comma) is refused.
            if (!typed_one_refused(kEyeRange, eye, TypedCheck::TextOnly)) {
                rs_.aug = eye;
                break;
            }
            if (console().ended) break;
            conprintf("\n###> Height of eye: %.2f m \n", rs_.aug);
        }
    }
    rs_.aug = clamped(kEyeRange, rs_.aug);
    return DialogStep::SextantAltitude;
}

DialogStep Dialog::sextant_altitude() {
    SightRecord& w = rs_.work;
    const SightRecord& rec = rs_.nobs == 1 ? rs_.sight1 : rs_.sight2;
    w.hamf = rec.hamf;
    screen_head(HeadingForm::Sextant);
    position_lines(w, MinutesField::Free);
    conprintf(" Indx corr. Ic: %.1f' Height of eye: %.1fm \n", rs_.indb,
              rs_.aug);
    double z1 = w.had, z2 = w.hamf;
    ask_angle("\n###> SEXTANT measurement: Hs= %d deg %3.2f'\n", w.had,
              w.hamf, "                          +-Degrees  Min.", w.had,
              w.hamf, kSextantRange, TypedCheck::InRange, &z1, &z2);
    w.had = trunc_int(z1);
    w.hamf = z2;
    hs_ = sextant_degrees(z1, z2);
    return DialogStep::SightComputation;
}

// ---------------------------------------------------------------------------
// The sight computation and its screens.

DialogStep Dialog::sight_computation() {
    in_ = sight_input(rs_, hs_);
    sight_compute(in_, &res_);
    jde_last_ = res_.jde;
    return DialogStep::SightResultScreen;
}

DialogStep Dialog::sight_result_screen() {
    lunarfix::sight_result_screen(rs_, in_, res_);
    return DialogStep::EphemeridesScreen;
}

DialogStep Dialog::ephemerides_screen() {
    // The sight is stored (and its remembered inputs written) only once its
    // result screen has been seen through.
    sight_store(&rs_, in_, res_);
    if (rs_.nobs == 1) pos1_ = rs_.sight1;
    if (rs_.nobs != 1) {
        in2_ = in_;
        res2_ = res_;
    }
    lunarfix::ephemerides_screen(rs_, in_, res_);
    return DialogStep::SightMenu;
}

DialogStep Dialog::sight_menu() {
    int ans = 0;
    for (;;) {
        if (rs_.nobs == 1)
            conprintf(" ### ENTER: 1=repeat 9=stop, or hit RETURN ");
        else
            conprintf(" ### ENTER: 2=repeat[2.obs.] or hit RETURN ");
        if (rs_.iterq == 1) {
            ans = rs_.nobs == 1 ? 2 : 3;
        } else {
            ans = rd_->parsenth(1, 999);
            if (typed_text_refused(kChoiceAnswer)) ans = -1;  // asked again
        }
        if (ans >= 0 || console().ended) break;
    }
    if (ans == 999 || ans < 0) ans = rs_.nobs == 1 ? 2 : 3;
    if (rs_.nobs == 1) {
        if (ans <= 1) return DialogStep::Example;
        if (ans == 2) {
            rs_.nobs = 2;
            return DialogStep::LoopHead;
        }
        return DialogStep::End;
    }
    switch (ans) {
    case 0: return DialogStep::Example;
    case 1: rs_.nobs = 1; return DialogStep::LoopHead;
    case 2: return DialogStep::LoopHead;
    case 3: return DialogStep::Continue;
    default: return DialogStep::End;
    }
}

}  // namespace lunarfix
