#!/usr/bin/env python3
"""Generate src/ephemeris/lea406_table.cpp, the text rows of the LEA-406b
lunar series (Kudryavtsev 2007, CDS catalogue J/A+A/471/1069).

Input: the published tables of the simplified series LEA-406b
    table9.dat   distance R   (1029 terms)
    table10.dat  longitude V  (1753 terms)
    table11.dat  latitude U   (1089 terms)
Each line is read by its byte columns as the catalogue's ReadMe lists them:
the integer multipliers stand in 3-byte fields that may touch each other
("  1-11", "0-15"), so the lines cannot be split at blanks.

Output: one C++ source holding `str406`, 3874 rows of 160 characters:
    row 0              header: the three block sizes and a label
    rows 1..1029       distance terms
    rows 1030..2782    longitude terms
    rows 2783..3871    latitude terms
    rows 3872..3873    trailer: a line-count note and a row holding 0
A term row holds 21 blank-separated numbers: the term number, the 14
multipliers (l, l', F, D, Omega, Me, Ve, EMB, Ma, Ju, Sa, Ur, Ne, p_A), the
amplitudes A0, A1, A2 and the phases P0, P1, P2 in degrees.  The numbers are
the published digits, copied as text.  The published units of A1 and A2
(m/yr and mm/yr^2 for the distance, mas/yr and uas/yr^2 for the angles) are
numerically equal to km (or arcsec) per Julian millennium and per Julian
millennium squared, the units the evaluator uses, so no value is rescaled.

Usage:
    gen_lea406_table.py DATA_DIR [OUT]   write the table (default OUT: the
                                         repository's lea406_table.cpp)
    gen_lea406_table.py --check DATA_DIR [FILE]
                                         regenerate in memory and compare
                                         byte for byte with FILE
    gen_lea406_table.py --verify [FILE]  without the published tables: check
                                         that FILE's rows have the form this
                                         script writes (every term row
                                         re-formatted from its own numbers
                                         gives the same text), the block
                                         sizes, term numbers, header, trailer
                                         and the row checksum in the banner
The output is written to a temporary file and renamed over the old one.
"""

import hashlib
import os
import re
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_OUT = os.path.join(HERE, "..", "src", "ephemeris", "lea406_table.cpp")

ROW_LEN = 160          # characters stored per row, NUL padded
BLOCKS = [             # (file, coordinate, number of terms, unit of A0)
    ("table9.dat", "distance", 1029, "km"),
    ("table10.dat", "longitude", 1753, "arcsec"),
    ("table11.dat", "latitude", 1089, "arcsec"),
]
N_ROWS = 1 + sum(b[2] for b in BLOCKS) + 2

HEADER_ROW = (" 1029   1753   1089              "
              "LEA-406b lunar series, S. M. Kudryavtsev")
TRAILER_ROWS = [
    " 3871 term rows above: 1029 distance, 1753 longitude, 1089 latitude",
    "0",
]

# Byte columns (1-based, inclusive) of the published lines, from the ReadMe
# of J/A+A/471/1069 (identical for table9, table10 and table11).
SEQ_COLS = (2, 6)
MULT_COLS = [(9, 11), (12, 14), (15, 17), (18, 20), (21, 23),
             (25, 27), (28, 30), (31, 33), (34, 36), (37, 39),
             (40, 42), (43, 45), (46, 48), (50, 52)]
REAL_COLS = [(55, 68), (71, 79), (82, 90),
             (93, 109), (112, 128), (131, 147)]
LINE_LEN = 147

# Field widths of a term row: each number right-aligned after its blanks.
INT_FORMAT = ["%6s"] + [" %3s"] * 14
REAL_FORMAT = ["  %14s", " %10s", " %10s", " %17s", " %17s", " %17s"]

INT_RE = re.compile(r"^-?[0-9]+$")
REAL_RE = re.compile(r"^-?[0-9]+\.[0-9]+$")


def fail(msg):
    sys.stderr.write("gen_lea406_table: " + msg + "\n")
    sys.exit(1)


def format_row(fields):
    """Term row text from its 21 number texts."""
    fmts = INT_FORMAT + REAL_FORMAT
    return "".join(f % s for f, s in zip(fmts, fields))


