// The terms of the generated VSOP87D coefficient files, compiled a second
// time as row tables for the tests (the series functions compile the same
// lines as statements).
#ifndef LUNARFIX_TESTS_SERIES_VSOP87D_ROWS_H
#define LUNARFIX_TESTS_SERIES_VSOP87D_ROWS_H

#include <cstddef>

namespace lunarfix_test {

enum RowKind { kCos, kAdd, kSub };

/* One term as the generated file holds it: the kind, the block k, the
 * values A, B, C (B = pi and C = 0 for a subtracted constant, B = C = 0 for
 * an added one) and the term's line as written, for the digest. */
struct Row {
    RowKind kind;
    int k;
    double A, B, C;
    const char* text;
};

/* The rows of one coordinate of one body, in file order. */
struct Coordinate {
    const Row* rows;
    std::size_t n;
};

/* body: "earth", "venus", "mars", "jupiter", "saturn"; coord: 'L', 'B',
 * 'R'.  An unknown pair gives { nullptr, 0 }. */
Coordinate coordinate_rows(const char* body, char coord);

/* The term digest that the generated file of a body records. */
const char* recorded_digest(const char* body);

}  // namespace lunarfix_test

#endif  // LUNARFIX_TESTS_SERIES_VSOP87D_ROWS_H
