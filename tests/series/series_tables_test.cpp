// The generated VSOP87D coefficient files: block sizes, constant terms and
// their places, first periodic terms, smallest amplitudes and other telling
// rows as the published series has them, the properties every row must
// have, and the term digests recorded by the generator.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "series/sha256.h"
#include "series/vsop87d_rows.h"
#include "test_support.h"

namespace {

using lunarfix_test::Coordinate;
using lunarfix_test::Row;
using lunarfix_test::coordinate_rows;
using lunarfix_test::kAdd;
using lunarfix_test::kCos;
using lunarfix_test::kSub;

/* One block as the published series gives it: size, the place (from 1,
 * 0 for none) and signed value of its constant term, its first periodic
 * term and its smallest amplitude. */
struct BlockSpec {
    const char* body;
    char coord;
    int k;
    int terms;
    int const_place;
    double const_value;
    double A, B, C;
    double smallest;
};

const BlockSpec kBlocks[] = {
    // Earth
    {"earth", 'L', 0, 559, 1, +1.75347045673, 0.03341656456, 4.66925680417, 6283.07584999140, 0.00000000039},
    {"earth", 'L', 1, 341, 1, +6283.31966747491, 0.00206058863, 2.67823455584, 6283.07584999140, 0.00000000021},
    {"earth", 'L', 2, 142, 1, +0.00052918870, 0.00008719837, 1.07209665242, 6283.07584999140, 0.00000000010},
    {"earth", 'L', 3, 22, 2, +0.00000034955, 0.00000289226, 5.84384198723, 6283.07584999140, 0.00000000005},
    {"earth", 'L', 4, 11, 1, -0.00000114084, 0.00000007717, 4.13446589358, 6283.07584999140, 0.00000000002},
    {"earth", 'L', 5, 5, 1, -0.00000000878, 0.00000000172, 2.76579069510, 6283.07584999140, 0.00000000005},
    {"earth", 'B', 0, 184, 61, -0.00000001039, 0.00000279620, 3.19870156017, 84334.66158130829, 0.00000000039},
    {"earth", 'B', 1, 99, 44, +0.00000000143, 0.00000009030, 3.89729061890, 5507.55323866740, 0.00000000018},
    {"earth", 'B', 2, 49, 0, 0.0, 0.00000001662, 1.62703209173, 84334.66158130829, 0.00000000009},
    {"earth", 'B', 3, 11, 0, 0.0, 0.00000000011, 0.23877262399, 7860.41939243920, 0.00000000006},
    {"earth", 'B', 4, 5, 0, 0.0, 0.00000000004, 0.79662198849, 6438.49624942560, 0.00000000003},
    {"earth", 'R', 0, 526, 1, +1.00013988799, 0.01670699626, 3.09846350771, 6283.07584999140, 0.00000000036},
    {"earth", 'R', 1, 292, 3, -0.00000702215, 0.00103018608, 1.10748969588, 6283.07584999140, 0.00000000019},
    {"earth", 'R', 2, 139, 3, -0.00000012341, 0.00004359385, 5.78455133738, 6283.07584999140, 0.00000000009},
    {"earth", 'R', 3, 27, 3, +0.00000000774, 0.00000144595, 4.27319435148, 6283.07584999140, 0.00000000005},
    {"earth", 'R', 4, 10, 0, 0.0, 0.00000003858, 2.56384387339, 6283.07584999140, 0.00000000003},
    {"earth", 'R', 5, 3, 0, 0.0, 0.00000000086, 1.21579741687, 6283.07584999140, 0.00000000001},
    // Venus
    {"venus", 'L', 0, 367, 1, +3.17614666774, 0.01353968419, 5.59313319619, 10213.28554621100, 0.00000000037},
    {"venus", 'L', 1, 215, 1, +10213.52943052898, 0.00095707712, 2.46424448979, 10213.28554621100, 0.00000000025},
    {"venus", 'L', 2, 70, 1, +0.00054127076, 0.00003891460, 0.34514360047, 10213.28554621100, 0.00000000013},
    {"venus", 'L', 3, 9, 3, +0.00000026023, 0.00000135742, 4.80389020993, 10213.28554621100, 0.00000000006},
    {"venus", 'L', 4, 5, 1, -0.00000114016, 0.00000003209, 5.20514170164, 20426.57109242200, 0.00000000023},
    {"venus", 'L', 5, 5, 1, -0.00000000874, 0.00000000117, 0.54643013000, 20426.57109242200, 0.00000000002},
    {"venus", 'B', 0, 210, 3, -0.00032814918, 0.05923638472, 0.26702775813, 10213.28554621100, 0.00000000040},
    {"venus", 'B', 1, 133, 4, +0.00000199162, 0.00513347602, 1.80364310797, 10213.28554621100, 0.00000000019},
    {"venus", 'B', 2, 59, 2, +0.00000281739, 0.00022377665, 3.38509143877, 10213.28554621100, 0.00000000010},
    {"venus", 'B', 3, 15, 2, -0.00000019952, 0.00000646671, 4.99166565277, 10213.28554621100, 0.00000000006},
    {"venus", 'B', 4, 5, 4, -0.00000000214, 0.00000014102, 0.31537190181, 10213.28554621100, 0.00000000004},
    {"venus", 'B', 5, 4, 2, +0.00000000039, 0.00000000239, 2.05201727566, 10213.28554621100, 0.00000000009},
    {"venus", 'R', 0, 330, 1, +0.72334820905, 0.00489824185, 4.02151832268, 10213.28554621100, 0.00000000026},
    {"venus", 'R', 1, 180, 3, -0.00000233998, 0.00034551039, 0.89198710598, 10213.28554621100, 0.00000000013},
    {"venus", 'R', 2, 63, 3, +0.00000013059, 0.00001406587, 5.06366395190, 10213.28554621100, 0.00000000008},
    {"venus", 'R', 3, 7, 3, -0.00000000112, 0.00000049582, 3.22263554520, 10213.28554621100, 0.00000000005},
    {"venus", 'R', 4, 3, 3, -0.00000000006, 0.00000000573, 0.92229697820, 10213.28554621100, 0.00000000006},
    {"venus", 'R', 5, 2, 0, 0.0, 0.00000000045, 0.30032866722, 10213.28554621100, 0.00000000002},
    // Mars
    {"mars", 'L', 0, 1217, 1, +6.20347711583, 0.186563681, 5.05037100303, 3340.6124266998, 3.6e-10},
    {"mars", 'L', 1, 686, 1, +3340.85627474342, 0.01458227051, 3.60426053609, 3340.6124266998, 2.4e-10},
    {"mars", 'L', 2, 310, 2, +0.00054187645, 0.00058015791, 2.04979463279, 3340.6124266998, 1.7e-10},
    {"mars", 'L', 3, 129, 6, +2.5994e-7, 1.482423e-5, 0.44434694876, 3340.6124266998, 1.1e-10},
    {"mars", 'L', 4, 36, 1, -1.13969e-6, 2.8725e-7, 5.63662412043, 6681.2248533996, 7e-11},
    {"mars", 'L', 5, 15, 2, -8.68e-9, 7.1e-9, 4.04089996521, 6681.2248533996, 1.2e-10},
    {"mars", 'B', 0, 441, 3, +0.00289104742, 0.03197134986, 3.76832042432, 3340.6124266998, 0.00000000036},
    {"mars", 'B', 1, 287, 2, -0.0001411603, 0.00350068845, 5.36847836211, 3340.6124266998, 0.00000000023},
    {"mars", 'B', 2, 130, 2, -0.00004986799, 0.0001672669, 0.60221392419, 3340.6124266998, 0.00000000015},
    {"mars", 'B', 3, 41, 2, +0.00000042611, 0.00000606506, 1.98050633529, 3340.6124266998, 0.00000000011},
    {"mars", 'B', 4, 11, 2, +0.00000013369, 0.00000011334, 3.45724352586, 3340.6124266998, 0.0000000001},
    {"mars", 'B', 5, 5, 5, +0.00000000007, 0.00000000457, 4.86794125358, 3340.6124266998, 0.00000000007},
    {"mars", 'R', 0, 1118, 1, +1.53033488276, 0.14184953153, 3.47971283519, 3340.6124266998, 5.4e-10},
    {"mars", 'R', 1, 596, 3, +0.000128772, 0.0110743334, 2.0325052495, 3340.6124266998, 3.5e-10},
    {"mars", 'R', 2, 313, 6, -5.2396e-07, 0.00044242247, 0.47930603943, 3340.6124266998, 2.4e-10},
    {"mars", 'R', 3, 111, 6, -4.693e-08, 1.113107e-05, 5.14987350142, 3340.6124266998, 1.6e-10},
    {"mars", 'R', 4, 28, 9, +1.48e-09, 1.9552e-07, 3.58211650473, 3340.6124266998, 1.1e-10},
    {"mars", 'R', 5, 9, 9, -1.2e-10, 4.76e-09, 2.47617204701, 6681.2248533996, 1.2e-10},
    // Jupiter
    {"jupiter", 'L', 0, 760, 1, +0.59954691495, 0.09695898711, 5.06191793105, 529.6909650946, 0.00000000076},
    {"jupiter", 'L', 1, 369, 1, +529.93480757497, 0.00489741194, 4.22066689928, 529.6909650946, 0.00000000072},
    {"jupiter", 'L', 2, 191, 3, +0.0003896555, 0.00047233598, 4.32148323554, 7.1135470008, 0.00000000086},
    {"jupiter", 'L', 3, 109, 9, +0.00000044378, 0.00006501665, 2.59862880482, 7.1135470008, 0.00000000075},
    {"jupiter", 'L', 4, 45, 3, -0.00000114019, 0.00000669483, 0.8528242109, 7.1135470008, 0.00000000075},
    {"jupiter", 'L', 5, 10, 7, -0.00000000845, 0.00000049577, 5.25658966184, 7.1135470008, 0.0000000009},
    {"jupiter", 'B', 0, 249, 3, +0.00110090358, 0.02268615703, 3.55852606718, 529.6909650946, 0.00000000074},
    {"jupiter", 'B', 1, 141, 5, -0.00001694232, 0.00177351787, 5.70166488486, 529.6909650946, 0.00000000072},
    {"jupiter", 'B', 2, 81, 3, -0.00000813244, 0.00008094051, 1.46322843658, 529.6909650946, 0.0000000008},
    {"jupiter", 'B', 3, 42, 9, -0.00000002798, 0.00000251624, 3.38087923084, 529.6909650946, 0.00000000088},
    {"jupiter", 'B', 4, 12, 4, +0.00000003422, 0.0000001505, 4.52956999637, 522.5774180938, 0.00000000112},
    {"jupiter", 'B', 5, 5, 0, 0.0, 0.00000001445, 0.09198554072, 522.5774180938, 0.00000000095},
    {"jupiter", 'R', 0, 745, 1, +5.20887429471, 0.2520932702, 3.49108640015, 529.6909650946, 3.7e-09},
    {"jupiter", 'R', 1, 381, 5, +0.00041390257, 0.01271801596, 2.64937511122, 529.6909650946, 3.86e-09},
    {"jupiter", 'R', 2, 190, 11, -4.9792e-06, 0.00079644833, 1.35865896596, 529.6909650946, 3.78e-09},
    {"jupiter", 'R', 3, 98, 8, -8.9729e-07, 3.519257e-05, 6.05800633846, 529.6909650946, 4.06e-09},
    {"jupiter", 'R', 4, 46, 22, +1.697e-08, 1.28628e-06, 0.08419309557, 536.8045120954, 4.91e-09},
    {"jupiter", 'R', 5, 9, 0, 0.0, 1.1188e-07, 4.75249399945, 536.8045120954, 1.033e-08},
    // Saturn
    {"saturn", 'L', 0, 1152, 1, +0.87401354029, 0.1110765978, 3.96205090194, 213.299095438, 7.2e-10},
    {"saturn", 'L', 1, 642, 1, +213.54295595986, 0.01296855005, 1.82820544701, 213.299095438, 7.5e-10},
    {"saturn", 'L', 2, 321, 3, +0.00090592251, 0.00116441181, 1.17987850633, 7.1135470008, 7.1e-10},
    {"saturn", 'L', 3, 148, 38, -3.701e-08, 0.00016038734, 5.73945377424, 7.1135470008, 7.2e-10},
    {"saturn", 'L', 4, 68, 6, -1.13953e-06, 1.661894e-05, 3.99826248978, 7.1135470008, 8.8e-10},
    {"saturn", 'L', 5, 27, 15, -1.007e-08, 1.23615e-06, 2.25923345732, 7.1135470008, 8.9e-10},
    {"saturn", 'B', 0, 500, 3, +0.00084745939, 0.0433067804, 3.60284428399, 213.299095438, 7.2e-10},
    {"saturn", 'B', 1, 260, 2, -0.00049478641, 0.00397554998, 5.33289992556, 213.299095438, 7.2e-10},
    {"saturn", 'B', 2, 111, 4, +1.346067e-05, 0.00020629977, 0.50482422817, 213.299095438, 7.2e-10},
    {"saturn", 'B', 3, 58, 3, +3.98051e-06, 6.66252e-06, 1.99006340181, 213.299095438, 7.7e-10},
    {"saturn", 'B', 4, 26, 4, -1.1844e-07, 8.0384e-07, 1.11918414679, 206.1855484372, 1e-09},
    {"saturn", 'B', 5, 11, 4, -9.67e-09, 7.895e-08, 2.81927558645, 206.1855484372, 8.8e-10},
    {"saturn", 'R', 0, 1205, 1, +9.55758135801, 0.52921382465, 2.39226219733, 213.299095438, 6.84e-09},
    {"saturn", 'R', 1, 639, 5, -0.0018626154, 0.06182981282, 0.25843515034, 213.299095438, 7.05e-09},
    {"saturn", 'R', 2, 342, 14, +2.326801e-05, 0.00436902464, 4.78671673044, 213.299095438, 6.83e-09},
    {"saturn", 'R', 3, 157, 11, +3.93174e-06, 0.00020315005, 3.02186626038, 213.299095438, 6.91e-09},
    {"saturn", 'R', 4, 64, 25, -9.552e-08, 1.20205e-05, 1.41499446465, 220.4126424388, 7.16e-09},
    {"saturn", 'R', 5, 28, 22, +1.678e-08, 1.28612e-06, 5.91282565136, 220.4126424388, 7.98e-09},
};

/* A row at a given place (from 1) within its block. */
struct TellingRow {
    const char* body;
    char coord;
    int k;
    int place;
    double A, B, C;
};

const TellingRow kTelling[] = {
    {"mars", 'L', 0, 6, 0.0001061023, 2.93958524973, 2281.2304965106},
    {"mars", 'L', 0, 7, 0.00012315897, 0.84956081238, 2810.9214616052},
    {"mars", 'L', 0, 8, 8.926772e-5, 4.15697845939, 0.0172536522},
    {"mars", 'L', 0, 588, 4.76e-9, 5.94537443289, 48835.19385644859},
    {"mars", 'L', 0, 1214, 3.6e-10, 6.02115369796, 6474.524116103},
    {"mars", 'L', 0, 1217, 3.9e-10, 4.91767933978, 8034.6153814074},
    {"mars", 'L', 1, 686, 3.2e-10, 3.37195631109, 2284.7536148596},
    {"mars", 'L', 3, 5, 2.2661e-7, 2.05267665262, 155.4203994342},
    {"mars", 'L', 5, 15, 1.2e-10, 1.93859256739, 6525.8044539654},
    {"mars", 'B', 0, 4, 0.00031365538, 4.44651052853, 10021.8372800994},
    {"mars", 'B', 0, 374, 0.00000000066, 5.70059718737, 33561.5446664322},
    {"mars", 'B', 0, 441, 0.00000000036, 0.84102576439, 23937.856389741},
    {"mars", 'B', 5, 4, 0.00000000013, 4.17736925293, 3496.032826134},
    {"mars", 'R', 0, 1084, 6e-10, 1.17940250396, 97670.38771289718},
    {"mars", 'R', 0, 1118, 6.8e-10, 5.74655335863, 987.746272928},
    {"mars", 'R', 1, 596, 3.8e-10, 0.73199792046, 26084.0218062162},
    {"jupiter", 'L', 0, 41, 0.00000330458, 4.74049819491, 0.0481841098},
    {"jupiter", 'L', 0, 668, 0.00000000173, 4.72884056307, 77204.32749453338},
    {"jupiter", 'L', 1, 342, 0.00000000154, 3.65536637158, 77734.01845962799},
    {"jupiter", 'L', 5, 10, 0.0000000009, 0.2117811971, 529.6909650946},
    {"jupiter", 'B', 0, 4, 0.00008101427, 3.60509573368, 522.5774180938},
    {"jupiter", 'B', 1, 6, 0.00000346445, 4.74595174109, 1052.2683831884},
    {"jupiter", 'B', 5, 5, 0.00000000095, 1.29305954542, 543.9180590962},
    {"jupiter", 'R', 0, 745, 5.09e-09, 5.53328407404, 1128.534454464},
    {"jupiter", 'R', 1, 381, 4.16e-09, 3.81408093105, 3156.8051495652},
    {"jupiter", 'R', 5, 9, 1.033e-08, 4.50671820436, 529.6909650946},
    {"saturn", 'L', 0, 1152, 7.2e-10, 5.15715918322, 110.1581371096},
    {"saturn", 'L', 5, 27, 1.02e-09, 0.49450039082, 117.3198682202},
    {"saturn", 'B', 0, 500, 8.3e-10, 0.11133738383, 402.2191684878},
    {"saturn", 'B', 5, 11, 8.9e-10, 0.5839686453, 213.299095438},
    {"saturn", 'R', 0, 1205, 7.35e-09, 3.05650026582, 66.9172920411},
    {"saturn", 'R', 5, 28, 8.37e-09, 5.04769794123, 124.433415221},
};

/* Totals per coordinate: terms and constant terms. */
struct Totals {
    const char* body;
    char coord;
    int terms;
    int constants;
};

const Totals kTotals[] = {
    {"earth", 'L', 1080, 6},   {"earth", 'B', 348, 2},    {"earth", 'R', 997, 4},
    {"venus", 'L', 671, 6},    {"venus", 'B', 426, 6},    {"venus", 'R', 585, 5},
    {"mars", 'L', 2393, 6},    {"mars", 'B', 915, 6},     {"mars", 'R', 2175, 6},
    {"jupiter", 'L', 1484, 6}, {"jupiter", 'B', 530, 5},  {"jupiter", 'R', 1469, 5},
    {"saturn", 'L', 2358, 6},  {"saturn", 'B', 966, 6},   {"saturn", 'R', 2435, 6},
};

const char* const kBodies[] = {"earth", "venus", "mars", "jupiter", "saturn"};
const char kCoords[] = {'L', 'B', 'R'};

/* The rows of block k, in order. */
std::vector<Row> block_rows(const Coordinate& c, int k) {
    std::vector<Row> out;
    for (std::size_t i = 0; i < c.n; ++i)
        if (c.rows[i].k == k) out.push_back(c.rows[i]);
    return out;
}

std::string where(const char* body, char coord, int k) {
    return std::string(body) + " " + coord + std::to_string(k);
}

TEST(SeriesTables, BlocksMatchThePublishedSeries) {
    for (const BlockSpec& s : kBlocks) {
        SCOPED_TRACE(where(s.body, s.coord, s.k));
        const Coordinate c = coordinate_rows(s.body, s.coord);
        ASSERT_NE(c.rows, nullptr);
        const std::vector<Row> rows = block_rows(c, s.k);
        ASSERT_EQ(static_cast<int>(rows.size()), s.terms);

        // The one constant term, at its place, with its sign.
        int constants = 0;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].kind == kCos) continue;
            ++constants;
            EXPECT_EQ(static_cast<int>(i) + 1, s.const_place);
            const double signed_value = rows[i].kind == kAdd ? rows[i].A : -rows[i].A;
            EXPECT_EQ(signed_value, s.const_value);
        }
        EXPECT_EQ(constants, s.const_place == 0 ? 0 : 1);

        // The first periodic term.
        std::size_t first = 0;
        while (first < rows.size() && rows[first].kind != kCos) ++first;
        ASSERT_LT(first, rows.size());
        EXPECT_EQ(rows[first].A, s.A);
        EXPECT_EQ(rows[first].B, s.B);
        EXPECT_EQ(rows[first].C, s.C);

        // The smallest amplitude of the block (constant terms included).
        double smallest = rows[0].A;
        for (const Row& r : rows) smallest = std::fmin(smallest, r.A);
        EXPECT_EQ(smallest, s.smallest);
    }
}

