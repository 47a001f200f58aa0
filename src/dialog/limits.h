// The limits of the dialog's automatic cycle and of its intercept lines.
//
// The automatic cycle (iterate to a converged fix, clear the lunar distance
// again at the corrected clock, recompute both sights) runs without the
// navigator; these limits say when it hands the run back to him, and the
// intercept limits say from which intercept on a screen reports an error of
// the measured values instead of a position line.
#ifndef LUNARFIX_DIALOG_LIMITS_H
#define LUNARFIX_DIALOG_LIMITS_H

namespace lunarfix {

// Clearings of the lunar distance in one later lunar-distance pass at the
// most: each clears at the clock the one before corrected, and the pass
// ends after this many even when the clock still moves.
constexpr int kMaxClearings = 10;

// Lunar-distance passes since the result menu last read an answer, beyond
// which a converged result menu reads the navigator's answer again (the
// 31st pass hands the run back).
constexpr int kPassesBeforeMenuReads = 30;

// Iterate steps in a row without convergence after which the result menu
// stops the automatic cycle and asks the navigator: position lines that do
// not settle would otherwise be iterated without end.
constexpr int kMaxIterations = 50;

// Intercepts (nautical miles) from which on a screen shows
// " ==> !!!  Error in the measured values !!! " instead of the position
// line.  The two screens have different limits: 1999 on the result screen
// of every sight, 999 on the screen of the renewed second sight before a
// fix (an intercept of 999 to 1999 miles thus passes the sight screen and
// is reported only when the fix is made from it).
constexpr double kSightInterceptLimit = 1999.0;
constexpr double kRenewedInterceptLimit = 999.0;

}  // namespace lunarfix

#endif
