// Ranges of the values the navigator types and the dialog remembers.
//
// Each value the computations take has a range outside which it cannot
// come from a sextant, a clock or a barometer, and where the formulas stop
// meaning anything (a refraction for an altitude below the sea, an index
// error of ten degrees, a lunar distance beyond the opposite point of the
// sky).  A typed value outside its range is refused with one line naming
// the field and its range, and the question is asked again with its default
// unchanged; a remembered value outside its range is replaced by the
// built-in default with one line naming the file and the field.
#ifndef LUNARFIX_DIALOG_RANGES_H
#define LUNARFIX_DIALOG_RANGES_H

namespace lunarfix {

/* ValueRange: the range of one value.
 *   name   the field as the messages name it ("Month")
 *   lo, hi the ends of the range, in the unit of the value
 *   open   1: the ends themselves lie outside (lo < x < hi); 0: inside
 *   text   the range as the messages show it ("from 1 to 12") */
struct ValueRange {
    const char* name;
    double lo, hi;
    int open;
    const char* text;
};

/* The ranges of the dialog's values. */
extern const ValueRange kYearRange;        // -1999 .. 5999 (the year clamp)
extern const ValueRange kMonthRange;       // 1 .. 12
extern const ValueRange kDayRange;         // 1 .. 31
extern const ValueRange kHourRange;        // 0 .. 23 (typed)
extern const ValueRange kMinuteRange;      // 0 .. 59 (typed)
extern const ValueRange kSecondRange;      // 0 .. 59 (typed)
extern const ValueRange kClockRange;       // -24 h .. +48 h (read back)
extern const ValueRange kLatitudeRange;    // -90 .. 90 deg
extern const ValueRange kLongitudeRange;   // -180 .. 180 deg
extern const ValueRange kIndexRange;       // -600' .. +600'
extern const ValueRange kEyeRange;         // 0 .. 40 m (the clamp)
extern const ValueRange kSextantRange;     // -10 .. 120 deg
extern const ValueRange kDistanceRange;    // above 0, below 180 deg
extern const ValueRange kTemperatureRange; // -80 .. +60 C
extern const ValueRange kPressureRange;    // 0 .. 1200 hPa
extern const ValueRange kDeltaTRange;      // -1000 .. 6000 s (the clamp)
extern const ValueRange kCourseRange;      // -360 .. 360 deg
extern const ValueRange kSpeedRange;       // -2000 .. 2000 kn or nm

/* in_range: 1 when x is a finite number inside r, else 0. */
int in_range(const ValueRange& r, double x);

/* clamped: x limited to the ends of r (the clamps of the year and the
 * height of eye); a NaN stays NaN. */
double clamped(const ValueRange& r, double x);

/* typed_refused: the check of a typed value.
 *   r   its range
 *   x   the value as the reader gave it
 *   returns 0 when x is accepted; 1 after the line
 *   " !!! <name> must be <text>: asked again" when x lies outside r, is
 *   not finite, or the line typed held a number that is not finite (the
 *   readers then keep the default, which must not pass as the answer).
 * Notes: in automatic mode nothing is typed and nothing is refused. */
int typed_refused(const ValueRange& r, double x);

/* remembered_ok: the check of a value read from a remembered-input file.
 *   file  the file's name, for the message
 *   r     the value's range
 *   x     the value read
 *   returns 1 when x lies in r; else 0 after the line
 *   " !!! <file>: <name> must be <text>; built-in default taken". */
int remembered_ok(const char* file, const ValueRange& r, double x);

} // namespace lunarfix

#endif
