// Star selection screen and the two name lists of the catalogue stars.
#ifndef LUNARFIX_DIALOG_STAR_SELECTION_H
#define LUNARFIX_DIALOG_STAR_SELECTION_H

namespace lunarfix {

/* Number of entries of a star name list: the 58 catalogue stars by
 * StarIndex (alphabetical; 43 is Polaris), entry 58 the DUMMY entry that
 * stands for a refused answer, entry 59 one blank. */
constexpr int kStarNames = 60;

/* kStarShortNames: the short form, as written in the 12-character columns
 * of the selection screen ("33=Hamal", "58=DUMMY"); at most 19 characters. */
extern const char kStarShortNames[kStarNames][20];

/* kStarLongNames: the long form that the dialog prints with a star's
 * results (" 33 > Hamal", " 43 > POLARIS"); at most 19 characters. */
extern const char kStarLongNames[kStarNames][20];

/* star_short_name, star_long_name: entry idstar of a name list; an index
 * outside 0..59 gives the DUMMY entry (58). */
const char* star_short_name(int idstar);
const char* star_long_name(int idstar);

/* starlist: the star selection screen.
 *   iterq   automatic-mode flag: 0 interactive, any other value automatic
 *   idstar  StarIndex offered as default
 *   returns the chosen StarIndex, 0 to 57.
 * Notes:
 *   1) The screen lists the 58 stars and the DUMMY entry in three columns
 *      and reads the number of the star (parsenth, token 1; ENTER keeps the
 *      default; an answer holding text is refused with one line and the
 *      number asked again).  A number outside 0..57 is echoed as
 *      "58=DUMMY", the default becomes 58 and the screen repeats, so ENTER
 *      alone does not leave it after a refusal.  An interactive answer is followed by a
 *      pause for one character.
 *   2) Automatic mode: nothing is read and there is no pause; the default
 *      is taken (the caller passes an index the screen accepted before).
 *   3) At end of input the screen cannot be answered any more: it returns
 *      the default when that is a star, else 0, without repeating.
 * Reference: The Nautical Almanac (HM Nautical Almanac Office / USNO), the
 *   57 selected navigational stars and Polaris. */
int starlist(int iterq, int idstar);

} // namespace lunarfix

#endif
