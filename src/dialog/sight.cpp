// One sight inside the dialog: its inputs from the run state, the
// ephemeris, the reduction at the assumed position, the sextant altitude
// corrections and the intercept, and the store of its results in the run
// state and its remembered inputs.
#include "dialog/sight.h"

#include <cmath>

#include "dialog/remembered_inputs.h"
#include "ephemeris/ephemeris.h"
#include "foundations/foundations.h"
#include "navigation/navcalc.h"

namespace lunarfix {

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
        x.idstar = star_place(in.iterq, in.idstar, in.DeltaTT, in.year,
                              in.month, in.day, in.hour, in.min, in.sec,
                              &x.dec, &x.gha, &x.ghaa, &x.ra, &x.sha);
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

    x.hdif = (x.ho - x.hc) * 60.0;
    *r = x;
}

int star_place(int iterq, int idstar, double DeltaTT, int year, int month,
               int day, int hour, int min, int sec, double* dec, double* gha,
               double* ghaa, double* ra, double* sha) {
    const int star = (idstar >= 0 && idstar <= 57) ? idstar : 58;
    const int used = starseph(iterq, star, DeltaTT, year, month, day, hour,
                              min, sec, dec, gha, ghaa, ra, sha);
    return used < 0 ? 58 : used;
}

void sight_rereduce(double lat, double lon, SightResult* r) {
    HcAz(lat, lon, r->dec, r->gha, &r->lha, &r->hc, &r->az);
    r->hdif = (r->ho - r->hc) * 60.0;
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
        rs->HPaMOON = r.hpa / 60.0;
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


} // namespace lunarfix
