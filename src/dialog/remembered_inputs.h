// Remembered inputs of the two sights: the plain text files moondist0x1.txt
// (the Moon sight, the earth conditions and, after a stop, the measured
// lunar distance) and moondist0x2.txt (the second sight, with the course
// and speed of the ship) in the working directory.
//
// Each file holds one record of numbers, one group per line, with no
// header; the line breaks carry no meaning when the file is read back.
// Files are written whole: into a new temporary file of a unique name,
// which then replaces the file in one step (see save_whole).  A file that
// cannot be written, is write protected or is not a regular file is
// reported by one line on the console, the first time in the run, and the
// run goes on without it; a file that is there but cannot be read is
// reported likewise and kept: the run takes the built-in defaults and never
// writes it.
#ifndef LUNARFIX_DIALOG_REMEMBERED_INPUTS_H
#define LUNARFIX_DIALOG_REMEMBERED_INPUTS_H

#include "dialog/run_state.h"

#include <string>

namespace lunarfix {

/* File names, in the working directory. */
extern const char* const kFirstSightFile;   // "moondist0x1.txt"
extern const char* const kSecondSightFile;  // "moondist0x2.txt"

/* FirstSightMemory: the record of moondist0x1.txt, by line.
 *   1  sight.year, month, day                       "%d %d %d \n"
 *   2  sight.hour, min, sec                         "%d %d %d \n"
 *   3  sight.latd, latmf (deg, decimal arcmin)      "%d %f \n"
 *   4  sight.lond, lonmf                            "%d %f \n"
 *   5  sight.iur, idstar                            "%d %d \n"
 *   6  sight.had, hamf, seconds (written 0)         "%d %f %d \n"
 *   7  indb (arcmin), aug (m)                       "%f %f \n"
 *   8  hdif (nm), az0 (deg), third (carried)        "%f %f %f \n"
 *   9  temperature (deg C), pressure (hPa)          "%f %f \n"
 *  10  LD_limb (deg), signdist (+1 E, -1 W)         "%f %d \n"
 *      (a file of nine lines, as earlier versions wrote, leaves LD_limb
 *      and signdist as they were) */
struct FirstSightMemory {
    SightRecord sight;
    double indb, aug;
    double hdif, az0, third;
    double temperature, pressure;
    double LD_limb;
    int signdist;
};

/* SecondSightMemory: the record of moondist0x2.txt: lines 1 to 8 as above
 * (line 7 is read but not used by the dialog), then
 *   9  kursav (deg), velav (knots; negative: distance run, nm)  "%f %f \n" */
struct SecondSightMemory {
    SightRecord sight;
    double indb, aug;
    double hdif, az0, third;
    double kursav, velav;
};

/* read_first_sight_memory: reads a first-sight file.
 *   path  file name
 *   m     record (in: the values in force; out: the values read)
 *   returns 1 when the file was read; 0 when the name is missing or is not
 *   a regular file; -1 when a regular file is there but cannot be read (no
 *   read permission, a read error).  *m is untouched unless 1.
 * Notes: the numbers are taken in the order of the lines, any white space
 *   between them; from the end of the file or the first text that is not a
 *   number of the expected kind (an integer beyond the int range and a
 *   real that is infinite or NaN count as such), nothing more is assigned
 *   and the remaining fields keep their values.  The seconds of line 6 are
 *   read and dropped.
 * Reference: ISO/IEC 9899:2011, 7.21.6.2 (formatted input: %d, %lf and
 *   white-space directives). */
int read_first_sight_memory(const char* path, FirstSightMemory* m);

/* read_second_sight_memory: the same for a second-sight file (9 lines). */
int read_second_sight_memory(const char* path, SecondSightMemory* m);

/* write_first_sight_memory: writes a first-sight file.
 *   path     file name
 *   m        record
 *   nlines   9, or 10 to add the lunar-distance line
 *   returns 1 when written; 0 after a one-line message naming the file
 *   (the first time in the run, see first_report).
 * Notes: written whole through a new temporary file (save_whole); a file
 *   that is write protected or is not a regular file is left alone.
 * Reference: ISO/IEC 9899:2011, 7.21.6.1 (%d and %f conversions) and
 *   7.21.4.2 (rename). */
int write_first_sight_memory(const char* path, const FirstSightMemory& m,
                             int nlines);

/* write_second_sight_memory: writes a second-sight file.
 *   path      file name
 *   m         record
 *   bare_end  1: lines 8 and 9 end without the blank ("%f %f %f\n",
 *             "%f %f\n"), the form written when the file was missing;
 *             0: every line ends in a blank
 *   returns 1 when written; 0 after a one-line message naming the file. */
int write_second_sight_memory(const char* path, const SecondSightMemory& m,
                              int bare_end);

/* --- The operations of the dialog on its run state ------------------- */

/* ReadFirstSightMemory: moondist0x1.txt into the working record rs->work,
 * rs->indb, rs->aug, rs->hdif, rs->az0, rs->hthird, rs->temperature,
 * rs->pressure, rs->LD_limb and rs->signdist (fields not found keep their
 * values).  Returns 1 when the file was present, 0 when missing.
 * Notes: a value outside its range (dialog/ranges.h) is replaced by the
 *   built-in default, with one line naming the file and the field.  The
 *   clock may lie from -24 h to +48 h of its date, its minutes and seconds
 *   with the hour's sign (a corrected clock may cross midnight while the
 *   date stays).  A body code that the sight cannot take (the first
 *   sight the Moon, 2 or 3; the second any other body) is replaced in the
 *   same way; the star index is left to the catalogue. */
int ReadFirstSightMemory(RunState* rs);

/* ReadSecondSightMemory: moondist0x2.txt into rs->work, rs->hdif, rs->az0,
 * rs->hthird, rs->kursav and rs->velav; line 7 is read and dropped.
 * Returns 1, 0 or -1 as ReadFirstSightMemory.  Values outside their ranges are
 * replaced as by ReadFirstSightMemory (course within +-360 deg, speed or
 * distance run within +-2000). */
int ReadSecondSightMemory(RunState* rs);

/* WriteFirstSightMemory: moondist0x1.txt, lines 1 to 10, from the working
 * values (rs->work, indb, aug, hdif, az0, hthird, temperature, pressure,
 * LD_limb, signdist): the form written when the file is missing and after
 * each computed first sight.  Returns 1 when written, 0 after the failure
 * message (or at once for a file kept in this run, see rs.kept). */
int WriteFirstSightMemory(const RunState& rs);

/* WriteSecondSightMemory: moondist0x2.txt, lines 1 to 9.
 *   created  1: the file was missing: written from rs.sight2 with the date,
 *            time and position of rs.sight1, lines 8 and 9 without their
 *            trailing blank; 0: after a computed second sight, from the
 *            working values (rs.work, indb, aug, hdif, az0, hthird, kursav,
 *            velav).
 * Returns 1 when written, 0 after the failure message (or at once for a
 * file kept in this run). */
int WriteSecondSightMemory(const RunState& rs, int created);

/* WriteStopMemory: the stop choice of the result menu.  Writes
 * moondist0x1.txt with ten lines (working date; the first sight's time,
 * position, body with the working star index and sextant altitude; indb,
 * aug; 0, azim1, 0; temperature, pressure; LD_limb, signdist) and, once it
 * is in place, prints "\n>> fixed: write moondist0x1.txt "; then writes
 * moondist0x2.txt likewise from the second sight (0, azim2, 0; kursav,
 * velav) and prints ">> fixed: write moondist0x2.txt ".  A file that could
 * not be written gets the failure line instead of its "fixed" line (the
 * first time in the run); a file kept in this run is not written and gets
 * neither.
 * Returns the files not written, as kFirstSightUnsaved | kSecondSightUnsaved
 * bits (0 when both were written). */
int WriteStopMemory(const RunState& rs);

/* Bits of RunState::unsaved (the files whose latest write failed) and of
 * RunState::kept (the files found unreadable, not written in this run). */
constexpr int kFirstSightUnsaved = 1;   // moondist0x1.txt
constexpr int kSecondSightUnsaved = 2;  // moondist0x2.txt

/* note_save: records the outcome of a write in rs->unsaved.
 *   rs        run state
 *   file_bit  kFirstSightUnsaved or kSecondSightUnsaved
 *   written   the writer's result: 1 written (the bit is cleared), 0 not
 *             written (the bit is set) */
void note_save(RunState* rs, int file_bit, int written);

/* unsaved_names: the names of the files in the bits `unsaved`, separated
 * by one blank, into *names (empty for 0). */
void unsaved_names(int unsaved, std::string* names);

} // namespace lunarfix

#endif