TEST(SeriesTables, EveryBlockOfEveryCoordinateIsListed) {
    // Blocks run from 0 without gaps, and the list above covers each one.
    for (const char* body : kBodies) {
        for (char coord : kCoords) {
            const Coordinate c = coordinate_rows(body, coord);
            ASSERT_NE(c.rows, nullptr) << body << coord;
            int last_k = 0;
            for (std::size_t i = 0; i < c.n; ++i) {
                EXPECT_GE(c.rows[i].k, last_k) << "blocks out of order";
                EXPECT_LE(c.rows[i].k, last_k + 1) << "a block is missing";
                last_k = c.rows[i].k;
            }
            int listed = 0;
            for (const BlockSpec& s : kBlocks)
                if (std::string(s.body) == body && s.coord == coord) ++listed;
            EXPECT_EQ(listed, last_k + 1) << body << coord;
        }
    }
    // The Earth's latitude alone has no block 5.
    EXPECT_TRUE(block_rows(coordinate_rows("earth", 'B'), 5).empty());
    EXPECT_EQ(block_rows(coordinate_rows("venus", 'B'), 5).size(), 4u);
}

TEST(SeriesTables, CoordinateTotals) {
    int all = 0, constant = 0;
    for (const Totals& t : kTotals) {
        const Coordinate c = coordinate_rows(t.body, t.coord);
        int nconst = 0;
        for (std::size_t i = 0; i < c.n; ++i) nconst += c.rows[i].kind != kCos;
        EXPECT_EQ(static_cast<int>(c.n), t.terms) << t.body << t.coord;
        EXPECT_EQ(nconst, t.constants) << t.body << t.coord;
        all += static_cast<int>(c.n);
        constant += nconst;
    }
    EXPECT_EQ(all, 18832);
    EXPECT_EQ(constant, 81);
    EXPECT_EQ(all - constant, 18751);  // cosines over the five bodies
}