def fnv1a64(rows):
    """FNV-1a (64 bit) over the rows, each followed by one line feed."""
    h = 0xcbf29ce484222325
    for row in rows:
        for byte in row.encode("ascii") + b"\n":
            h ^= byte
            h = (h * 0x100000001b3) & 0xffffffffffffffff
    return h


def read_block(path, count):
    """The term rows of one published table, read by byte columns."""
    with open(path, "rb") as f:
        raw = f.read()
    text = raw.decode("ascii")
    lines = text.split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    if len(lines) != count:
        fail("%s: %d lines, expected %d" % (path, len(lines), count))
    rows = []
    used = set()
    for a, b in [SEQ_COLS] + MULT_COLS + REAL_COLS:
        used.update(range(a - 1, b))
    for lineno, line in enumerate(lines, 1):
        line = line.rstrip("\r")
        if len(line) != LINE_LEN:
            fail("%s:%d: length %d, expected %d"
                 % (path, lineno, len(line), LINE_LEN))
        for i, c in enumerate(line):
            if i not in used and c != " ":
                fail("%s:%d: unexpected character in column %d"
                     % (path, lineno, i + 1))
        fields = []
        for a, b in [SEQ_COLS] + MULT_COLS:
            s = line[a - 1:b].strip()
            if not INT_RE.match(s):
                fail("%s:%d: bad integer field %r" % (path, lineno, s))
            fields.append(s)
        for a, b in REAL_COLS:
            s = line[a - 1:b].strip()
            if not REAL_RE.match(s):
                fail("%s:%d: bad real field %r" % (path, lineno, s))
            fields.append(s)
        if int(fields[0]) != lineno:
            fail("%s:%d: term number %s" % (path, lineno, fields[0]))
        for s in fields[15:18]:
            if float(s) < 0:
                fail("%s:%d: negative amplitude %s" % (path, lineno, s))
        row = format_row(fields)
        if len(row) >= ROW_LEN:
            fail("%s:%d: row too long" % (path, lineno))
        rows.append(row)
    return rows, hashlib.sha256(raw).hexdigest()


def c_literal(row):
    return '"' + row.replace("\\", "\\\\").replace('"', '\\"') + '"'


def render(rows, sums):
    """The whole C++ source for the table rows."""
    longest = max(len(r) for r in rows)
    out = []
    out.append("// Term table of the lunar series LEA-406b, generated by")
    out.append("// tools/gen_lea406_table.py -- do not edit by hand.")
    out.append("//")
    out.append("// Source: S. M. Kudryavtsev, \"Long-term harmonic development of"
               " lunar")
    out.append("// ephemeris\", Astron. Astrophys. 471, 1069 (2007); CDS catalogue")
    out.append("// J/A+A/471/1069, simplified series LEA-406b (valid 3000 BC to"
               " AD 3000).")
    out.append("// Published files (SHA-256):")
    for (fname, coord, count, _), digest in zip(BLOCKS, sums):
        out.append("//   %-12s %s  (%s, %d terms)" % (fname, digest, coord, count))
    out.append("//")
    out.append("// %d rows of %d characters, NUL padded (longest row %d):"
               % (N_ROWS, ROW_LEN, longest))
    out.append("//   row 0            header: block sizes 1029 1753 1089 and a"
               " label")
    out.append("//   rows 1..1029     distance R: cosine terms, A0 in km, A1 in"
               " km per")
    out.append("//                    Julian millennium, A2 in km per millennium"
               " squared")
    out.append("//   rows 1030..2782  longitude V: sine terms, A0 in arcsec, A1 in"
               " arcsec")
    out.append("//                    per millennium, A2 in arcsec per millennium"
               " squared")
    out.append("//   rows 2783..3871  latitude U: sine terms, units as longitude")
    out.append("//   rows 3872..3873  trailer (a line-count note and a row"
               " holding 0)")
    out.append("// A term row: term number, the multipliers of l, l', F, D,"
               " Omega,")
    out.append("// Me, Ve, EMB, Ma, Ju, Sa, Ur, Ne and p_A, then A0, A1, A2 and"
               " the")
    out.append("// phases P0, P1, P2 in degrees, separated by blanks.")
    out.append("// Row checksum (FNV-1a 64 over every row followed by a line"
               " feed):")
    out.append("//   rows-fnv1a64: %016x" % fnv1a64(rows))
    out.append("")
    out.append('#include "ephemeris/moon.h"')
    out.append("")
    out.append("namespace lunarfix {")
    out.append("")
    out.append("extern const char str406[%d][%d] = {" % (N_ROWS, ROW_LEN))
    for r in rows:
        out.append(c_literal(r) + ",")
    out.append("};")
    out.append("")
    out.append("} // namespace lunarfix")
    out.append("")
    return "\n".join(out)


