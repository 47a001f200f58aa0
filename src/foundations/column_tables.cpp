// Readers of the fixed-column text tables: a table is an array of rows of
// W characters stored one after another; a field is an inclusive,
// zero-based column range of one row, read as a number.  A field that does
// not begin with a number (after leading blanks) reads 0.
#include "foundations/foundations.h"

#include <climits>
#include <cstdlib>

namespace lunarfix {

namespace {

// Field buffer: at most 99 characters and the terminating NUL.
constexpr int kFieldMax = 99;

// Copies columns ka..ke of row jz of a table of rows of width W into str0
// (NUL terminated).  Columns at or beyond W read as the end of the row.
template <int W>
void copy_field(const char (*arr)[W], int jz, int ka, int ke,
                char (&str0)[kFieldMax + 1]) {
    int kdif = ke + 1 - ka;
    if (kdif < 0) kdif = 0;
    if (kdif > kFieldMax) kdif = kFieldMax;
    int n = 0;
    for (int i = 0; i < kdif; ++i) {
        const int col = ka + i;
        if (col < 0 || col >= W) break;  // past the row: end of field
        const char ch = arr[jz][col];
        if (ch == '\0') break;
        str0[n++] = ch;
    }
    str0[n] = '\0';
}

// The standard text-to-double conversion; no number gives 0.
double to_real(const char* s) {
    return std::strtod(s, nullptr);
}

// The standard text-to-int conversion; no number gives 0, and a number
// beyond the int range is held at the nearest int.
int to_int(const char* s) {
    const long v = std::strtol(s, nullptr, 10);
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

} // namespace

/* iarr35 - integer field of a table of 35-character rows.
 *   arr      table rows
 *   jz       row index, from 0
 *   ka, ke   first and last column of the field, inclusive, from 0
 *   returns  the integer at the start of the field (after blanks); 0 when
 *            the field is blank, empty (ke < ka) or begins with no number
 * Notes: the conversion stops at the first character that cannot continue
 * the number (a blank, a sign, a NUL), so a field may share its last
 * column with the next field.  Used for the nutation multipliers and the
 * integer nutation coefficients. */
int iarr35(const char (*arr)[35], int jz, int ka, int ke) {
    char str0[kFieldMax + 1];
    copy_field<35>(arr, jz, ka, ke, str0);
    return to_int(str0);
}

/* farr35 - real field of a table of 35-character rows.
 *   arr, jz, ka, ke  as iarr35; ke may reach column 35, the end of the row
 *   returns          the real number at the start of the field; 0 when
 *                    there is none
 * Notes: used for the rate coefficients of the nutation terms. */
double farr35(const char (*arr)[35], int jz, int ka, int ke) {
    char str0[kFieldMax + 1];
    copy_field<35>(arr, jz, ka, ke, str0);
    return to_real(str0);
}

/* yarr35 - real field of a table of 35-character rows.
 *   arr, jz, ka, ke  as farr35
 *   returns          the real number at the start of the field; 0 when
 *                    there is none
 * Notes: used for the years and values of the Delta T table. */
double yarr35(const char (*arr)[35], int jz, int ka, int ke) {
    return farr35(arr, jz, ka, ke);
}

/* farr60 - real field of a table of 60-character rows.
 *   arr, jz, ka, ke  as farr35, for rows of 60 characters
 *   returns          the real number at the start of the field; 0 when
 *                    there is none
 * Notes: used for the star catalogue. */
double farr60(const char (*arr)[60], int jz, int ka, int ke) {
    char str0[kFieldMax + 1];
    copy_field<60>(arr, jz, ka, ke, str0);
    return to_real(str0);
}

} // namespace lunarfix
