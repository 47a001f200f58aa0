// The console dialog that drives one run of lunarfix: title screen and reset
// questions, the Moon sight and the second sight, the lunar-distance pass
// with the time correction, the fix, the automatic iteration and the result
// screens, up to the closing screen.
//
// The dialog is a state machine over DialogStep: every step is one member
// function that does its work and returns the next step, and run() calls
// them one after the other in a plain loop, so a run of any length keeps a
// constant stack depth.
#ifndef LUNARFIX_DIALOG_DIALOG_H
#define LUNARFIX_DIALOG_DIALOG_H

#include <cmath>

#include "dialog/console.h"
#include "dialog/earth_conditions.h"
#include "dialog/ranges.h"
#include "dialog/run_state.h"
#include "dialog/sight.h"
#include "dialog/sight_screens.h"

namespace lunarfix {

class Dialog {
public:
    /* Dialog: a driver that reads and writes through the given console
     * readers (and the process console behind them). */
    explicit Dialog(ConsoleReaders* rd);

    /* run: the whole run, from the title screen to the closing screen.
     *   returns the exit status of the process: 0 after the closing screen
     *   when every remembered-input file was saved; 1 when the input ended
     *   before the run did; 2 when a remembered-input file was not saved
     *   (the closing screen names it) or the output could not be written.
     * Notes:
     *   1) When a read meets the end of input, the run stops at the next
     *      step: one line says so, the closing screen follows, and nothing
     *      more is saved.
     *   2) Numbers that no observation can give (a failed fix or clearing,
     *      a corrected clock outside -24 h .. +48 h of the date) are
     *      reported and the run
     *      starts again from the first sight; they never reach a screen or
     *      a file.
     *   3) After kMaxIterations (dialog/limits.h) Iterate steps without
     *      convergence the result menu asks the navigator how to go on.
     * Reference: the method of lunar distances (clearing by Young's
     *   formula, see Lunaclear) and the intercept method of St Hilaire;
     *   ephemerides after Meeus, Astronomical Algorithms, 2nd ed. (1998). */
    int run();

    /* step: carries out one step of the dialog.
     *   s        the step
     *   returns  the next step; Exit when the run is over. */
    DialogStep step(DialogStep s);

    /* run_from: the dialog from the given step on, as run() does from the
     * title screen.
     *   first    the first step
     *   returns  the exit status, as run(). */
    int run_from(DialogStep first);

    /* The run state, for inspection (and for tests that set up a step). */
    const RunState& state() const { return rs_; }
    RunState& mutable_state() { return rs_; }

    /* Counters of the run: lunar-distance passes, Iterate steps, fixes and
     * answers actually read at the result menu. */
    int passes() const { return n_passes_; }
    int iterations() const { return n_iterations_; }
    int fixes() const { return n_fixes_; }
    int menu_reads() const { return n_menu_reads_; }

private:
    // Start-up and closing screen (driver.cpp).
    DialogStep title();
    DialogStep reset_files();
    DialogStep end();

    // The sight loop (sight_loop.cpp).
    DialogStep loop_head();
    DialogStep example();
    DialogStep date();
    DialogStep time();
    DialogStep earth_conditions();
    DialogStep latitude();
    DialogStep longitude();
    DialogStep summary();
    DialogStep body();
    DialogStep index_correction();
    DialogStep height_of_eye();
    DialogStep sextant_altitude();
    DialogStep sight_computation();
    DialogStep sight_result_screen();
    DialogStep ephemerides_screen();
    DialogStep sight_menu();

    // From the second sight to the result menu (fix_and_result_menu.cpp).
    DialogStep continue_step();
    DialogStep renewing();
    DialogStep fix();
    DialogStep lunar_result();
    DialogStep result_menu();
    DialogStep iterate();
    DialogStep stop();

    // The lunar-distance pass (lunar_distance_pass.cpp).
    DialogStep lunar_distance_pass();

    // Helpers.
    void deltat_line();
    void screen_head(HeadingForm form);  // new screen, heading, date, time
    void ask_three(const char* question, const char* columns,
                   const ValueRange& line, const ValueRange* const ranges[3],
                   int* a, int* b, int* c);
    // ask_angle checks an answer for text only (the longitude, which is
    // wrapped onto the globe), or also that the angle lies in its range
    // (the latitude and the sextant altitude).
    void ask_angle(const char* question, int shown_deg, double shown_min,
                   const char* columns, int def_deg, double def_min,
                   const ValueRange& r, TypedCheck check, double* z1,
                   double* z2);
    static void split_dm(double x, int* deg, double* min);
    bool clearing(int kth, int ktm, int kts, double* t1);  // one clearing
    bool true_distance(int y, int mo, int d, int h, int mi, int sec,
                       double* ld, double* sdsun, int* idstar);
    double distance_rate(int y, int mo, int d, int h, int mi, int sec,
                         double now);
    const char* body_name() const;  // the second body, for the side notice

    // What a restart from the first sight forgets besides automatic mode:
    // the sights only, or with them the clock correction and the lunar
    // distance (see restart()).
    enum class RestartScope { SightsOnly, WholeRun };
    DialogStep restart(RestartScope scope);
    DialogStep failed_restart(const char* why);

    ConsoleReaders* rd_;
    RunState rs_;
    EarthconMemory earth_mem_;  // what the earth-conditions screen keeps
    SightInput in_;             // the sight computation in hand
    SightResult res_;
    SightRecord pos1_;          // the first sight's record as last computed
    SightInput in2_;            // the second sight as last computed
    SightResult res2_;
    SightResult renew_;         // the second sight reduced again for a fix
    double hs_ = 0.0;           // sextant altitude in hand, degrees
    double jde_last_ = 0.0;     // JDE of the last sight computation

    // Clock time (hours) of the latest clearing of the lunar-distance pass.
    double t0_ = 0.0;

    bool side_notice_shown_ = false;  // the side answer was overruled
    // Rate of the true distance at the latest clearing, degrees per hour
    // (NaN before the first); the result screen judges a slow lunar by it.
    double ld_rate_ = std::nan("");

    int seq_iterations_ = 0;  // Iterate steps since the fix last converged
    int n_passes_ = 0, n_iterations_ = 0, n_fixes_ = 0, n_menu_reads_ = 0;
};

} // namespace lunarfix

#endif
