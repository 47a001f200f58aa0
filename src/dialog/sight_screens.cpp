// The screens of one sight: the sight result screen, the EPHEMERIDES
// screen, and the heading and angle lines the dialog's screens share.
#include "dialog/sight_screens.h"

#include <cmath>

#include "dialog/console.h"
#include "dialog/limits.h"
#include "dialog/star_selection.h"
#include "foundations/console_io.h"
#include "foundations/foundations.h"

namespace lunarfix {

namespace {

// StarIndex of Polaris, whose hour angle is shown in degrees and decimal
// minutes.
constexpr int kPolaris = 43;

// cxangle for a value that may lie outside its domain (|w| < 2^31): an
// absurd typed value is shown clamped instead of overflowing the int parts;
// NaN shows as 0.
void shown_angle(double w, int* ig, int* im, double* sm, double* ss) {
    const double lim = 2147483647.0;
    if (std::isnan(w)) w = 0.0;
    if (w >= lim) w = std::nextafter(lim, 0.0);
    if (w <= -lim) w = -std::nextafter(lim, 0.0);
    cxangle(w, ig, im, sm, ss);
}

} // namespace

void observation_line(int nobs, HeadingForm form) {
    conprintf(form == HeadingForm::Prompt
                  ? " ~~~~~~~~~~~ [%d.] Observation ~~~~~~~~~~~~~ \n\n"
                  : " ~~~~~~~~~~~ [%d.] Observation ~~~~~~~~~~~~~\n\n",
              nobs);
}

void observation_heading(int nobs, HeadingForm form) {
    conputs(" Sextanting by LUNAR DISTANCE ");
    observation_line(nobs, form);
}

void date_line(const SightRecord& w) {
    conprintf(" Year: %d   Month: %d   Day: %d\n", w.year, w.month, w.day);
}

void time_line(const SightRecord& w) {
    conprintf(" Time-UTC:  %d h %d min %d sec \n", w.hour, w.min, w.sec);
}

void position_lines(const SightRecord& w, MinutesField field) {
    const bool padded = field == MinutesField::Padded;
    conprint_dm(padded ? " Latitude:  %d deg %5.2f' \n"
                       : " Latitude:  %d deg %.2f' \n",
                w.latd, w.latmf);
    conprint_dm(padded ? " Longitude: %d deg %5.2f' \n"
                       : " Longitude: %d deg %.2f' \n",
                w.lond, w.lonmf);
}

void sight_data_lines(const SightRecord& w, double indb, double aug) {
    date_line(w);
    time_line(w);
    position_lines(w, MinutesField::Free);
    conprintf(" Index corr. Ic: %.2f'  Height of eye: %.2fm \n", indb, aug);
}

void intercept_line(double hdif, const char* body, double limit) {
    if (hdif < 0.0) {
        conprintf(" ==> Position = %6.2f miles, away from %s\n", hdif, body);
    } else if (hdif < limit) {
        conprintf(" ==> Position = %6.2f miles closer to %s\n", hdif, body);
    } else {
        // Also an intercept that is not a number.
        conprintf(" ==> !!!  Error in the measured values !!! \n");
    }
}

void altitude_line(const char* label, double h) {
    int ig = 0;
    double sm = 0.0;
    shown_dm(h, 2, &ig, &sm);
    conprintf("%s %d deg %3.2f'\n", label, ig, sm);
}

void shown_dm(double w, int ndec, int* ig, double* sm) {
    int im = 0;
    double ss = 0.0;
    shown_angle(w, ig, &im, sm, &ss);
    cxround(ndec, ig, nullptr, sm);
}

void shown_dms(double w, int ndec, int* ig, int* im, double* ss) {
    double sm = 0.0;
    shown_angle(w, ig, im, &sm, ss);
    cxround(ndec, ig, im, ss);
}

void sight_result_screen(const RunState& rs, const SightInput& in,
                         const SightResult& r) {
    const SightRecord& w = rs.work;
    int ig = 0, im = 0;
    double sm = 0.0, ss = 0.0;

    skip(25);
    observation_heading(in.nobs, HeadingForm::Sextant);
    sight_data_lines(w, in.indb, in.aug);
    altitude_line(" Sextant viewed: Hs=", in.hs);
    altitude_line(" Sextant appar.: Ha=", r.happ);
    altitude_line(" Sextant corr. : Ho=", r.ho);
    shown_dm(r.hc, 2, &ig, &sm);
    if (in.iur == 0 || in.iur == 1) {
        conprintf(" Sext. calculat: Hc= %d deg %3.2f' SUN_%d\n", ig, sm, in.iur);
    } else if (in.iur == 2 || in.iur == 3) {
        conprintf(" Sext. calculat: Hc= %d deg %3.2f' Moon_%d\n", ig, sm, in.iur);
    } else if (in.iur >= 4 && in.iur <= 7) {
        conprintf(" Sext. calculat: Hc= %d deg %3.2f' Planet_%d\n", ig, sm,
                  in.iur);
    } else if (in.iur == 8) {
        conprintf(" Sext. calculat. Hc= %d deg %3.2f' Star_%d\n", ig, sm,
                  r.idstar);
    }
    shown_dms(r.hc, 2, &ig, &im, &ss);
    conprintf("                 Hc= %d deg %d' %.2f''\n", ig, im, ss);
    intercept_line(r.hdif, "star", kSightInterceptLimit);
    conprintf(" ==> Azimut   = %6.2f degrees\n", r.az);
    conputs(" ~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~");
    conprintf("     ... hit ENTER to continue ");
    if (in.iterq != 1 && !readers().automatic()) readers().pause();
}

void equation_of_time_parts(double eot_hours, int* m, double* s) {
    // Whole minutes of the whole value (for an equation of time within an
    // hour these are the minutes of its sexagesimal split).
    // Seconds shown with two decimals carry into the minutes.
    double minutes = eot_hours * 60.0;
    int mm = trunc_int(minutes);
    double sec = (minutes - mm) * 60.0;
    cxround(2, &mm, nullptr, &sec);
    if (mm != 0) sec = std::fabs(sec);
    if (sec == 0.0) sec = 0.0;  // no negative zero
    *m = mm;
    *s = sec;
}

void ephemerides_screen(const RunState& rs, const SightInput& in,
                        const SightResult& r) {
    int ig = 0, im = 0;
    double sm = 0.0, ss = 0.0;

    conputs("\n EPHEMERIDES of celestial object:");
    conprintf(" ============ JDE = %.7f ============\n", r.jde);

    shown_dms(r.gha, 2, &ig, &im, &ss);
    // The body by its code: Sun and Moon for either limb, then the planets.
    static const char* const kBodyNames[8] = {
        "SUN", "SUN", "MOON", "MOON", "VENUS", "MARS", "JUPITER", "SATURN"};
    if (in.iur >= 0 && in.iur <= 7) {
        conprintf(" GHA of %s = %d deg %d' %.2f''\n", kBodyNames[in.iur], ig,
                  im, ss);
    } else if (in.iur == 8) {
        conprintf(" GHA_STAR%s", star_long_name(r.idstar));
        if (r.idstar == kPolaris) {
            shown_dm(r.gha, 2, &ig, &sm);
            conprintf("= %d deg %.2f'\n", ig, sm);
        } else {
            conprintf("= %d deg %d' %.2f''\n", ig, im, ss);
        }
    }
    conprintf(" GHA (dec.) = %.8f deg \n", r.gha);
    shown_dms(r.lha, 2, &ig, &im, &ss);
    conprintf(" LHA ship  = %d deg %d' %.2f''\n", ig, im, ss);

    conprintf(" Declination = %.8f deg\n", r.dec);
    shown_dms(r.dec, 2, &ig, &im, &ss);
    conprintf(" Declination = %d deg %d' %.2f''\n", ig, im, ss);

    const double ra = norm360(r.ra);
    conprintf(" Rectascension = %.8f deg \n", ra);
    shown_dms(ra / 15.0, 2, &ig, &im, &ss);
    conprintf(" Rectascension = %d hour %d m %.2f s\n", ig, im, ss);

    if (in.iur == 8) {
        shown_dms(norm360(r.sha), 2, &ig, &im, &ss);
        conprintf(" SHA (star)= %d deg %d' %.2f'' \n", ig, im, ss);
    }

    conprintf(" GAST (appar. Sid.Time) = %.8f deg \n", r.ghaa);
    shown_dms(r.ghaa, 2, &ig, &im, &ss);
    conprintf(" GAST = 'Aries'         =  %d deg %d' %.2f'' \n", ig, im, ss);
    shown_dms(rs.GMST0, 2, &ig, &im, &ss);
    conprintf(" GMST  (mean Sid.Time)  =  %d deg %d' %.2f'' \n", ig, im, ss);

    const double eot = equ_of_time(in.hour, in.min, in.sec, r.ghaa, r.ra_sun);
    int em = 0;
    double es = 0.0;
    equation_of_time_parts(eot, &em, &es);
    conprintf(" EoT= %dm %.2fs;   DELTA-T = %.2f sec(+-1)\n", em, es,
              in.DeltaTT);

    conprintf(" delta_psi=%.2f''; delta_eps=%.2f''\n", rs.nut_dpsi * 3600.0,
              rs.nut_deps * 3600.0);
    conprintf(" Ecliptic Obliquity eps=%.8f deg\n", rs.nut_eps);

    int ia = 0, io = 0, ic = 0;
    double ma = 0.0, mo = 0.0, mc = 0.0;
    shown_dm(r.happ, 1, &ia, &ma);
    shown_dm(r.ho, 1, &io, &mo);
    shown_dm(r.hc, 1, &ic, &mc);
    conprintf(" Sext.: Ha=%dd%.1f' Ho=%dd%.1f' Hcalc=%dd%.1f'\n", ia, ma, io, mo,
              ic, mc);
    conprintf(" S_Correction= %.2f'; Index= %.2f' SDa=%.2f'\n", r.corr, in.indb,
              r.sda);
    conprintf(" Dip= %.2f' Refr= %.2f' HP= %.2f'[max:%.2f]\n", r.dip, r.refr,
              r.hpa, r.hp);
    conputs(" Precision:+-1''");
    conputs(" ==============================================");
}


} // namespace lunarfix
