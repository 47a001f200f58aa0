#!/usr/bin/env python3
"""Scripted hostile runs of the lunarfix console dialog.

Each run starts the built program in a fresh temporary directory and feeds
it a script of typed answers: the answers of a default run, swapped, cut
(also in the middle of a line), replaced by random or absurd values, or
joined by over-long lines (1 MB).  Before some runs hostile remembered-input
and Delta T files are planted (garbage, huge numbers, nan, binary bytes,
empty files, very long lines, sound files with one absurd field).

A run fails when the program
  - dies by a signal or writes a sanitizer report to its standard error
    (a crash),
  - is still running when its time is up (a hang),
  - shows a number that is not finite ("nan" or "inf" as a word, in any
    case) on the screen, or leaves one in a file it wrote.
The exit statuses 0 (stop), 1 (input ended) and 2 (a save failed) are all
normal ends.

The runs are reproducible: run i uses the seed (--seed) plus i.  The script
prints its figures and exits with status 1 when any run failed.

    tools/fuzz_dialog.py build/lunarfix                # 40 runs
    tools/fuzz_dialog.py build-san/lunarfix --runs 5000 --jobs 2
"""

import argparse
import concurrent.futures
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile

FILES = ("moondist0x0.txt", "moondist0x1.txt", "moondist0x2.txt")

# A number that is not finite as printf writes it, or a word of it.
NONFINITE = re.compile(rb"(?<![A-Za-z0-9_])(nan|inf|infinity)(?![A-Za-z0-9_])",
                       re.IGNORECASE)

SANITIZER = re.compile(rb"(ERROR: AddressSanitizer|ERROR: LeakSanitizer|"
                       rb"runtime error:|SUMMARY: (Address|Undefined|Leak)"
                       rb"(Behavior)?Sanitizer)")

# Exit status the sanitizers are told to use, so that a report cannot pass
# for the program's own status 1.
SANITIZER_STATUS = 86

# The answers of a default run from an empty directory up to the stop: the
# reset question and its pause, the example pause, date, time, earth
# conditions, latitude, longitude, body, index correction, height of eye,
# sextant altitude, result pause, menu; body, sextant altitude, result pause
# and menu of the second sight; limb, side, lunar distance; the pause after
# the time correction; the result menu (9 stops) and the closing pause.
DEFAULT_RUN = [""] * 22 + ["9", ""]

# Typed values that lie on or beyond the edges of what the dialog takes.
ABSURD = [
    "0", "-0", "1", "-1", "9", "13", "32", "24", "60", "61", "-10.1", "120.1",
    "600.1", "-600.1", "180", "200 0", "0 0", "0 -1e308", "1e308", "-1e308",
    "1e309", "-1e309", "1e-320", "nan", "-nan", "NaN", "inf", "-inf",
    "Infinity", "2147483647", "-2147483648", "2147483648",
    "99999999999999999999", "2147483647 2147483647 2147483647",
    "2017 13 32", "2017 0 0", "25 61 61", "-1 -1 -1", "91 0", "-91 0",
    "190 0", "0 1e308", "1e308 1e308", "x", "12abc", "6.7", ",,,", ";;",
    " ", "   ", "1,2,3", "1;2;3", "0x10", "1e", "--1", "+5", "\t7", "R", "X",
    "2", "3", "4", "5", "8", "57", "58", "-3", "1.5", "0.5", "6000.5",
    "2000.1", "-100.1", "1200.1", "-80.1", "60.1", "48 7", "90 0", "-90 0",
    "33 20 S", "17 11.6 W", "20S", "N", "Venus", "2017 6 17x", "far",
    # Numbers as navigators and logbooks write them: a minus sign before 0
    # degrees, decimal points, seconds, minutes of 60 and more, lines of
    # blanks and tabs, a trailing blank or tab, and two numbers where one
    # is asked.
    "-0 30", "-0 -30", "-0", "48.0", "5.", "-17.0", "1.5e1", "48 7 30",
    "44 46 59.4", "48 70", "48 60", "-17 -60", "0 60.5", "\t", " \t ",
    "1\t", "2017 6 ", "2017,6,", "1 013", "16 5", "69 2", "1 2", "2 1",
    "0 5",
]

