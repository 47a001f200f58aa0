// Ranges of the values the navigator types and the dialog remembers.
//
// Each value the computations take has a range outside which it cannot
// come from a sextant, a clock or a barometer, and where the formulas stop
// meaning anything (a refraction for an altitude below the sea, an index
// error of ten degrees, a lunar distance beyond the opposite point of the
// sky).  A typed value outside its range is refused with one line naming
// the field and its range, and the question is asked again with its default
// unchanged; so is a typed answer that holds text where numbers are asked.
// A remembered value outside its range is replaced by the built-in default
// with one line naming the file and the field.
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
extern const ValueRange kStarRange;        // 0 .. 57 (the star number)

/* Answers of which any number is taken; they name the field and what to
 * type in the line that refuses text. */
extern const ValueRange kDateLine;         // "Date", three numbers
extern const ValueRange kTimeLine;         // "Time-UTC", three numbers
extern const ValueRange kLimbAnswer;       // 1 NEAR, 2 FAR
extern const ValueRange kSideAnswer;       // 1 EAST, 2 WEST
extern const ValueRange kChoiceAnswer;     // a menu choice

/* body_fits: 1 when code is a body that sight nobs can take: the first
 * sight the Moon (2 or 3), the second any other body (0, 1, 4 to 8);
 * else 0.
 *   nobs  1 first sight, 2 second sight
 *   code  BodyCode */
int body_fits(int nobs, int code);

/* body_range: the body codes of sight nobs, for the lines that refuse an
 * unfit code ("Body must be 2 or 3 (the Moon)"). */
const ValueRange& body_range(int nobs);

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
 *   readers then keep the default, which must not pass as the answer) or
 *   text (ConsoleReaders::typed_text()).  For a hemisphere letter typed
 *   with degrees and minutes the line is instead
 *   " !!! Type south latitudes and west longitudes with a minus sign: -33 20",
 *   for degrees with a fraction typed with minutes
 *   " !!! Type degrees and minutes (-33 30) or decimal degrees alone
 *   (-33.5): asked again", for a third number (seconds)
 *   " !!! Type seconds as decimal minutes (48 7 30 is 48 7.5): asked
 *   again", for minutes of 60 or more
 *   " !!! <name> minutes must be below 60 in size: asked again".
 * Notes: in automatic mode nothing is typed and nothing is refused; a
 *   line that a screen read in automatic mode all the same is checked for
 *   text. */
int typed_refused(const ValueRange& r, double x);

/* typed_text_refused: the check of a typed answer of which any number is
 * taken (a value clamped or wrapped afterwards, a choice): as
 * typed_refused, but only text and numbers that are not finite are
 * refused. */
int typed_text_refused(const ValueRange& r);

/* TypedCheck: what ask_number refuses besides text and numbers that are
 * not finite: InRange also a value outside the range, TextOnly nothing
 * more. */
enum class TypedCheck { TextOnly, InRange };

/* typed_checked_refused: typed_refused (check InRange) or
 * typed_text_refused (TextOnly). */
int typed_checked_refused(const ValueRange& r, double x, TypedCheck check);

/* typed_one_refused: the check of an answer that is one number: a line
 * holding more than one number ("2,5" at a token reader, which takes a
 * comma for a separator; "1 5", "1 013") is refused after the line
 * " !!! <name> is one number: type a decimal point (2.5): asked again"
 * (for a code answer of which any number is taken, such as the limb,
 * " !!! <name> is one number: asked again"); otherwise as
 * typed_checked_refused, text refused first.
 *   r      the field and its range
 *   x      the value as the reader gave it
 *   check  which of the two checks follows */
int typed_one_refused(const ValueRange& r, double x, TypedCheck check);

/* typed_unfit_refused: as typed_refused, with the caller's own verdict on
 * the value in place of the range check.
 *   r     names the field and the values it takes, for the line
 *   fits  1 when the value is one the question takes, else 0 */
int typed_unfit_refused(const ValueRange& r, int fits);

/* remembered_ok: the check of a value read from a remembered-input file.
 *   file  the file's name, for the message
 *   r     the value's range
 *   x     the value read
 *   returns 1 when x lies in r; else 0 after the line
 *   " !!! <file>: <name> must be <text>; built-in default taken". */
int remembered_ok(const char* file, const ValueRange& r, double x);

/* remembered_fits: as remembered_ok, with the caller's verdict fits (1:
 * the value is one the field takes) in place of the range check. */
int remembered_fits(const char* file, const ValueRange& r, int fits);

/* ask_number: one real number asked (lies1) until an answer is taken.
 *   question  text printed before the default each time the question is
 *             asked (it may end in a line end)
 *   liesdf    how lies1 shows the default
 *   def       default, offered unchanged every time
 *   r, check  the refusal (typed_one_refused: a second number on the
 *             line, then typed_refused or typed_text_refused)
 *   returns the number taken: def for ENTER, at end of input and in
 *   automatic mode. */
double ask_number(const char* question, int liesdf, double def,
                  const ValueRange& r, TypedCheck check);

} // namespace lunarfix

#endif
