// Console input readers: token readers, degrees and minutes, one real
// number, new screens, long lines, end of input and random input.
#include "foundations/console_io.h"
#include "dialog/console.h"
#include "dialog_harness.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <random>
#include <sstream>
#include <string>

namespace lunarfix {
namespace {

// Points the process console at string streams for one test.
class ConsoleTest : public lunarfix_test::ScreenFixture {
protected:
    std::string out() const { return out_.str(); }
};

// One answer line, three calls with nth 1, 2, 3 of parse4nth.
void three(int* a, int* b, int* c) {
    *a = parse4nth(0, 1, -1);
    *b = parse4nth(0, 2, -2);
    *c = parse4nth(0, 3, -3);
}

// The three calls of `three` give a, b, c.
void expect_three(int a, int b, int c, const std::string& what = "") {
    int y, m, d;
    three(&y, &m, &d);
    EXPECT_EQ(y, a) << what;
    EXPECT_EQ(m, b) << what;
    EXPECT_EQ(d, c) << what;
}

TEST_F(ConsoleTest, DateWithBlanksCommasSemicolons) {
    for (const char* line : {"2017 6 17\n", "2017,6,17\n", "2017;6 ;17\n",
                             "  2017 ,, 6;;17\n"}) {
        feed(line);
        expect_three(2017, 6, 17, line);
        EXPECT_EQ(out(), "");  // the token readers print nothing
    }
}

TEST_F(ConsoleTest, MissingTokensAndTrailingSeparators) {
    // A separator after the last number adds no number: the day offered
    // stays, as when the line ends right after the month.
    for (const char* line : {"2017 6\n", "2017 6 \n", "2017 6\t\n",
                             "2017,6,\n", "2017 6 ;\r\n"}) {
        feed(line);
        expect_three(2017, 6, -3, line);
    }
}

TEST_F(ConsoleTest, EnterKeepsEveryDefault) {
    int y, m, d;
    feed("\n");
    expect_three(-1, -2, -3);
    // A line end of the other convention is ENTER too.
    feed("\r\n2017 6 17\r\n");
    three(&y, &m, &d);
    EXPECT_EQ(y, -1);
    three(&y, &m, &d);
    EXPECT_EQ(y, 2017);
    EXPECT_EQ(d, 17);
}

TEST_F(ConsoleTest, LineOfBlanksIsEnter) {
    // At every token reader, as ENTER alone: each default kept, no mark.
    for (const char* line : {"     \n", "\t\n", " \t \r\n"}) {
        feed(std::string(line) + line + line + line);
        expect_three(-1, -2, -3, line);
        EXPECT_EQ(parsenth(1, 7), 7) << line;
        EXPECT_EQ(readers().parsenth_interactive(1, 8), 8) << line;
        EXPECT_EQ(parsefd(1, 2.5), 2.5) << line;
        EXPECT_EQ(readers().typed_text(), ConsoleReaders::kNoText) << line;
        EXPECT_EQ(readers().typed_numbers(), 0) << line;
    }
}

TEST_F(ConsoleTest, TextToNumberRules) {
    feed("x 12abc 6.7 -5 +8 99999999999 -99999999999\n");
    EXPECT_EQ(parsenth(1, 9), 0);
    EXPECT_EQ(parsenth(2, 9), 12);
    EXPECT_EQ(parsenth(3, 9), 6);
    EXPECT_EQ(parsenth(4, 9), -5);
    EXPECT_EQ(parsenth(5, 9), 8);
    EXPECT_EQ(parsenth(6, 9), INT_MAX);
    EXPECT_EQ(parsenth(7, 9), INT_MIN);
    EXPECT_EQ(parsenth(8, 9), 9);

    feed("1.83 x 1e308 inf nan 1e999 -0 0.5e1\n");
    EXPECT_DOUBLE_EQ(parsefd(1, 7.0), 1.83);
    EXPECT_EQ(parsefd(2, 7.0), 0.0);
    EXPECT_EQ(parsefd(3, 7.0), 1e308);
    EXPECT_EQ(parsefd(4, 7.0), 0.0);  // not finite: no number
    EXPECT_EQ(parsefd(5, 7.0), 0.0);
    EXPECT_EQ(parsefd(6, 7.0), 0.0);
    double z = parsefd(7, 7.0);
    EXPECT_EQ(z, 0.0);
    EXPECT_FALSE(std::signbit(z));
    EXPECT_EQ(parsefd(8, 7.0), 5.0);
    EXPECT_EQ(parsefd(9, 7.0), 7.0);
}

TEST_F(ConsoleTest, TextInALineIsMarkedNumbersReadAsEver) {
    // Every reader marks a line that holds anything besides numbers (a
    // hemisphere letter apart at degrees and minutes) and still hands back
    // what the numbers at its start give; a line of numbers only is not
    // marked and reads as ever.
    enum Reader { kTokens, kReal, kAngle, kOne };
    const int N = ConsoleReaders::kNoText, T = ConsoleReaders::kText,
              H = ConsoleReaders::kHemisphereLetter,
              F = ConsoleReaders::kDegreesWithFraction,
              S = ConsoleReaders::kSeconds, M = ConsoleReaders::kMinutesOf60;
    struct Case {
        Reader reader;
        const char* line;
        int mark;
        double v1, v2, v3;
    };
    const Case cases[] = {
        {kTokens, "2017 6 17\n", N, 2017, 6, 17},
        {kTokens, "2017,6;17\n", N, 2017, 6, 17},
        {kTokens, "2017 6 \n", N, 2017, 6, -3},
        {kTokens, "6.7\t-1e3\n", N, 6, -1, -3},  // a tab separates
        {kTokens, "2018\t3 \t2\n", N, 2018, 3, 2},
        {kTokens, "\n", N, -1, -2, -3},
        {kTokens, "x\n", T, 0, -2, -3},
        {kTokens, "12abc\n", T, 12, -2, -3},
        {kTokens, "2017 6 17x\n", T, 2017, 6, 17},
        {kTokens, "33 20 S\n", T, 33, 20, 0},
        {kReal, "-1.5e1 7\n", N, -15, 0, 0},
        {kReal, "0x10\n", T, 16, 0, 0},
        {kReal, "nan\n", T, 0, 0, 0},
        {kAngle, "-33 20 10\n", S, -33, -20, 0},  // seconds
        {kAngle, "48 7 30 0\n", S, 48, 7, 0},
        {kAngle, "48.5 7 30\n", S, 48.5, 7, 0},
        {kAngle, "48 70\n", M, 48, 70, 0},  // minutes of 60 or more
        {kAngle, "48 60\n", M, 48, 60, 0},
        {kAngle, "-0 -60\n", M, 0, -60, 0},
        {kAngle, "48 59.99\n", N, 48, 59.99, 0},
        {kAngle, "48 -1e308\n", M, 48, 1e308, 0},
        {kAngle, "48 70 x\n", T, 48, 70, 0},
        {kAngle, "-33.5\t\n", N, -33, -30, 0},
        {kAngle, "-33.5 10\n", F, -33.5, -10, 0},
        {kAngle, "-33.5 x\n", T, -33, -30, 0},
        {kAngle, "33 20 S\n", H, 33, 20, 0},
        {kAngle, "20s\n", H, 20, 46.99, 0},
        {kAngle, "W17 30\n", H, 44, 46.99, 0},
        {kAngle, "33 20 x\n", T, 33, 20, 0},
        {kAngle, "33\xc2\xb0" "20'\n", T, 33, 46.99, 0},
        {kAngle, "33,20\n", T, 33, 46.99, 0},
        {kOne, "-3.5e1\n", N, -35, 0, 0},
        {kOne, "S\n", T, 9, 0, 0},
        {kOne, "2 far\n", T, 2, 0, 0},
        {kOne, "1,5\n", T, 1, 0, 0},
    };
    for (const Case& c : cases) {
        feed(c.line);
        double v[3] = {0, 0, 0};
        switch (c.reader) {
        case kTokens:
            v[0] = parse4nth(0, 1, -1);
            v[1] = parse4nth(0, 2, -2);
            v[2] = parse4nth(0, 3, -3);
            break;
        case kReal: v[0] = parsefd(1, 9.0); break;
        case kAngle: lies2(44, 46.99, &v[0], &v[1]); break;
        case kOne: lies1(-1, 9.0, &v[0]); break;
        }
        EXPECT_EQ(readers().typed_text(), c.mark) << c.line;
        EXPECT_DOUBLE_EQ(v[0], c.v1) << c.line;
        EXPECT_DOUBLE_EQ(v[1], c.v2) << c.line;
        EXPECT_DOUBLE_EQ(v[2], c.v3) << c.line;
    }
    // The numbers of the line are counted, so that a question that takes
    // one number can refuse a decimal comma.
    const struct {
        const char* line;
        int numbers;
    } counted[] = {{"2,5\n", 2}, {"1 5\n", 2}, {"1\t5\n", 2}, {"2.5\n", 1},
                   {"2 \n", 1},  {"2;\n", 1},  {"x 5\n", 1},  {"\n", 0}};
    for (const auto& c : counted) {
        feed(c.line);
        parsefd(1, 9.0);
        EXPECT_EQ(readers().typed_numbers(), c.numbers) << c.line;
    }
    // A call that reads nothing leaves no mark behind.
    feed("x 5\n");
    parsenth(1, 0);
    readers().set_automatic(true);
    parsenth(1, 0);
    EXPECT_EQ(readers().typed_text(), N);
    EXPECT_EQ(readers().typed_numbers(), 0);
}

TEST_F(ConsoleTest, EachTokenReaderKeepsItsOwnLine) {
    feed("1 2 3\n4 5 6\n7.5 8.5\n");
    EXPECT_EQ(parsenth(1, 0), 1);
    EXPECT_EQ(parse4nth(0, 1, 0), 4);
    EXPECT_DOUBLE_EQ(parsefd(1, 0.0), 7.5);
    EXPECT_EQ(parsenth(3, 0), 3);
    EXPECT_EQ(parse4nth(0, 2, 0), 5);
    EXPECT_DOUBLE_EQ(parsefd(2, 0.0), 8.5);
    EXPECT_EQ(parsenth(2, 0), 2);
}

TEST_F(ConsoleTest, AutomaticModeReadsNothing) {
    feed("2017 6 17\n");
    // parse4nth with iterq 1 leaves the waiting line unread.
    EXPECT_EQ(parse4nth(1, 1, 44), 44);
    EXPECT_EQ(parse4nth(1, 2, 45), 45);
    EXPECT_EQ(parsenth(1, 0), 2017);

    // The console's own flag: every reader takes its default unread, and
    // lies1 / lies2 print nothing.
    feed("5 6\n");
    readers().set_automatic(true);
    EXPECT_EQ(parsenth(1, 11), 11);
    EXPECT_EQ(parse4nth(0, 1, 12), 12);
    EXPECT_EQ(parsefd(1, 1.5), 1.5);
    double a = 0, b = 0;
    lies2(-17, -11.6, &a, &b);
    EXPECT_EQ(a, -17);
    EXPECT_EQ(b, -11.6);
    lies1(2, 3.25, &a);
    EXPECT_EQ(a, 3.25);
    EXPECT_EQ(out(), "");
    readers().set_automatic(false);
    EXPECT_EQ(parsenth(1, 0), 5);

    // Following the dialog's iterq.
    feed("8\n9\n");
    int iterq = 1;
    readers().follow_mode(&iterq);
    EXPECT_EQ(parsenth(1, 3), 3);
    iterq = 0;
    EXPECT_EQ(parsenth(1, 3), 8);
    // A screen that cannot go on without an answer still reads.
    iterq = 1;
    EXPECT_EQ(readers().parsenth_interactive(1, 3), 9);
}

TEST_F(ConsoleTest, Lies2DefaultShownWithTheCarry) {
    // A default of 44 deg 59.999' is shown as 45 0.00; ENTER keeps it as is.
    feed("\n\n\n");
    double d = 0, m = 0;
    lies2(44, 59.999, &d, &m);
    EXPECT_EQ(out(), "[Default: 45 0.00 ] Input: ");
    EXPECT_EQ(d, 44.0);
    EXPECT_EQ(m, 59.999);
    out_.str("");
    lies2(-17, -59.996, &d, &m);
    EXPECT_EQ(out(), "[Default: -18 0.00 ] Input: ");
    EXPECT_EQ(m, -59.996);
    // Off the boundary, as ever.
    out_.str("");
    lies2(-17, -11.6, &d, &m);
    EXPECT_EQ(out(), "[Default: -17 -11.60 ] Input: ");
}

TEST_F(ConsoleTest, Lies2SignRule) {
    struct Case {
        double x1, x2;
        const char* line;
        double z1, z2;
    };
    const Case cases[] = {
        {44, 46.99, "\n", 44, 46.99},
        {44, 46.99, "-17 11.6\n", -17, -11.6},
        {44, 46.99, "-17 -11.6\n", -17, -11.6},
        {44, 46.99, "0 -30\n", 0, -30},
        {44, 46.99, "0 30\n", 0, 30},
        {44, 46.99, "-0 30\n", 0, -30},  // the minus sign is kept
        {44, 46.99, "-0 -30\n", 0, -30},
        {44, 46.99, "-0\n", 0, -46.99},
        {-17, -11.6, "-0\n", 0, -11.6},
        {44, 46.99, "+0 30\n", 0, 30},
        {44, 46.99, "-0.5\n", 0, -30},  // decimal degrees
        {44, 46.99, "0.25\n", 0, 15},
        {44, 46.99, "-33.5\n", -33, -30},
        {44, 46.99, "12.1\n", 12, 6},
        {44, 46.99, "1.5e1\n", 15, 0},  // decimal degrees, as written
        {44, 46.99, "48.0\n", 48, 0},
        {44, 46.99, "5.\n", 5, 0},
        {-17, -11.6, "-17.0\n", -17, 0},
        {44, 46.99, "-0.0\n", 0, 0},
        {44, 46.99, "1e308\n", 1e308, 0},
        {44, 46.99, "48\n", 48, 46.99},  // written whole: the minutes stay
        {44, 46.99, "48.0 10\n", 48, 10},
        {44, 46.99, "45\n", 45, 46.99},
        {-17, -11.6, "45\n", 45, 11.6},
        {-17, 11.6, "\n", -17, -11.6},  // the rule applies to defaults too
        {44, 46.99, "24.5 10\n", 24.5, 10},
        {44, 46.99, "abc 10\n", 44, 46.99},
        {44, 46.99, "12 abc\n", 12, 46.99},
        {44, 46.99, "inf 10\n", 44, 46.99},
        {44, 46.99, "12 nan\n", 12, 46.99},
        {44, 46.99, "1e308 1\n", 1e308, 1},
    };
    for (const Case& c : cases) {
        feed(c.line);
        double z1 = 99, z2 = 99;
        lies2(c.x1, c.x2, &z1, &z2);
        EXPECT_EQ(z1, c.z1) << c.line;
        EXPECT_DOUBLE_EQ(z2, c.z2) << c.line;
        EXPECT_FALSE(std::signbit(z1) && z1 == 0) << c.line;
    }
    feed("\n");
    double z1, z2;
    lies2(44, 46.99, &z1, &z2);
    EXPECT_EQ(out(), "[Default: 44 46.99 ] Input: ");
    // -17 0: the minutes are 0, shown and kept without a minus sign.
    feed("-17 0\n");
    lies2(44, 46.99, &z1, &z2);
    EXPECT_EQ(z2, 0.0);
    EXPECT_FALSE(std::signbit(z2));
}

TEST_F(ConsoleTest, Lies1DefaultFormats) {
    struct Case {
        int liesdf;
        double x1;
        const char* shown;
    };
    const Case cases[] = {
        {0, 2.0, " [Default: 2 ] Input: "},
        {0, -2.3, " [Default: -1 ] Input: "},
        {0, 1e300, " [Default: 2147483647 ] Input: "},
        {1, 16.1, " [Default: 16.1 ] Input: "},
        {2, 69.36, " [Default: 69.36 ] Input: "},
        {3, 1.5, " [Default: 1.50000000 ] Input: "},
        {7, 1.5, " [Default: 1.50000000 ] Input: "},
        {-2, 1.0, "   Input: "},
        {-1, 1.0, ""},
        {-3, 1.0, ""},
    };
    for (const Case& c : cases) {
        feed("\n");
        double z = 0;
        lies1(c.liesdf, c.x1, &z);
        EXPECT_EQ(out(), c.shown) << c.liesdf;
        EXPECT_EQ(z, c.x1);
        EXPECT_EQ(readers().lies1_found(), 0);
    }
    feed("  -3.5e1 rest\nabc\ninf\n-0\n");
    double z = 0;
    lies1(2, 9.0, &z);
    EXPECT_EQ(z, -35.0);
    EXPECT_EQ(readers().lies1_found(), 1);
    lies1(2, 9.0, &z);
    EXPECT_EQ(z, 9.0);
    EXPECT_EQ(readers().lies1_found(), 0);
    lies1(2, 9.0, &z);
    EXPECT_EQ(z, 9.0);
    lies1(2, 9.0, &z);
    EXPECT_EQ(z, 0.0);
    EXPECT_FALSE(std::signbit(z));
}

TEST_F(ConsoleTest, SkipBeginsANewScreen) {
    feed("");
    EXPECT_EQ(skip(0), 0);
    EXPECT_EQ(skip(-4), 0);
    EXPECT_EQ(out(), "");
    EXPECT_EQ(skip(25), 25);
    std::string expect = " >skip> \n";
    for (int i = 0; i < 25; ++i) expect += " \n";
    EXPECT_EQ(out(), expect);
    EXPECT_EQ(skip(1), 1);
    EXPECT_EQ(out(), expect + " >skip> \n \n");
}

TEST_F(ConsoleTest, LongLinesAreOneAnswer) {
    // 60 characters are taken, the rest of the line is dropped with them:
    // the next read takes the next line.
    std::string head;
    for (int i = 0; i < 30; ++i) head += "1 ";
    feed(head + "7 8\n9\n");
    EXPECT_EQ(parsenth(1, 0), 1);
    EXPECT_EQ(parsenth(30, 0), 1);
    EXPECT_EQ(parsenth(31, -1), -1);
    EXPECT_EQ(parsenth(1, 0), 9);

    // discard_pending after it has nothing left to drop.
    feed(head + "7 8\n9\n");
    EXPECT_EQ(parsenth(1, 0), 1);
    readers().discard_pending();
    EXPECT_EQ(parsenth(1, 0), 9);

    // After a line read to its end there is nothing to drop.
    feed("5\n6\n");
    EXPECT_EQ(parsenth(1, 0), 5);
    readers().discard_pending();
    EXPECT_EQ(parsenth(1, 0), 6);

    // A pause after a long line waits for the next line's key.
    feed(head + "7 8\nq\n4\n");
    EXPECT_EQ(parsenth(1, 0), 1);
    EXPECT_EQ(readers().pause(), 'q');
    EXPECT_EQ(parsenth(1, 0), 4);

    // A line of exactly 60 characters leaves no stray ENTER behind.
    std::string sixty(58, ' ');
    sixty += "42";
    feed(sixty + "\n3\n");
    EXPECT_EQ(parsenth(1, 0), 42);
    EXPECT_EQ(parsenth(1, -1), 3);
    // Nor one of 60 characters ended by CR LF.
    feed(sixty + "\r\n3\n");
    EXPECT_EQ(parsenth(1, 0), 42);
    EXPECT_EQ(parsenth(1, -1), 3);

    // lies1 and lies2 take 59 characters and drop the rest.
    std::string pad(57, ' ');
    feed(pad + "1234\n5\n");
    double z = 0;
    lies1(-1, 0, &z);
    EXPECT_EQ(z, 12.0);
    lies1(-1, 0, &z);
    EXPECT_EQ(z, 5.0);
    feed(std::string(56, ' ') + "12 30\n-3 4\n");
    double d = 0, m = 0;
    lies2(44, 46.99, &d, &m);
    EXPECT_EQ(d, 12.0);
    EXPECT_EQ(m, 46.99);
    lies2(44, 46.99, &d, &m);
    EXPECT_EQ(d, -3.0);
    EXPECT_EQ(m, -4.0);

    // parse4nth and parsefd alike.
    feed(head + "7 8\n6\n" + head + "7 8\n2.5\n");
    EXPECT_EQ(parse4nth(0, 1, 0), 1);
    EXPECT_EQ(parse4nth(0, 1, 0), 6);
    EXPECT_EQ(parsefd(1, 0.0), 1.0);
    EXPECT_EQ(parsefd(1, 0.0), 2.5);
}

TEST_F(ConsoleTest, EndOfInputGivesDefaultsAtOnce) {
    feed("2017 6 17\n");
    int y, m, d;
    three(&y, &m, &d);
    EXPECT_EQ(y, 2017);
    EXPECT_FALSE(console().ended);
    // The old line is not handed back: defaults, and the end is noted.
    expect_three(-1, -2, -3);
    EXPECT_TRUE(console().ended);
    EXPECT_EQ(parsenth(1, 5), 5);
    EXPECT_EQ(parsefd(1, 2.5), 2.5);
    double a = 0, b = 0;
    lies2(44, 46.99, &a, &b);
    EXPECT_EQ(a, 44);
    EXPECT_EQ(b, 46.99);
    lies1(1, 3.0, &a);
    EXPECT_EQ(a, 3.0);
    EXPECT_EQ(readers().pause(), -1);
    readers().discard_pending();
    EXPECT_TRUE(console().ended);
}

TEST_F(ConsoleTest, LastLineWithoutLineEndCounts) {
    feed("5");
    EXPECT_EQ(parsenth(1, 0), 5);
    EXPECT_FALSE(console().ended);
    EXPECT_EQ(parsenth(1, 9), 9);
    EXPECT_TRUE(console().ended);

    feed("-17 11.6");
    double a = 0, b = 0;
    lies2(44, 46.99, &a, &b);
    EXPECT_EQ(a, -17);
    EXPECT_DOUBLE_EQ(b, -11.6);
}

TEST_F(ConsoleTest, TextEndsAtANulByte) {
    feed(std::string("12\0 34\n56\n", 10));
    EXPECT_EQ(parsenth(1, 0), 12);
    EXPECT_EQ(parsenth(2, -1), -1);
    EXPECT_EQ(parsenth(1, 0), 56);
}

TEST(TruncInt, ClampsBeforeTruncating) {
    EXPECT_EQ(trunc_int(2.9), 2);
    EXPECT_EQ(trunc_int(-2.9), -2);
    EXPECT_EQ(trunc_int(-0.0), 0);
    EXPECT_EQ(trunc_int(1e308), INT_MAX);
    EXPECT_EQ(trunc_int(-1e308), INT_MIN);
    EXPECT_EQ(trunc_int(INFINITY), INT_MAX);
    EXPECT_EQ(trunc_int(-INFINITY), INT_MIN);
    EXPECT_EQ(trunc_int(NAN), 0);
    EXPECT_EQ(trunc_int(2147483646.5), 2147483646);
    EXPECT_EQ(trunc_int(-2147483648.0), INT_MIN);
}

// Random bytes fed to every reader in random order: no crash, no hang, and
// the input is used up after at most one reading call per byte.
TEST_F(ConsoleTest, RandomBytesEndInBoundedCalls) {
    std::mt19937 gen(20170617u);
    for (int round = 0; round < 200; ++round) {
        std::uniform_int_distribution<int> len(0, 400);
        std::uniform_int_distribution<int> byte(0, 255);
        std::string text;
        int n = len(gen);
        for (int i = 0; i < n; ++i) {
            // Plenty of digits, separators and line ends among the noise.
            int pick = byte(gen);
            if (pick < 60) text += static_cast<char>('0' + pick % 10);
            else if (pick < 90) text += " ,;\n.-e"[pick % 7];
            else text += static_cast<char>(byte(gen));
        }
        feed(text);
        std::uniform_int_distribution<int> which(0, 6);
        std::uniform_int_distribution<int> nth(1, 4);
        int calls = 0;
        while (!console().ended) {
            ASSERT_LE(calls, n + 2) << "round " << round;
            double a = 1, b = 2;
            switch (which(gen)) {
            case 0: parsenth(1, 3); parsenth(nth(gen), 3); break;
            case 1: parse4nth(0, 1, 3); parse4nth(0, nth(gen), 3); break;
            case 2:
                a = parsefd(1, 1.0);
                EXPECT_TRUE(std::isfinite(a));
                break;
            case 3:
                lies2(44, 46.99, &a, &b);
                EXPECT_TRUE(std::isfinite(a) && std::isfinite(b));
                break;
            case 4:
                lies1(0, 1.0, &a);
                EXPECT_TRUE(std::isfinite(a));
                break;
            case 5: readers().pause(); break;
            default:
                parsenth(1, 0);
                readers().discard_pending();
                break;
            }
            ++calls;
        }
    }
}

} // namespace
} // namespace lunarfix