# A field of a typed answer that is wholly a number; an answer with any
# other field is text, which every question that takes numbers refuses and
# asks again (the reset question and the pauses take any character).
NUMBER = re.compile(r"[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$")


def is_text(answer):
    return any(not NUMBER.match(f) for f in re.split(r"[\s,;]+", answer) if f)

# Positions in DEFAULT_RUN of the answers that are values (date, time,
# earth conditions, latitude, longitude, index correction, height of eye,
# the two sextant altitudes, limb, side and lunar distance).
VALUE_PROMPTS = [3, 4, 5, 6, 7, 9, 10, 11, 15, 18, 19, 20]

# Positions of the answers that take numbers: the values, the two bodies,
# the two sight menus and the result menu.
NUMBER_PROMPTS = sorted(VALUE_PROMPTS + [8, 13, 14, 17, 22])

# Answers that steer the menus into their other paths.
MENU = ["0", "1", "2", "3", "4", "5", "9", "", "-1", "999"]


def random_text(rng, n):
    alphabet = "0123456789 .,;-+eE\tabcnaifx"
    return "".join(rng.choice(alphabet) for _ in range(n))


def random_bytes(rng, n):
    return bytes(rng.randrange(256) for _ in range(n))


def make_input(rng):
    """The typed input of one run, as bytes."""
    lines = list(DEFAULT_RUN)
    for _ in range(rng.randrange(0, 4)):
        # Menu answers and extra ENTERs let the run go on past the stop's
        # place when an earlier answer shifted the script.
        lines.append(rng.choice(MENU))
    kinds = rng.sample(["swap", "absurd", "value", "value", "random", "menu",
                        "long", "bytes"], rng.randrange(1, 4))
    for kind in kinds:
        if kind == "swap":
            for _ in range(rng.randrange(1, 4)):
                i, j = rng.randrange(len(lines)), rng.randrange(len(lines))
                lines[i], lines[j] = lines[j], lines[i]
        elif kind == "absurd":
            for _ in range(rng.randrange(1, 6)):
                at = rng.randrange(len(lines))
                lines[at] = rng.choice(ABSURD)
                # Text where numbers are asked is refused and the question
                # asked again: ENTER answers it, and the script keeps its
                # place.
                if at in NUMBER_PROMPTS and is_text(lines[at]):
                    lines.insert(at + 1, "")
        elif kind == "value":
            # An absurd answer to a value prompt, followed by ENTER for the
            # question when it is asked again.
            at = rng.choice(VALUE_PROMPTS)
            lines[at] = rng.choice(ABSURD)
            if rng.random() < 0.7:
                lines.insert(at + 1, "")
        elif kind == "random":
            for _ in range(rng.randrange(1, 4)):
                lines[rng.randrange(len(lines))] = random_text(
                    rng, rng.randrange(1, 80))
        elif kind == "menu":
            for _ in range(rng.randrange(1, 4)):
                lines.insert(rng.randrange(len(lines) + 1), rng.choice(MENU))
        elif kind == "long":
            fill = rng.choice(["9", "1", " ", "x", "12345 "])
            lines.insert(rng.randrange(len(lines) + 1),
                         (fill * (1 << 20))[: 1 << 20])
    data = "".join(l + "\n" for l in lines).encode("latin-1")
    if "bytes" in kinds:
        for _ in range(rng.randrange(1, 4)):
            at = rng.randrange(len(data) + 1)
            data = data[:at] + random_bytes(rng, rng.randrange(1, 40)) + data[at:]
    if rng.random() < 0.3:
        # Cut: the input ends somewhere, maybe in the middle of a line.
        data = data[: rng.randrange(len(data) + 1)]
    return data