def generate(data_dir):
    rows = [HEADER_ROW]
    sums = []
    for fname, _, count, _ in BLOCKS:
        block, digest = read_block(os.path.join(data_dir, fname), count)
        rows.extend(block)
        sums.append(digest)
    rows.extend(TRAILER_ROWS)
    assert len(rows) == N_ROWS
    return render(rows, sums)


def write_whole(path, text):
    d = os.path.dirname(os.path.abspath(path))
    fd, tmp = tempfile.mkstemp(prefix=".lea406_", dir=d)
    try:
        with os.fdopen(fd, "w", encoding="ascii", newline="\n") as f:
            f.write(text)
        os.chmod(tmp, 0o644)
        os.replace(tmp, path)
    except BaseException:
        if os.path.exists(tmp):
            os.unlink(tmp)
        raise


LITERAL_RE = re.compile(r'^"((?:[^"\\]|\\.)*)",$')


def read_rows(path):
    """The rows and the banner checksum of a generated source."""
    with open(path, encoding="ascii") as f:
        text = f.read()
    m = re.search(r"rows-fnv1a64: ([0-9a-f]{16})", text)
    if not m:
        fail("%s: no row checksum in the banner" % path)
    rows = []
    for line in text.split("\n"):
        lm = LITERAL_RE.match(line)
        if lm:
            rows.append(re.sub(r"\\(.)", r"\1", lm.group(1)))
    return rows, int(m.group(1), 16)


def verify(path):
    rows, banner_sum = read_rows(path)
    if len(rows) != N_ROWS:
        fail("%s: %d rows, expected %d" % (path, len(rows), N_ROWS))
    if rows[0] != HEADER_ROW:
        fail("%s: header row differs" % path)
    if rows[-2:] != TRAILER_ROWS:
        fail("%s: trailer rows differ" % path)
    at = 1
    for fname, _, count, _ in BLOCKS:
        for n in range(1, count + 1):
            row = rows[at]
            fields = row.split()
            if len(fields) != 21:
                fail("row %d: %d fields" % (at, len(fields)))
            if not all(INT_RE.match(s) for s in fields[:15]) or \
               not all(REAL_RE.match(s) for s in fields[15:]):
                fail("row %d: a field is not a number" % at)
            if int(fields[0]) != n:
                fail("row %d: term number %s, expected %d"
                     % (at, fields[0], n))
            if format_row(fields) != row:
                fail("row %d: not in the generated form" % at)
            if len(row) >= ROW_LEN:
                fail("row %d: too long" % at)
            at += 1
    if fnv1a64(rows) != banner_sum:
        fail("%s: row checksum %016x differs from the banner's %016x"
             % (path, fnv1a64(rows), banner_sum))
    return True


def main(argv):
    if len(argv) >= 2 and argv[1] == "--verify":
        path = argv[2] if len(argv) > 2 else DEFAULT_OUT
        verify(path)
        print("verified: %s" % path)
        return 0
    if len(argv) >= 3 and argv[1] == "--check":
        path = argv[3] if len(argv) > 3 else DEFAULT_OUT
        with open(path, encoding="ascii") as f:
            committed = f.read()
        if generate(argv[2]) != committed:
            fail("%s differs from the table generated from %s"
                 % (path, argv[2]))
        print("identical: %s" % path)
        return 0
    if len(argv) in (2, 3) and not argv[1].startswith("-"):
        out = argv[2] if len(argv) > 2 else DEFAULT_OUT
        text = generate(argv[1])
        write_whole(out, text)
        verify(out)
        print("wrote %s" % out)
        return 0
    sys.stderr.write(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