TEST(SeriesTables, TellingRowsAtTheirPlaces) {
    for (const TellingRow& t : kTelling) {
        SCOPED_TRACE(where(t.body, t.coord, t.k) + " row " + std::to_string(t.place));
        const std::vector<Row> rows = block_rows(coordinate_rows(t.body, t.coord), t.k);
        ASSERT_LE(t.place, static_cast<int>(rows.size()));
        const Row& r = rows[t.place - 1];
        EXPECT_EQ(r.kind, kCos);
        EXPECT_EQ(r.A, t.A);
        EXPECT_EQ(r.B, t.B);
        EXPECT_EQ(r.C, t.C);
    }
}

TEST(SeriesTables, EveryRowHasTheFormTheRuleNeeds) {
    const double two_pi = 6.283185307179586;
    for (const char* body : kBodies) {
        for (char coord : kCoords) {
            SCOPED_TRACE(std::string(body) + coord);
            const Coordinate c = coordinate_rows(body, coord);
            for (std::size_t i = 0; i < c.n; ++i) {
                const Row& r = c.rows[i];
                EXPECT_GT(r.A, 0.0) << r.text;
                if (r.kind == kCos) {
                    EXPECT_GT(r.C, 0.0) << r.text;
                    EXPECT_GE(r.B, 0.0) << r.text;
                    EXPECT_LT(r.B, two_pi) << r.text;
                }
            }
            // No two periodic rows of a block share a frequency.
            for (int k = 0; k <= 5; ++k) {
                std::vector<Row> rows = block_rows(c, k);
                std::vector<double> freq;
                for (const Row& r : rows)
                    if (r.kind == kCos) freq.push_back(r.C);
                std::sort(freq.begin(), freq.end());
                EXPECT_EQ(std::adjacent_find(freq.begin(), freq.end()), freq.end())
                    << "block " << k;
            }
        }
    }
}

