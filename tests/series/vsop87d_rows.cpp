// Row tables of the generated VSOP87D coefficient files for the tests.
#include "series/vsop87d_rows.h"

#include <cstring>

namespace lunarfix_test {
namespace {

constexpr double kPi = 3.14159265359;  // phase pi as the series print it

#define VSOP87D_COS(k, A, B, C) \
    {kCos, k, A, B, C, "VSOP87D_COS(" #k ", " #A ", " #B ", " #C ")"},
#define VSOP87D_ADD(k, A) {kAdd, k, A, 0.0, 0.0, "VSOP87D_ADD(" #k ", " #A ")"},
#define VSOP87D_SUB(k, A) {kSub, k, A, kPi, 0.0, "VSOP87D_SUB(" #k ", " #A ")"},
const Row k_earth_L[] = {
#define VSOP87D_L
#include "series/vsop87d_earth.inc"
#undef VSOP87D_L
};
const Row k_earth_B[] = {
#define VSOP87D_B
#include "series/vsop87d_earth.inc"
#undef VSOP87D_B
};
const Row k_earth_R[] = {
#define VSOP87D_R
#include "series/vsop87d_earth.inc"
#undef VSOP87D_R
};
const Row k_venus_L[] = {
#define VSOP87D_L
#include "series/vsop87d_venus.inc"
#undef VSOP87D_L
};
const Row k_venus_B[] = {
#define VSOP87D_B
#include "series/vsop87d_venus.inc"
#undef VSOP87D_B
};
const Row k_venus_R[] = {
#define VSOP87D_R
#include "series/vsop87d_venus.inc"
#undef VSOP87D_R
};
const Row k_mars_L[] = {
#define VSOP87D_L
#include "series/vsop87d_mars.inc"
#undef VSOP87D_L
};
const Row k_mars_B[] = {
#define VSOP87D_B
#include "series/vsop87d_mars.inc"
#undef VSOP87D_B
};
const Row k_mars_R[] = {
#define VSOP87D_R
#include "series/vsop87d_mars.inc"
#undef VSOP87D_R
};
const Row k_jupiter_L[] = {
#define VSOP87D_L
#include "series/vsop87d_jupiter.inc"
#undef VSOP87D_L
};
const Row k_jupiter_B[] = {
#define VSOP87D_B
#include "series/vsop87d_jupiter.inc"
#undef VSOP87D_B
};
const Row k_jupiter_R[] = {
#define VSOP87D_R
#include "series/vsop87d_jupiter.inc"
#undef VSOP87D_R
};
const Row k_saturn_L[] = {
#define VSOP87D_L
#include "series/vsop87d_saturn.inc"
#undef VSOP87D_L
};
const Row k_saturn_B[] = {
#define VSOP87D_B
#include "series/vsop87d_saturn.inc"
#undef VSOP87D_B
};
const Row k_saturn_R[] = {
#define VSOP87D_R
#include "series/vsop87d_saturn.inc"
#undef VSOP87D_R
};
#undef VSOP87D_COS
#undef VSOP87D_ADD
#undef VSOP87D_SUB
#define VSOP87D_DIGEST(h) const char k_earth_digest[] = h;
#include "series/vsop87d_earth.inc"
#undef VSOP87D_DIGEST
#define VSOP87D_DIGEST(h) const char k_venus_digest[] = h;
#include "series/vsop87d_venus.inc"
#undef VSOP87D_DIGEST
#define VSOP87D_DIGEST(h) const char k_mars_digest[] = h;
#include "series/vsop87d_mars.inc"
#undef VSOP87D_DIGEST
#define VSOP87D_DIGEST(h) const char k_jupiter_digest[] = h;
#include "series/vsop87d_jupiter.inc"
#undef VSOP87D_DIGEST
#define VSOP87D_DIGEST(h) const char k_saturn_digest[] = h;
#include "series/vsop87d_saturn.inc"
#undef VSOP87D_DIGEST
struct Entry {
    const char* body;
    char coord;
    Coordinate c;
};

#define ROWS(a) Coordinate{a, sizeof(a) / sizeof(a[0])}
const Entry kEntries[] = {
    {"earth", 'L', ROWS(k_earth_L)},
    {"earth", 'B', ROWS(k_earth_B)},
    {"earth", 'R', ROWS(k_earth_R)},
    {"venus", 'L', ROWS(k_venus_L)},
    {"venus", 'B', ROWS(k_venus_B)},
    {"venus", 'R', ROWS(k_venus_R)},
    {"mars", 'L', ROWS(k_mars_L)},
    {"mars", 'B', ROWS(k_mars_B)},
    {"mars", 'R', ROWS(k_mars_R)},
    {"jupiter", 'L', ROWS(k_jupiter_L)},
    {"jupiter", 'B', ROWS(k_jupiter_B)},
    {"jupiter", 'R', ROWS(k_jupiter_R)},
    {"saturn", 'L', ROWS(k_saturn_L)},
    {"saturn", 'B', ROWS(k_saturn_B)},
    {"saturn", 'R', ROWS(k_saturn_R)},
};
#undef ROWS

}  // namespace

Coordinate coordinate_rows(const char* body, char coord) {
    for (const Entry& e : kEntries)
        if (std::strcmp(e.body, body) == 0 && e.coord == coord) return e.c;
    return Coordinate{nullptr, 0};
}

const char* recorded_digest(const char* body) {
    if (std::strcmp(body, "earth") == 0) return k_earth_digest;
    if (std::strcmp(body, "venus") == 0) return k_venus_digest;
    if (std::strcmp(body, "mars") == 0) return k_mars_digest;
    if (std::strcmp(body, "jupiter") == 0) return k_jupiter_digest;
    if (std::strcmp(body, "saturn") == 0) return k_saturn_digest;
    return nullptr;
}

}  // namespace lunarfix_test
