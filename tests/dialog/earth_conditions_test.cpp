// The EARTH-CONDITIONS screen: the screen text, the answers ENTER, 1 and 0,
// the rounding of the answer, the limits and the Delta T held for the
// rest of the process.  Runs in a temporary directory (the Delta T
// prediction file is created there).
#include "foundations/console_io.h"
#include "dialog/console.h"
#include "dialog/earth_conditions.h"
#include "dialog_harness.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

#include <unistd.h>

namespace lunarfix {
namespace {

using lunarfix_test::count;
using lunarfix_test::has;

class EarthconTest
    : public lunarfix_test::InTempDirWith<lunarfix_test::ScreenFixture> {
protected:
    void SetUp() override {
        InTempDirWith::SetUp();
        readers().reset();
    }
    // One call of the screen with the typed answers `text` (the readers
    // keep their state from one call to the next).
    void show(const std::string& text, int year = 2017, double deltime = 68.5,
              double tempin = 16.1, double pressin = 1026.4) {
        ConsoleFixture::feed(text);
        dt_ = t_ = p_ = -12345.0;
        mo_ = -1;
        earthcon_with(&mem_, year, deltime, tempin, pressin, 1, &dt_, &t_, &p_,
                      &mo_);
    }
    EarthconMemory mem_;
    double dt_ = 0, t_ = 0, p_ = 0;
    int mo_ = 0;
};

// The whole screen up to its question, with the standard temperature and
// pressure.
std::string screen(const char* deltat_line, const char* note = "") {
    std::string s = " " + std::string(40, '\n');
    s += "  The following STANDARD CONDITIONS should only\n"
         "  be modified, if alternative parameters\n"
         "  are known with sufficient precision!\n\n"
         "  **********> EARTH-CONDITIONS <****************\n";
    s += deltat_line;
    s += note;
    s += "    Temperature = 16.1 deg Celsius \n"
         "    Pressure    = 1026.4 hPa. \n"
         "  **********************************************\n\n"
         "       To modify, enter 1, else hit RETURN:\n"
         "###>    Input: ";
    return s;
}

TEST_F(EarthconTest, EnterKeepsEverything) {
    show("\n");
    EXPECT_EQ(out_.str(), screen("    Delta_T=TT-UT1= 68.50 sec\n"));
    EXPECT_EQ(dt_, 68.5);
    EXPECT_EQ(t_, 16.1);
    EXPECT_EQ(p_, 1026.4);
    EXPECT_EQ(mo_, 1);
    EXPECT_EQ(mem_.memtime, 0);
    // The Delta T prediction file now exists.
    EXPECT_EQ(access("moondist0x0.txt", F_OK), 0);

    // Also for a Delta T near 0, and for a line without a number.
    show("\n", 2017, 1.2);
    EXPECT_EQ(dt_, 1.2);
    show("no\n", 2017, -0.7);
    EXPECT_EQ(dt_, -0.7);
    EXPECT_EQ(mem_.memtime, 0);
    // A negative pressure handed in comes back unchanged after ENTER.
    show("\n", 2017, 68.5, 16.1, -5.0);
    EXPECT_EQ(p_, -5.0);
}

TEST_F(EarthconTest, YearsShownWithTheirNotes) {
    show("\n", 2019);
    EXPECT_TRUE(has(out_.str(), "    Delta_T=TT-UT1= 68.50 sec\n    Temp"));
    show("\n", 2020, 69.36);
    EXPECT_TRUE(has(out_.str(),
                    "    Delta_T=TT-UT1= 69.36 sec (extrapolated!)\n    Temp"));
    show("\n", 3001, 0.0);
    EXPECT_EQ(out_.str(),
              screen("    Delta_T=TT-UT1= 0.00 sec (extrapolated!)\n",
                     "    NOTE: Year>3000: year=3001\n"));
}

TEST_F(EarthconTest, AnswerOneChangesAllThree) {
    show("1\n70.25\n-5\n990\n\n");
    EXPECT_EQ(out_.str(),
              screen("    Delta_T=TT-UT1= 68.50 sec\n") +
                  "Change following values or hit ENTER:\n"
                  "###> Delta_T =  [Default: 68.50 ] Input: "
                  "###> Temperature =  [Default: 16.1 ] Input: "
                  ">> temp -5.0\n"
                  "###> Pressure =  [Default: 1026.4 ] Input: "
                  ">> press 990.0\n");
    EXPECT_EQ(dt_, 70.25);
    EXPECT_EQ(t_, -5.0);
    EXPECT_EQ(p_, 990.0);
    EXPECT_TRUE(in_.eof() || in_.peek() == EOF);  // the pause took the last
    EXPECT_EQ(mem_.memtime, 1);
}

TEST_F(EarthconTest, DeltaTHeldUntilTheProgramEnds) {
    // Answer 1 and ENTER three times: the values stay, Delta T is held.
    show("1\n\n\n\n\n");
    EXPECT_EQ(dt_, 68.5);
    EXPECT_EQ(mem_.memtime, 1);
    // A later first sight of another year shows and returns the same.
    show("\n", 2100, 200.0);
    EXPECT_EQ(dt_, 68.5);
    EXPECT_TRUE(has(out_.str(), "Delta_T=TT-UT1= 68.50 sec (extrapolated!)"));

    // Answer 0: Delta T is 0 at every later call.
    EarthconMemory fresh;
    mem_ = fresh;
    show("0\n");
    EXPECT_EQ(dt_, 0.0);
    show("\n", 1900, -1.98);
    EXPECT_EQ(dt_, 0.0);
    EXPECT_TRUE(has(out_.str(), "    Delta_T=TT-UT1= 0.00 sec\n"));
}

TEST_F(EarthconTest, AnswerRoundedToAChoice) {
    // Rounded to 1: Delta T changed; to 0: Delta T zero; else nothing.
    struct Case {
        const char* answer;
        double dt;
        int memtime;
    };
    const Case cases[] = {{"0.6\n", 99.0, 1},   {"1.4\n", 99.0, 1},
                          {"1.5\n", 68.5, 0},   {"2\n", 68.5, 0},
                          {"-1.4\n", 0.0, 1},   {"0.4\n", 0.0, 1},
                          {"-1.5\n", 68.5, 0},  {"1e308\n", 68.5, 0}};
    for (const Case& c : cases) {
        mem_ = EarthconMemory();
        show(std::string(c.answer) + "99\n\n\n\n");
        EXPECT_EQ(dt_, c.dt) << c.answer;
        EXPECT_EQ(mem_.memtime, c.memtime) << c.answer;
    }
}

TEST_F(EarthconTest, DeltaTLimitedTemperatureAndPressureRefused) {
    // Delta T keeps its limits.
    struct Case {
        const char* typed;
        double dt;
    };
    const Case cases[] = {
        {"6000", 6000}, {"6000.5", 5999}, {"-1000", -1000}, {"-1000.5", -999},
    };
    for (const Case& c : cases) {
        mem_ = EarthconMemory();
        show(std::string("1\n") + c.typed + "\n\n\n\n");
        EXPECT_EQ(dt_, c.dt) << c.typed;
        EXPECT_EQ(t_, 16.1) << c.typed;
        EXPECT_EQ(p_, 1026.4) << c.typed;
    }
    // The ends of the temperature and pressure ranges are taken.
    mem_ = EarthconMemory();
    show("1\n\n-80\n1200\n\n");
    EXPECT_EQ(t_, -80.0);
    EXPECT_EQ(p_, 1200.0);
    mem_ = EarthconMemory();
    show("1\n\n60\n0\n\n");
    EXPECT_EQ(t_, 60.0);
    EXPECT_EQ(p_, 0.0);
    // Beyond them, or not finite: refused with one line, and the question
    // is asked again with its default unchanged.
    mem_ = EarthconMemory();
    show("1\n\n60.1\n-80.1\ninf\n5\n1200.1\n-5\nnan\n1000\n\n");
    EXPECT_EQ(t_, 5.0);
    EXPECT_EQ(p_, 1000.0);
    const std::string out = out_.str();
    EXPECT_EQ(count(out, "###> Temperature =  [Default: 16.1 ] Input:  !!! "
                         "Temperature must be from -80 to +60 C: asked again\n"),
              3);
    EXPECT_EQ(count(out, "###> Pressure =  [Default: 1026.4 ] Input:  !!! "
                         "Pressure must be from 0 to 1200 hPa: asked again\n"),
              3);
    EXPECT_TRUE(has(out, ">> temp 5.0\n"));
    EXPECT_TRUE(has(out, ">> press 1000.0\n"));
    EXPECT_FALSE(has(out, "nan"));
    EXPECT_FALSE(has(out, "inf"));
    // A negative pressure handed in is offered as 0.
    mem_ = EarthconMemory();
    show("1\n\n\n\n\n", 2017, 68.5, 16.1, -5.0);
    EXPECT_TRUE(has(out_.str(), "###> Pressure =  [Default: 0.0 ] Input: "));
    EXPECT_EQ(p_, 0.0);
}

TEST_F(EarthconTest, OneNumberAtEachQuestionAndDeltaTZeroSaid) {
    // A second number on the line ("1 013" with a blank between thousands,
    // "16 5" for 16.5) is refused and the question asked again; an answer
    // of 0 says that Delta T is now 0.
    const char* const choice = " !!! Choice is one number: asked again\n";
    const char* const zero =
        "###>    Input:  !!! Delta_T set to 0 sec for the rest of the run\n";
    struct Case {
        const char* typed;
        const char* refusal;
        double dt, t, p;
    };
    const Case cases[] = {
        {"0 5\n0\n", choice, 0.0, 16.1, 1026.4},
        {"1 1\n\n", choice, 68.5, 16.1, 1026.4},
        {"1\n69 2\n69.2\n\n\n\n",
         " !!! Delta_T is one number: type a decimal point (2.5): asked "
         "again\n",
         69.2, 16.1, 1026.4},
        {"1\n\n16 5\n16.5\n\n\n",
         " !!! Temperature is one number: type a decimal point (2.5): asked "
         "again\n",
         68.5, 16.5, 1026.4},
        {"1\n\n\n1 013\n1013\n\n",
         " !!! Pressure is one number: type a decimal point (2.5): asked "
         "again\n",
         68.5, 16.1, 1013.0},
    };
    for (const Case& c : cases) {
        mem_ = EarthconMemory();
        out_.str("");
        show(c.typed);
        EXPECT_EQ(count(out_.str(), c.refusal), 1) << c.typed << out_.str();
        EXPECT_EQ(count(out_.str(), "asked again"), 1) << c.typed;
        EXPECT_EQ(count(out_.str(), zero), c.dt == 0.0 ? 1 : 0) << c.typed;
        EXPECT_EQ(dt_, c.dt) << c.typed;
        EXPECT_EQ(t_, c.t) << c.typed;
        EXPECT_EQ(p_, c.p) << c.typed;
    }
}

TEST_F(EarthconTest, EndOfInputKeepsTheValues) {
    show("1\n71\n");
    EXPECT_TRUE(console().ended);
    EXPECT_EQ(dt_, 71.0);
    EXPECT_EQ(t_, 16.1);
    EXPECT_EQ(p_, 1026.4);
    show("");
    EXPECT_EQ(dt_, 71.0);
}

TEST_F(EarthconTest, ProcessMemoryHoldsAZeroedDeltaT) {
    in_.str("0\n\n");
    set_console(&in_, &out_);
    double dt = 1, t = 0, p = 0;
    int mo = 0;
    earthcon(2017, 68.5, 16.1, 1026.4, 1, &dt, &t, &p, &mo);
    EXPECT_EQ(dt, 0.0);
    earthcon(2030, 70.0, 16.1, 1026.4, 7, &dt, &t, &p, &mo);
    EXPECT_EQ(dt, 0.0);
    EXPECT_EQ(mo, 7);
}

} // namespace
} // namespace lunarfix
