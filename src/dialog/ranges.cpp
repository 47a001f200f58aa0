#include "dialog/ranges.h"

#include <cmath>

#include "dialog/console.h"

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
const ValueRange kDeltaTRange = {"Delta_T", -1000.0, 6000.0, 0,
                                 "from -1000 to 6000 sec"};
const ValueRange kCourseRange = {"Course", -360.0, 360.0, 0,
                                 "from -360 to 360 deg"};
// The run of the assumed position is reported as an error beyond 2000
// nautical miles.
const ValueRange kSpeedRange = {"Velocity", -2000.0, 2000.0, 0,
                                "from -2000 to 2000"};

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

int typed_refused(const ValueRange& r, double x) {
    ConsoleReaders& rd = readers();
    if (rd.automatic()) return 0;
    if (in_range(r, x) && !rd.typed_nonfinite()) return 0;
    conprintf(" !!! %s must be %s: asked again\n", r.name, r.text);
    return 1;
}

int remembered_ok(const char* file, const ValueRange& r, double x) {
    if (in_range(r, x)) return 1;
    conprintf(" !!! %s: %s must be %s; built-in default taken\n", file,
              r.name, r.text);
    return 0;
}

} // namespace lunarfix
