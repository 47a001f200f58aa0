// Dialog driver: the loop over the steps, the start-up screens, the
// restart from the first sight, and the closing screen.  The steps of one
// sight are in sight_loop.cpp, the lunar-distance pass in
// lunar_distance_pass.cpp, the fix, the result screen and its menu in
// fix_and_result_menu.cpp.
#include "dialog/dialog.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "dialog/remembered_inputs.h"
#include "foundations/console_io.h"
#include "foundations/foundations.h"
#include "foundations/textfile.h"

namespace lunarfix {

namespace {

// The built-in year whose Delta T look-up makes sure the prediction file
// exists before the first screen.
constexpr int kBuiltInYear = 2017;

// The program's files in the working directory.
const char* const kProgramFiles[3] = {kPredictionFile, kFirstSightFile,
                                      kSecondSightFile};

// Age in seconds above which a temporary file of a save is taken for the
// leftover of a run that was cut short (a save takes milliseconds).
constexpr long kStaleTemporary = 3600;

// Resets one of the program's files: removes it where a save would write it
// (a regular file whose owner may write it, see examine_name).  A name
// that is something else is left as it is, with one line saying why; a
// missing name is nothing to reset.  `failed` is the line for a file that
// could not be removed.
void reset_file(const char* name, const char* failed) {
    switch (examine_name(name, nullptr)) {
    case NameKind::Free:
        return;
    case NameKind::NotPlain:
        conprintf(" !!! file %s is not a plain file, left as it is\n", name);
        return;
    case NameKind::WriteProtected:
        conprintf(" !!! file %s is WRITE PROTECTED, left as it is\n", name);
        return;
    case NameKind::Writable:
        if (::unlink(name) == 0 || errno == ENOENT) return;
        break;
    case NameKind::Unseen:
        break;
    }
    conputs(failed);
}

}  // namespace

Dialog::Dialog(ConsoleReaders* rd) : rd_(rd) {}

/* run: the whole dialog as a loop over its steps.
 * Notes: when a read meets the end of input the run stops at the next
 *   step boundary: one line says so and the closing screen follows; nothing
 *   is saved beyond what earlier steps wrote.  A stop answer read just
 *   before the input ended is still carried out.
 *   Exit status: 2 when a remembered-input file was not saved (its latest
 *   write failed) or the screens could not all be written out; otherwise 1
 *   when the input ended before the run did; otherwise 0. */
int Dialog::run() { return run_from(DialogStep::Title); }

int Dialog::run_from(DialogStep first) {
    DialogStep s = first;
    bool cut_short = false;
    while (s != DialogStep::Exit) {
        s = step(s);
        if (console().ended && s != DialogStep::End &&
            s != DialogStep::Exit && s != DialogStep::Stop) {
            conputs("\n !!! Input ended: the run stops here, nothing more "
                    "is saved.");
            s = DialogStep::End;
            cut_short = true;
        }
    }
    const bool shown = console_output_ok();
    if (rs_.unsaved != 0 || !shown) return 2;
    return cut_short ? 1 : 0;
}

DialogStep Dialog::step(DialogStep s) {
    switch (s) {
    case DialogStep::Title: return title();
    case DialogStep::ResetFiles: return reset_files();
    case DialogStep::LoopHead: return loop_head();
    case DialogStep::Example: return example();
    case DialogStep::Date: return date();
    case DialogStep::Time: return time();
    case DialogStep::EarthConditionsScreen: return earth_conditions();
    case DialogStep::Latitude: return latitude();
    case DialogStep::Longitude: return longitude();
    case DialogStep::Summary: return summary();
    case DialogStep::Body: return body();
    case DialogStep::IndexCorrection: return index_correction();
    case DialogStep::HeightOfEye: return height_of_eye();
    case DialogStep::SextantAltitude: return sextant_altitude();
    case DialogStep::SightComputation: return sight_computation();
    case DialogStep::SightResultScreen: return sight_result_screen();
    case DialogStep::EphemeridesScreen: return ephemerides_screen();
    case DialogStep::SightMenu: return sight_menu();
    case DialogStep::Continue: return continue_step();
    case DialogStep::Renewing: return renewing();
    case DialogStep::Fix: return fix();
    case DialogStep::LunarResult: return lunar_result();
    case DialogStep::ResultMenu: return result_menu();
    case DialogStep::Iterate: return iterate();
    case DialogStep::LunarDistancePass: return lunar_distance_pass();
    case DialogStep::Stop: return stop();
    case DialogStep::End: return end();
    case DialogStep::Exit: return DialogStep::Exit;
    }
    return DialogStep::End;
}

// ---------------------------------------------------------------------------
// Restart from the first sight.

/* restart: the run goes back to the first sight, out of automatic mode, so
 * that the navigator sees and may change every input again.  A whole
 * restart also forgets the clock correction and the lunar distance: the
 * next lunar-distance pass is a first pass again (one clearing, the
 * corrected clock shown and waited for) and asks for the limb, the side and
 * the distance anew, and the side answer given then decides afresh whether
 * the notice of an overruled side is shown.  A restart of the sights only
 * keeps them: after a sight whose azimuth is no azimuth the sights are
 * taken again, but the lunar distance measured and the clock it corrected
 * still stand. */
DialogStep Dialog::restart(RestartScope scope) {
    rs_.iterq = 0;
    rs_.nobs = 1;
    if (scope == RestartScope::WholeRun) {
        rs_.timezero = 0;
        rs_.initluna = 0;
    }
    return DialogStep::LoopHead;
}

/* failed_restart: a computation gave no usable number (no solution for the
 * given altitudes and distance).  The reason is shown, the navigator hits
 * ENTER, and the whole run starts again from the first sight. */
DialogStep Dialog::failed_restart(const char* why) {
    conprintf("\n !!! ERROR: %s\n", why);
    conputs(" Check the sextant values; hit ENTER to restart!");
    rd_->pause();
    return restart(RestartScope::WholeRun);
}

// ---------------------------------------------------------------------------
// Screen pieces shared by the steps.

/* split_dm: a position in decimal degrees as whole degrees and decimal
 * minutes with the sign of the value (a zero minute part is written +0). */
void Dialog::split_dm(double x, int* deg, double* min) {
    int im = 0;
    double sm = 0.0, ss = 0.0;
    cxangle(x, deg, &im, &sm, &ss);
    *min = sm + 0.0;
}

void Dialog::deltat_line() { conprintf(" Delta-T : %.2f sec\n", rs_.DeltaTT); }

// ---------------------------------------------------------------------------
// Start-up.

DialogStep Dialog::title() {
    rs_ = RunState();
    start_reports();
    sweep_stale_temporaries(kProgramFiles, 3, kStaleTemporary);
    delta0x(kBuiltInYear);
    rd_->skip(25);
    static const char* const lines[] = {
        " LUNAR DISTANCE for Sextanting. V13 ",
        " ~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~ ",
        " Determine position of a ship at sea",
        " by LUNAR DISTANCE to other celestial bodies.",
        " Aproximate Date, Time & Position is required,",
        " and precise Sextant result for Lunar Distance.",
        " Sextant-height of Moon & second body needed,",
        " expected in degrees and angular minutes,",
        " Degrees positive for NORTH and EAST,",
        " negative for SOUTH and WEST.",
        " Three Sextant-values determine position & time.",
        "   WARNING: There may be more than one solution.",
        " The values are entered one after the other.",
        " The program remembers the input-values.",
        " PROGRAM-Details: ",
        " a) Enter Date, Time and Position, and then",
        "    1. and 2. observation by sextant.",
        " b) Enter Lunar Distance. (Time auto-adjusted).",
        " c) Finally auto-iteration until convergence.",
        " (Delta-T prediction from file moondist0x0.txt).\n",
    };
    for (const char* l : lines) conputs(l);
    return DialogStep::ResetFiles;
}

/* The reset questions.  Each answer is one typed line whose first character
 * counts (a pause reads a line and keeps its first character). */
DialogStep Dialog::reset_files() {
    conprintf("  To RESET files 0x1,0x2 enter: '1' ==>");
    int c = rd_->pause();
    if (c == '1' || c == 'R' || c == 'r') {
        conputs(" OK, + RESETTiNG files 0x1 and 0x2.txt");
        reset_file(kFirstSightFile,
                   " !!! file moondist0x1.txt possibly PROTECTED");
        reset_file(kSecondSightFile,
                   " !!! file moondist0x2.txt possibly PROTECTED");
        conprintf("  To RESET file 0x0 enter: '2' ) ==>");
        c = rd_->pause();
        if (c == '2' || c == 'X' || c == 'x') {
            conputs(" OK, + RESETTiNG file 0x0.txt");
            reset_file(kPredictionFile,
                       " !!! file moondist0x0.txt is WRITE PROTECTED");
        } else {
            conputs(" OK, - No RESET of file 0x0.txt");
        }
    } else {
        conputs(" OK, - No RESET of files 0x0,0x1,0x2.txt");
    }
    conputs("            ... hit ENTER to continue: ");
    rd_->pause();
    rs_.nobs = 1;
    return DialogStep::LoopHead;
}

// ---------------------------------------------------------------------------
// Closing screen.

DialogStep Dialog::end() {
    static const char* const lines[] = {
        " ",
        " Computations follow Jean Meeus,",
        " Astronomical Algorithms, 2nd ed. 1998. Data:",
        " Earth,Planets: VSOP87D; Stars: FK5-catalog.",
        " Nutation Model IAU1980. Moon-precision:",
        " LEA-406b by S.M.Kudryavtsev (2007); Delta-T:",
        " Stephenson, Morrison & Hohenkerk (2016).",
        " Precision about +- 1'',years 1800-2200.",
        " ",
        " lunarfix: ship's position and clock time",
        " from a lunar distance and two sights.",
    };
    for (const char* l : lines) conputs(l);
    if (rs_.unsaved != 0) {
        std::string names;
        unsaved_names(rs_.unsaved, &names);
        conprintf(" !!! not saved: %s\n", names.c_str());
    }
    conputs("\n           --- END ---");
    rd_->pause();
    return DialogStep::Exit;
}

}  // namespace lunarfix
