#include "dialog/ranges.h"

#include <cfloat>
#include <cmath>

#include "dialog/console.h"
#include "foundations/console_io.h"
#include "foundations/foundations.h"

namespace lunarfix {

// The year keeps the limits of the date prompt's clamp; the clock read back
// may lie a day before or two days after 0 h of its date, because a clock
// corrected by a lunar distance can cross midnight while the date stays.
const ValueRange kYearRange = {"Year", -1999.0, 5999.0, 0, "from -1999 to 5999"};
const ValueRange kMonthRange = {"Month", 1.0, 12.0, 0, "from 1 to 12"};
const ValueRange kDayRange = {"Day", 1.0, 31.0, 0, "from 1 to 31"};
const ValueRange kHourRange = {"Hour", 0.0, 23.0, 0, "from 0 to 23"};
const ValueRange kMinuteRange = {"Minute", 0.0, 59.0, 0, "from 0 to 59"};
const ValueRange kSecondRange = {"Second", 0.0, 59.0, 0, "from 0 to 59"};
const ValueRange kClockRange = {"Time-UTC", -24.0, 48.0, 0,
                                "from -24 h to +48 h"};
const ValueRange kLatitudeRange = {"Latitude", -90.0, 90.0, 0,
                                   "from -90 to 90 deg"};
const ValueRange kLongitudeRange = {"Longitude", -180.0, 180.0, 0,
                                    "from -180 to 180 deg"};
// An index error of ten degrees is no longer an error of the instrument.
const ValueRange kIndexRange = {"Index correction", -600.0, 600.0, 0,
                                "from -600' to +600'"};
const ValueRange kEyeRange = {"Height of eye", 0.0, 40.0, 0,
                              "from 0 to 40 m"};
// Below -10 deg no horizon is seen; above 120 deg the reading is taken
// from the opposite horizon and the altitude corrections do not hold.
const ValueRange kSextantRange = {"Sextant altitude", -10.0, 120.0, 0,
                                  "from -10 to 120 deg"};
const ValueRange kDistanceRange = {"Lunar distance", 0.0, 180.0, 1,
                                   "above 0 and below 180 deg"};
// The refraction scale is taken from the temperature and pressure of the
// air at the sea surface.
const ValueRange kTemperatureRange = {"Temperature", -80.0, 60.0, 0,
                                      "from -80 to +60 C"};
const ValueRange kPressureRange = {"Pressure", 0.0, 1200.0, 0,
                                   "from 0 to 1200 hPa"};
const ValueRange kDeltaTRange = {"Delta_T", kDeltaTLeast, kDeltaTMost, 0,
                                 "from -1000 to 6000 sec"};
const ValueRange kCourseRange = {"Course", -360.0, 360.0, 0,
                                 "from -360 to 360 deg"};
// The run of the assumed position is reported as an error beyond 2000
// nautical miles.
const ValueRange kSpeedRange = {"Velocity", -2000.0, 2000.0, 0,
                                "from -2000 to 2000"};

const ValueRange kStarRange = {"Star number", 0.0, 57.0, 0, "from 0 to 57"};

// Any finite number is taken by these answers.
const ValueRange kDateLine = {"Date", -DBL_MAX, DBL_MAX, 0,
                              "numbers (Year Month Day)"};
const ValueRange kTimeLine = {"Time-UTC", -DBL_MAX, DBL_MAX, 0,
                              "numbers (Hour Min. Sec.)"};
const ValueRange kLimbAnswer = {"Limb of Moon", -DBL_MAX, DBL_MAX, 0,
                                "1 (NEAR) or 2 (FAR)"};
const ValueRange kSideAnswer = {"Side of Moon", -DBL_MAX, DBL_MAX, 0,
                                "1 (EAST) or 2 (WEST)"};
const ValueRange kChoiceAnswer = {"Choice", -DBL_MAX, DBL_MAX, 0,
                                  "a number"};

namespace {

// The body codes of each sight (body_fits decides).
const ValueRange kMoonBody = {"Body", 2.0, 3.0, 0, "2 or 3 (the Moon)"};
const ValueRange kOtherBody = {"Body", 0.0, 8.0, 0,
                               "0, 1 or 4 to 8 (not the Moon)"};

// The line that refuses a typed answer.
void refusal_line(const ValueRange& r) {
    const int text = readers().typed_text();
    if (text == ConsoleReaders::kHemisphereLetter)
        conputs(" !!! Type south latitudes and west longitudes with a minus "
                "sign: -33 20");
    else if (text == ConsoleReaders::kDegreesWithFraction)
        conputs(" !!! Type degrees and minutes (-33 30) or decimal degrees "
                "alone (-33.5): asked again");
    else if (text == ConsoleReaders::kSeconds)
        conputs(" !!! Type seconds as decimal minutes (48 7 30 is 48 7.5): "
                "asked again");
    else if (text == ConsoleReaders::kMinutesOf60)
        conprintf(" !!! %s minutes must be below 60 in size: asked again\n",
                  r.name);
    else
        conprintf(" !!! %s must be %s: asked again\n", r.name, r.text);
}

} // namespace

int body_fits(int nobs, int code) {
    const bool moon = code == 2 || code == 3;
    if (nobs == 1) return moon ? 1 : 0;
    return (code >= 0 && code <= 8 && !moon) ? 1 : 0;
}

const ValueRange& body_range(int nobs) {
    return nobs == 1 ? kMoonBody : kOtherBody;
}

int in_range(const ValueRange& r, double x) {
    if (!std::isfinite(x)) return 0;
    if (r.open) return (x > r.lo && x < r.hi) ? 1 : 0;
    return (x >= r.lo && x <= r.hi) ? 1 : 0;
}

double clamped(const ValueRange& r, double x) {
    if (x < r.lo) return r.lo;
    if (x > r.hi) return r.hi;
    return x;
}

int typed_unfit_refused(const ValueRange& r, int fits) {
    ConsoleReaders& rd = readers();
    // Only a line actually read carries these marks.
    const bool no_number = rd.typed_text() != ConsoleReaders::kNoText ||
                           rd.typed_nonfinite() != 0;
    if (!no_number && (fits || rd.automatic())) return 0;
    refusal_line(r);
    return 1;
}

int typed_refused(const ValueRange& r, double x) {
    return typed_unfit_refused(r, in_range(r, x));
}

int typed_text_refused(const ValueRange& r) {
    return typed_unfit_refused(r, 1);
}

int typed_checked_refused(const ValueRange& r, double x, TypedCheck check) {
    return check == TypedCheck::InRange ? typed_refused(r, x)
                                        : typed_text_refused(r);
}

int typed_one_refused(const ValueRange& r, double x, TypedCheck check) {
    if (typed_text_refused(r)) return 1;
    if (readers().typed_numbers() > 1) {
        // A quantity may have been typed with a decimal comma or a blank
        // inside; a code answer (any number taken) has no fraction.
        const bool quantity = r.lo > -DBL_MAX;
        conprintf(" !!! %s is one number%s: asked again\n", r.name,
                  quantity ? ": type a decimal point (2.5)" : "");
        return 1;
    }
    return typed_checked_refused(r, x, check);
}

int remembered_fits(const char* file, const ValueRange& r, int fits) {
    if (fits) return 1;
    conprintf(" !!! %s: %s must be %s; built-in default taken\n", file,
              r.name, r.text);
    return 0;
}

int remembered_ok(const char* file, const ValueRange& r, double x) {
    return remembered_fits(file, r, in_range(r, x));
}

double ask_number(const char* question, int liesdf, double def,
                  const ValueRange& r, TypedCheck check) {
    ConsoleReaders& rd = readers();
    double x = def;
    for (;;) {
        conprintf("%s", question);
        rd.lies1(liesdf, def, &x);
        if (!typed_one_refused(r, x, check)) break;
        x = def;
        if (console().ended) break;
    }
    return x;
}

} // namespace lunarfix