SOUND_FIRST = ["2017 6 17", "3 57 14", "44 46.990000", "-17 -11.600000",
               "2 33", "24 14.000000 0", "0.000000 1.830000",
               "0.000000 180.000000 3.141593", "16.100000 1026.400000",
               "48.116667 1"]
SOUND_SECOND = ["2017 6 17", "3 57 14", "44 46.990000", "-17 -11.600000",
                "4 33", "7 47.800000 0", "0.000000 1.830000",
                "0.000000 180.000000 3.141593", "0.000000 0.000000"]
HOSTILE_NUMBERS = ["nan", "-nan", "inf", "-inf", "1e308", "-1e308", "1e309",
                   "2147483647", "-2147483648", "99999999999999999999",
                   "1e-320", "0", "-0", "x", "", "13", "-25", "49", "200",
                   "-11", "121", "601", "1201", "-81", "61", "2001", "-3",
                   "30", "95", "190"]


def hostile_record(rng, sound):
    kind = rng.choice(["garbage", "huge", "nan", "binary", "empty", "long",
                       "field", "field", "field", "shuffled"])
    if kind == "garbage":
        return random_text(rng, rng.randrange(1, 400)).encode()
    if kind == "huge":
        return " ".join(rng.choice(["1e308", "-1e308", "2147483647",
                                    "-2147483648", "9" * 400])
                        for _ in range(25)).encode()
    if kind == "nan":
        return " ".join(rng.choice(["nan", "inf", "-inf", "NAN", "1"])
                        for _ in range(25)).encode()
    if kind == "binary":
        return random_bytes(rng, rng.randrange(1, 600))
    if kind == "empty":
        return b""
    if kind == "long":
        return (rng.choice(["1", " ", "2017 6 17 "]) * (2 << 20)).encode()
    if kind == "shuffled":
        words = " ".join(sound).split()
        rng.shuffle(words)
        return " ".join(words).encode()
    # A sound file with one or more fields replaced by hostile values.
    rows = [row.split() for row in sound[: rng.randrange(1, len(sound) + 1)]]
    for _ in range(rng.randrange(1, 4)):
        row = rows[rng.randrange(len(rows))]
        row[rng.randrange(len(row))] = rng.choice(HOSTILE_NUMBERS)
    return "".join(" ".join(r) + " \n" for r in rows).encode()


def hostile_deltat(rng):
    kind = rng.choice(["garbage", "huge", "nan", "binary", "empty", "long",
                       "rows"])
    if kind == "rows":
        rows = []
        for year in range(2020, 2020 + rng.randrange(1, 60)):
            rows.append("%d %s" % (year, rng.choice(
                ["70", "1e308", "-1e308", "nan", "inf", "1e6", "-999999",
                 "x", "69.5", "", "70 71", "\n"])))
        return "\n".join(rows).encode()
    if kind == "garbage":
        return random_text(rng, 300).encode()
    if kind == "huge":
        return b"2017 1e308\n2018 -1e308\n2021 1e308\n"
    if kind == "nan":
        return b"2017 nan\n2018 inf\n2021 nan\n"
    if kind == "binary":
        return random_bytes(rng, 500)
    if kind == "empty":
        return b""
    return b"2021 " + b"7" * (2 << 20)


def plant_files(rng, where):
    planted = {}
    if rng.random() < 0.5:
        planted["moondist0x1.txt"] = hostile_record(rng, SOUND_FIRST)
    if rng.random() < 0.4:
        planted["moondist0x2.txt"] = hostile_record(rng, SOUND_SECOND)
    if rng.random() < 0.25:
        planted["moondist0x0.txt"] = hostile_deltat(rng)
    for name, data in planted.items():
        with open(os.path.join(where, name), "wb") as f:
            f.write(data)
    return planted