TEST(SeriesTables, HighestFrequencies) {
    struct Expect { const char* body; char coord; double C; };
    const Expect e[] = {
        {"mars", 'L', 48835.19385644859},  {"mars", 'B', 33561.5446664322},
        {"mars", 'R', 97670.38771289718},  {"jupiter", 'L', 77734.01845962799},
        {"jupiter", 'B', 10213.285546211}, {"jupiter", 'R', 77734.01845962799},
        {"saturn", 'L', 77837.11123384659}, {"saturn", 'B', 10213.285546211},
        {"saturn", 'R', 78263.70942472259},
    };
    for (const Expect& x : e) {
        const Coordinate c = coordinate_rows(x.body, x.coord);
        double top = 0.0;
        for (std::size_t i = 0; i < c.n; ++i) top = std::fmax(top, c.rows[i].C);
        EXPECT_EQ(top, x.C) << x.body << x.coord;
    }
}

/* The canonical text over which the generator computes the term digest:
 * "<coordinate> <term line>\n" for every term, L then B then R. */
std::string canonical_terms(const char* body) {
    std::string text;
    for (char coord : kCoords) {
        const Coordinate c = coordinate_rows(body, coord);
        for (std::size_t i = 0; i < c.n; ++i) {
            text += coord;
            text += ' ';
            text += c.rows[i].text;
            text += '\n';
        }
    }
    return text;
}

