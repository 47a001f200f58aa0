#include "dialog/sight.h"

#include "ephemeris/ephemeris.h"
#include "foundations/foundations.h"
#include "dialog/console.h"
#include "navigation/navcalc.h"
#include "dialog/remembered_inputs.h"
#include "dialog/star_selection.h"

#include <cmath>

namespace lunarfix {

namespace {

// StarIndex of Polaris, whose hour angle is shown in degrees and decimal
// minutes.
constexpr int kPolaris = 43;

// cxangle for a value that may lie outside its domain (|w| < 2^31): an
// absurd typed value is shown clamped instead of overflowing the int parts;
// NaN shows as 0.
void dms(double w, int* ig, int* im, double* sm, double* ss) {
    const double lim = 2147483647.0;
    if (std::isnan(w)) w = 0.0;
    if (w >= lim) w = std::nextafter(lim, 0.0);
    if (w <= -lim) w = -std::nextafter(lim, 0.0);
    cxangle(w, ig, im, sm, ss);
}

// Degrees and decimal minutes of w, to be printed with ndec decimals of
// the minutes.
void dm(double w, int ndec, int* ig, double* sm) {
    int im = 0;
    double ss = 0.0;
    dms(w, ig, &im, sm, &ss);
    cxround(ndec, ig, nullptr, sm);
}

// Degrees, whole minutes and decimal seconds of w, to be printed with ndec
// decimals of the seconds.
void dmsec(double w, int ndec, int* ig, int* im, double* ss) {
    double sm = 0.0;
    dms(w, ig, im, &sm, ss);
    cxround(ndec, ig, im, ss);
}

} // namespace

SightInput sight_input(const RunState& rs, double hs) {
    SightInput in;
    const SightRecord& w = rs.work;
    in.year = w.year;
    in.month = w.month;
    in.day = w.day;
    in.hour = w.hour;
    in.min = w.min;
    in.sec = w.sec;
    in.iur = w.iur;
    in.idstar = w.idstar;
    in.DeltaTT = rs.DeltaTT;
    in.moonpar = rs.moonpar;
    in.iterq = rs.iterq;
    in.nobs = rs.nobs;
    if (rs.nobs == 1) {
        in.lat = rs.latitude1;
        in.lon = rs.longitude1;
    } else {
        in.lat = rs.latitude2;
        in.lon = rs.longitude2;
    }
    in.hs = hs;
    in.indb = rs.indb;
    in.aug = rs.aug;
    in.temperature = rs.temperature;
    in.pressure = rs.pressure;
    return in;
}

void sight_compute(const SightInput& in, SightResult* r) {
    SightResult x;

    // The Sun first: its right ascension serves the equation of time and its
    // JDE the ephemerides screen, whatever the body.
    double hpsun = 0.0, sdsun = 0.0;
    suneph(in.DeltaTT, in.year, in.month, in.day, in.hour, in.min, in.sec,
           &x.dec, &x.gha, &x.ghaa, &x.ra, &hpsun, &sdsun, &x.jde);
    x.ra_sun = x.ra;
    x.hp = hpsun;
    x.sd = sdsun;
    x.idstar = in.idstar;

    if (in.iur == 2 || in.iur == 3) {
        double hpm = 0.0, sdm = 0.0;
        mooneph(in.moonpar, in.DeltaTT, in.year, in.month, in.day, in.hour,
                in.min, in.sec, &x.dec, &x.gha, &x.ghaa, &x.ra, &hpm, &sdm);
        x.hp = hpm;
        x.sd = sdm;
    } else if (in.iur >= 4 && in.iur <= 7) {
        double hpp = 0.0;
        planeteph(in.iur, in.DeltaTT, in.year, in.month, in.day, in.hour,
                  in.min, in.sec, &x.dec, &x.gha, &x.ghaa, &x.ra, &hpp);
        x.hp = hpp;
        x.sd = 0.0;
    } else if (in.iur == 8) {
        int star = (in.idstar >= 0 && in.idstar <= 57) ? in.idstar : 58;
        x.idstar = starseph(in.iterq, star, in.DeltaTT, in.year, in.month,
                            in.day, in.hour, in.min, in.sec, &x.dec, &x.gha,
                            &x.ghaa, &x.ra, &x.sha);
        if (x.idstar < 0) x.idstar = 58;
        x.hp = 0.0;
        x.sd = 0.0;
    }

    // Reduction at the assumed position (the corrections need the azimuth).
    HcAz(in.lat, in.lon, x.dec, x.gha, &x.lha, &x.hc, &x.az);

    double ho = BESCHICKUNG(1, in.iur, in.lat, x.az, in.hs, in.indb,
                            in.temperature, in.pressure, in.aug, x.sd, x.hp,
                            &x.hpa, &x.dip, &x.refr, &x.sda, &x.corr);
    // The observed altitude keeps its sign: a body whose centre stands
    // below the true horizon (a low limb seen from a height of eye) gives an
    // intercept measured from there, not from its mirror image above it.
    x.ho = ho;
    // Apparent altitude of the centre: the limb carried to the centre with
    // the same limb sign as in the altitude corrections (an upper limb lies
    // a semi-diameter above the centre).
    x.happ = in.hs + in.indb / 60.0 - x.dip / 60.0 +
             limb_sign(in.iur) * x.sda / 60.0;

    HcAz(in.lat, in.lon, x.dec, x.gha, &x.lha, &x.hc, &x.az);
    x.hdif = (x.ho - x.hc) * 60.0;
    *r = x;
}

void sight_rereduce(double lat, double lon, SightResult* r) {
    HcAz(lat, lon, r->dec, r->gha, &r->lha, &r->hc, &r->az);
    r->hdif = (r->ho - r->hc) * 60.0;
}

void sight_result_screen(const RunState& rs, const SightInput& in,
                         const SightResult& r) {
    const SightRecord& w = rs.work;
    int ig = 0, im = 0;
    double sm = 0.0, ss = 0.0;

    skip(25);
    conputs(" Sextanting by LUNAR DISTANCE ");
    conprintf(" ~~~~~~~~~~~ [%d.] Observation ~~~~~~~~~~~~~\n\n", in.nobs);
    conprintf(" Year: %d   Month: %d   Day: %d\n", w.year, w.month, w.day);
    conprintf(" Time-UTC:  %d h %d min %d sec \n", w.hour, w.min, w.sec);
    conprint_dm(" Latitude:  %d deg %.2f' \n", w.latd, w.latmf);
    conprint_dm(" Longitude: %d deg %.2f' \n", w.lond, w.lonmf);
    conprintf(" Index corr. Ic: %.2f'  Height of eye: %.2fm \n", in.indb,
              in.aug);
    dm(in.hs, 2, &ig, &sm);
    conprintf(" Sextant viewed: Hs= %d deg %3.2f'\n", ig, sm);
    dm(r.happ, 2, &ig, &sm);
    conprintf(" Sextant appar.: Ha= %d deg %3.2f'\n", ig, sm);
    dm(r.ho, 2, &ig, &sm);
    conprintf(" Sextant corr. : Ho= %d deg %3.2f'\n", ig, sm);
    dm(r.hc, 2, &ig, &sm);
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
    dmsec(r.hc, 2, &ig, &im, &ss);
    conprintf("                 Hc= %d deg %d' %.2f''\n", ig, im, ss);
    if (r.hdif < 0.0) {
        conprintf(" ==> Position = %6.2f miles, away from star\n", r.hdif);
    } else if (r.hdif < 1999.0) {
        conprintf(" ==> Position = %6.2f miles closer to star\n", r.hdif);
    } else {
        // Also an intercept that is not a number.
        conprintf(" ==> !!!  Error in the measured values !!! \n");
    }
    conprintf(" ==> Azimut   = %6.2f degrees\n", r.az);
    conputs(" ~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~");
    conprintf("     ... hit ENTER to continue ");
    if (in.iterq != 1 && !readers().automatic()) readers().pause();
}

void sight_store(RunState* rs, const SightInput& in, const SightResult& r) {
    if (in.iur == 8) rs->work.idstar = r.idstar;
    rs->hdif = r.hdif;
    rs->az0 = r.az;
    if (in.nobs == 1) {
        rs->HMc = r.ho;
        rs->HMapp = r.happ;
        rs->AZM = r.az;
        rs->SDamoon = r.sda;
        note_save(rs, kFirstSightUnsaved, WriteFirstSightMemory(*rs));
        rs->sight1 = rs->work;
        rs->hdif1 = r.hdif;
        rs->azim1 = r.az;
    } else {
        rs->HSc = r.ho;
        rs->HSapp = r.happ;
        rs->AZS = r.az;
        note_save(rs, kSecondSightUnsaved, WriteSecondSightMemory(*rs, 0));
        rs->sight2 = rs->work;
        rs->azim2 = r.az;
    }
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

void ephemerides_screen(RunState* rs, const SightInput& in,
                        const SightResult& r) {
    int ig = 0, im = 0;
    double sm = 0.0, ss = 0.0;

    conputs("\n EPHEMERIDES of celestial object:");
    conprintf(" ============ JDE = %.7f ============\n", r.jde);

    dmsec(r.gha, 2, &ig, &im, &ss);
    switch (in.iur) {
    case 0:
    case 1:
        conprintf(" GHA of SUN = %d deg %d' %.2f''\n", ig, im, ss);
        break;
    case 2:
    case 3:
        conprintf(" GHA of MOON = %d deg %d' %.2f''\n", ig, im, ss);
        break;
    case 4:
        conprintf(" GHA of VENUS = %d deg %d' %.2f''\n", ig, im, ss);
        break;
    case 5:
        conprintf(" GHA of MARS = %d deg %d' %.2f''\n", ig, im, ss);
        break;
    case 6:
        conprintf(" GHA of JUPITER = %d deg %d' %.2f''\n", ig, im, ss);
        break;
    case 7:
        conprintf(" GHA of SATURN = %d deg %d' %.2f''\n", ig, im, ss);
        break;
    case 8:
        conprintf(" GHA_STAR%s", star_long_name(r.idstar));
        if (r.idstar == kPolaris) {
            dm(r.gha, 2, &ig, &sm);
            conprintf("= %d deg %.2f'\n", ig, sm);
        } else {
            conprintf("= %d deg %d' %.2f''\n", ig, im, ss);
        }
        break;
    default:
        break;
    }
    conprintf(" GHA (dec.) = %.8f deg \n", r.gha);
    dmsec(r.lha, 2, &ig, &im, &ss);
    conprintf(" LHA ship  = %d deg %d' %.2f''\n", ig, im, ss);

    conprintf(" Declination = %.8f deg\n", r.dec);
    dmsec(r.dec, 2, &ig, &im, &ss);
    conprintf(" Declination = %d deg %d' %.2f''\n", ig, im, ss);

    const double ra = norm360(r.ra);
    conprintf(" Rectascension = %.8f deg \n", ra);
    dmsec(ra / 15.0, 2, &ig, &im, &ss);
    conprintf(" Rectascension = %d hour %d m %.2f s\n", ig, im, ss);

    if (in.iur == 8) {
        dmsec(norm360(r.sha), 2, &ig, &im, &ss);
        conprintf(" SHA (star)= %d deg %d' %.2f'' \n", ig, im, ss);
    }

    conprintf(" GAST (appar. Sid.Time) = %.8f deg \n", r.ghaa);
    dmsec(r.ghaa, 2, &ig, &im, &ss);
    conprintf(" GAST = 'Aries'         =  %d deg %d' %.2f'' \n", ig, im, ss);
    dmsec(rs->GMST0, 2, &ig, &im, &ss);
    conprintf(" GMST  (mean Sid.Time)  =  %d deg %d' %.2f'' \n", ig, im, ss);

    const double eot = equ_of_time(in.hour, in.min, in.sec, r.ghaa, r.ra_sun);
    int em = 0;
    double es = 0.0;
    equation_of_time_parts(eot, &em, &es);
    conprintf(" EoT= %dm %.2fs;   DELTA-T = %.2f sec(+-1)\n", em, es,
              in.DeltaTT);

    conprintf(" delta_psi=%.2f''; delta_eps=%.2f''\n", rs->nut_dpsi * 3600.0,
              rs->nut_deps * 3600.0);
    conprintf(" Ecliptic Obliquity eps=%.8f deg\n", rs->nut_eps);

    int ia = 0, io = 0, ic = 0;
    double ma = 0.0, mo = 0.0, mc = 0.0;
    dm(r.happ, 1, &ia, &ma);
    dm(r.ho, 1, &io, &mo);
    dm(r.hc, 1, &ic, &mc);
    conprintf(" Sext.: Ha=%dd%.1f' Ho=%dd%.1f' Hcalc=%dd%.1f'\n", ia, ma, io, mo,
              ic, mc);
    conprintf(" S_Correction= %.2f'; Index= %.2f' SDa=%.2f'\n", r.corr, in.indb,
              r.sda);
    conprintf(" Dip= %.2f' Refr= %.2f' HP= %.2f'[max:%.2f]\n", r.dip, r.refr,
              r.hpa, r.hp);
    conputs(" Precision:+-1''");
    conputs(" ==============================================");

    if (in.nobs == 1) rs->HPaMOON = r.hpa / 60.0;
}

} // namespace lunarfix