def one_run(binary, seed, timeout, keep):
    """Runs the program once; returns (status, problems)."""
    rng = random.Random(seed)
    where = tempfile.mkdtemp(prefix="lunarfix_fuzz_")
    problems = []
    status = None
    try:
        planted = plant_files(rng, where)
        data = make_input(rng)
        env = dict(os.environ)
        env["ASAN_OPTIONS"] = "exitcode=%d:detect_leaks=1" % SANITIZER_STATUS
        env["UBSAN_OPTIONS"] = ("halt_on_error=1:print_stacktrace=1:"
                                "exitcode=%d" % SANITIZER_STATUS)
        try:
            p = subprocess.run([binary], input=data, cwd=where, env=env,
                               stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                               timeout=timeout)
        except subprocess.TimeoutExpired:
            problems.append(("hang", "no end within %g s" % timeout))
        else:
            status = p.returncode
            if p.returncode < 0:
                problems.append(("crash", "signal %d" % -p.returncode))
            elif p.returncode == SANITIZER_STATUS or SANITIZER.search(p.stderr):
                problems.append(("crash", p.stderr[-2000:].decode("latin-1")))
            m = NONFINITE.search(p.stdout)
            if m:
                a = max(0, m.start() - 120)
                problems.append(("nonfinite", "screen: ..." + p.stdout[
                    a:m.end() + 40].decode("latin-1")))
            for name in FILES:
                path = os.path.join(where, name)
                if not os.path.isfile(path):
                    continue
                with open(path, "rb") as f:
                    text = f.read()
                if planted.get(name) == text:
                    continue  # left as planted: not written by the program
                if NONFINITE.search(text):
                    problems.append(("nonfinite", "file %s" % name))
        if problems and keep:
            dest = os.path.join(keep, "run_%d" % seed)
            shutil.rmtree(dest, ignore_errors=True)
            os.makedirs(dest)
            with open(os.path.join(dest, "input.txt"), "wb") as f:
                f.write(data)
            for name, text in planted.items():
                with open(os.path.join(dest, "planted_" + name), "wb") as f:
                    f.write(text)
    finally:
        shutil.rmtree(where, ignore_errors=True)
    return status, problems


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("binary", help="path of the built lunarfix program")
    ap.add_argument("--runs", type=int, default=40)
    ap.add_argument("--seed", type=int, default=20170617)
    ap.add_argument("--timeout", type=float, default=60.0,
                    help="seconds one run may take")
    ap.add_argument("--jobs", type=int, default=1)
    ap.add_argument("--keep", default="",
                    help="directory to keep the input of failed runs in")
    args = ap.parse_args()
    binary = os.path.abspath(args.binary)
    if not os.access(binary, os.X_OK):
        print("fuzz_dialog: %s is not an executable program" % binary)
        return 2

    counts = {"crash": 0, "hang": 0, "nonfinite": 0}
    statuses = {}
    failed = []
    seeds = [args.seed + i for i in range(args.runs)]
    with concurrent.futures.ThreadPoolExecutor(max(1, args.jobs)) as pool:
        for seed, (status, problems) in zip(
                seeds, pool.map(lambda s: one_run(binary, s, args.timeout,
                                                  args.keep), seeds)):
            statuses[status] = statuses.get(status, 0) + 1
            kinds = set()
            for kind, detail in problems:
                kinds.add(kind)
                if len(failed) < 10:
                    failed.append("seed %d: %s: %s" % (seed, kind, detail))
            for kind in kinds:
                counts[kind] += 1

    for line in failed:
        print(line)
    print("fuzz_dialog: %d runs (seed %d), %d crashes, %d hangs, "
          "%d with nan/inf; exit statuses %s"
          % (args.runs, args.seed, counts["crash"], counts["hang"],
             counts["nonfinite"],
             ", ".join("%s: %d" % ("timeout" if k is None else k, v)
                       for k, v in sorted(statuses.items(),
                                          key=lambda kv: (kv[0] is None,
                                                          kv[0] or 0)))))
    return 1 if any(counts.values()) else 0


if __name__ == "__main__":
    sys.exit(main())