TEST(SeriesTables, Sha256KnownAnswers) {
    using lunarfix_test::sha256_hex;
    EXPECT_EQ(sha256_hex(""),
              "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(sha256_hex("abc"),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(sha256_hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
}

// The compiled-in terms are those the generator wrote: the digest of their
// canonical text equals the digest the generator recorded in the file, both
// in the digest macro and in the banner.
TEST(SeriesTables, TermsEqualTheGeneratedContent) {
    for (const char* body : kBodies) {
        SCOPED_TRACE(body);
        const std::string digest = lunarfix_test::sha256_hex(canonical_terms(body));
        ASSERT_NE(lunarfix_test::recorded_digest(body), nullptr);
        EXPECT_EQ(digest, lunarfix_test::recorded_digest(body));

        const std::string path =
            std::string(LUNARFIX_SOURCE_DIR) + "/src/series/vsop87d_" + body + ".inc";
        const std::string file = lunarfix_test::read_file(path.c_str());
        ASSERT_FALSE(file.empty()) << path;
        EXPECT_NE(file.find("// Term digest: " + digest + "\n"), std::string::npos);
        EXPECT_NE(file.find("// Source: npm package astronomia@4.2.0, file data/vsop87D" +
                            std::string(body) + ".js\n"),
                  std::string::npos);
        EXPECT_NE(file.find("//   SHA-256 of that file: "), std::string::npos);
    }
}

// A changed coefficient changes the digest: the check above is not blind.
TEST(SeriesTables, DigestSeesAOneDigitChange) {
    std::string text = canonical_terms("venus");
    const std::string before = lunarfix_test::sha256_hex(text);
    const std::size_t at = text.find("0.01353968419");
    ASSERT_NE(at, std::string::npos);
    text[at + 12] = '8';
    EXPECT_NE(lunarfix_test::sha256_hex(text), before);
}

}  // namespace
