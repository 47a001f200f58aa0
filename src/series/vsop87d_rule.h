// The VSOP87D evaluation rule shared by every series function of lunarfix.
// Internal to src/series: included by the body units, which include the
// generated coefficient files vsop87d_<body>.inc after it.
//
// A coordinate is S = S0 + S1*Tau + ... + S5*Tau^5.  Each block sum Sk
// starts at +0.0 and takes the block's terms in published order:
//   periodic term (A, B, C):  Sk = cost(C*x + B)*A + Sk
//     (C*x formed first, then B added; cost takes the cosine of radians);
//   constant term of phase 0: Sk = A + Sk;
//   constant term of phase pi: Sk = Sk - A  (no cosine for either).
// The powers come by repeated multiplication and the blocks combine as
//   ((((S1*x + S0) + S2*x2) + S3*x3) + S4*x4) + S5*x5,
// every operation a separately rounded double operation (the build forbids
// contraction into fused multiply-adds).
//
// Each term is one statement with its coefficients as inline constants: no
// table exists at run time.  Each line of a vsop87d_<body>.inc file expands
// through the macros below into the statement of its term; the block sums
// must be in scope as locals S0 to S5 and the argument as x.
//
// Reference: P. Bretagnon and G. Francou, Astron. Astrophys. 202, 309
// (1988); J. Meeus, Astronomical Algorithms, 2nd ed., ch. 32.
#ifndef LUNARFIX_SERIES_VSOP87D_RULE_H
#define LUNARFIX_SERIES_VSOP87D_RULE_H

#include "foundations/foundations.h"

#define VSOP87D_COS(k, A, B, C) S##k = ::lunarfix::cost((C) * x + (B)) * (A) + S##k;
#define VSOP87D_ADD(k, A) S##k = (A) + S##k;
#define VSOP87D_SUB(k, A) S##k = S##k - (A);

namespace lunarfix {
namespace vsop87d {

/* rtd: degrees per radian of the planet series, the double nearest 180/pi
 * (r2d0 of the foundations). */
constexpr double rtd = r2d0;

/* combine: five blocks (a series without block 5, as the Earth's
 * latitude): ((((S1 x + S0) + S2 x2) + S3 x3) + S4 x4).
 *   x       Tau, Julian millennia
 *   s0..s4  block sums
 *   returns the coordinate in the unit of the blocks */
inline double combine(double x, double s0, double s1, double s2, double s3,
                      double s4) {
    const double x2 = x * x;
    const double x3 = x2 * x;
    const double x4 = x3 * x;
    double s = s1 * x + s0;
    s = s + s2 * x2;
    s = s + s3 * x3;
    return s + s4 * x4;
}

/* combine: the sum of six blocks, S0 + S1 x + ... + S5 x^5, in the fixed
 * order ((((S1 x + S0) + S2 x2) + S3 x3) + S4 x4) + S5 x5: the five-block
 * sum, then block 5 with x5 = x4 x formed by the same chain of products.
 *   x       Tau, Julian millennia
 *   s0..s5  block sums
 *   returns the coordinate in the unit of the blocks */
inline double combine(double x, double s0, double s1, double s2, double s3,
                      double s4, double s5) {
    const double x5 = x * x * x * x * x;  // (((x x) x) x) x
    return combine(x, s0, s1, s2, s3, s4) + s5 * x5;
}

}  // namespace vsop87d
}  // namespace lunarfix

#endif  // LUNARFIX_SERIES_VSOP87D_RULE_H
