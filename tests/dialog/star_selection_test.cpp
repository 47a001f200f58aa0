// The star selection screen and the two star name lists.
#include "foundations/console_io.h"
#include "dialog/console.h"
#include "dialog/star_selection.h"
#include "dialog_harness.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iostream>
#include <sstream>
#include <string>

namespace lunarfix {
namespace {

class StarlistTest : public lunarfix_test::ScreenFixture {
protected:
    int choose(const std::string& text, int iterq, int idstar) {
        feed(text);
        return starlist(iterq, idstar);
    }
    std::string left() { return rest(); }
    int count(const std::string& what) const {
        const std::string s = out_.str();
        int n = 0;
        for (std::size_t p = s.find(what); p != std::string::npos;
             p = s.find(what, p + 1))
            ++n;
        return n;
    }
};

// The whole screen for a default.
std::string screen(int deflt) {
    std::string s(38, '\n');
    s += " *** STAR-CATALOG 0..57: ***\n";
    const char* rows[20] = {
        " 0=Acamar     20=Canopus   40=Mirfak   \n",
        " 1=Achernar   21=Capella   41=Nunki    \n",
        " 2=Acrux      22=Deneb     42=Peacock  \n",
        " 3=Adhara     23=Denebola  43=Polaris  \n",
        " 4=Aldebaran  24=Diphda    44=Pollux   \n",
        " 5=Alioth     25=Dubhe     45=Procyon  \n",
        " 6=Alkaid     26=Elnath    46=Rasalhague\n",
        " 7=Al Na'ir   27=Eltanin   47=Regulus  \n",
        " 8=Alnilam    28=Enif      48=Rigel    \n",
        " 9=Alphard    29=Fomalhaut 49=Rigil Kent.\n",
        " 10=Alphecca  30=Gacrux    50=Sabik    \n",
        " 11=Alpheratz 31=Gienah    51=Schedar  \n",
        " 12=Altair    32=Hadar     52=Shaula   \n",
        " 13=Ankaa     33=Hamal     53=Sirius   \n",
        " 14=Antares   34=Kaus Aust 54=Spica    \n",
        " 15=Arcturus  35=Kochab    55=Suhail   \n",
        " 16=Atria     36=Markab    56=Vega     \n",
        " 17=Avior     37=Menkar    57=Zub.elgenu\n",
        " 18=Bellatrix 38=Menkent   58=DUMMY    \n",
        " 19=Betelgeus 39=Miaplacid             \n",
    };
    for (const char* r : rows) s += r;
    s += " ----------> Default-Star: " + std::to_string(deflt) + " \n";
    s += " ==>  enter Number of Star:\n";
    return s;
}

TEST_F(StarlistTest, EnterKeepsTheDefault) {
    EXPECT_EQ(choose("\n\n", 0, 33), 33);
    EXPECT_EQ(out_.str(), screen(33) + " - Star selected: 33=Hamal\n");
    EXPECT_EQ(left(), "");  // answer and pause both read
}

TEST_F(StarlistTest, AnswersInRange) {
    EXPECT_EQ(choose("57\n\n", 0, 33), 57);
    EXPECT_EQ(out_.str(), screen(33) + " - Star selected: 57=Zub.elgenu\n");
    EXPECT_EQ(choose("0\n\n", 0, 33), 0);
    // Text is no number: refused, and asked again.
    EXPECT_EQ(choose("Sirius\n53\n\n", 0, 33), 53);
    EXPECT_EQ(out_.str(), screen(33) +
                              " !!! Star number must be from 0 to 57: asked "
                              "again\n ==>  enter Number of Star:\n"
                              " - Star selected: 53=Sirius\n");
    EXPECT_EQ(choose("53 44\n\n", 0, 33), 53);
}

TEST_F(StarlistTest, RefusedNumbersShowDummyAndRepeat) {
    for (const char* bad : {"58", "59", "100", "-1", "99999999999"}) {
        EXPECT_EQ(choose(std::string(bad) + "\n\n12\n\n", 0, 33), 12) << bad;
        EXPECT_EQ(out_.str(), screen(33) + " - Star selected: 58=DUMMY\n" +
                                  screen(58) +
                                  " - Star selected: 12=Altair\n")
            << bad;
    }
    // After a refusal ENTER keeps repeating the screen.
    EXPECT_EQ(choose("77\n\n\n\n\n\n21\n\n", 0, 33), 21);
    EXPECT_EQ(count(" *** STAR-CATALOG 0..57: ***"), 4);
    EXPECT_EQ(count(" - Star selected: 58=DUMMY\n"), 3);
    EXPECT_EQ(count(" ----------> Default-Star: 58 \n"), 3);
}

TEST_F(StarlistTest, AutomaticModeReadsNothing) {
    EXPECT_EQ(choose("5\n\n", 1, 43), 43);
    EXPECT_EQ(out_.str(), screen(43) + " - Star selected: 43=Polaris\n");
    EXPECT_EQ(left(), "5\n\n");
    // Any flag other than 0 is automatic, and so is the console's mode.
    EXPECT_EQ(choose("5\n", 2, 19), 19);
    in_.str("5\n");
    in_.clear();
    readers().set_automatic(true);
    EXPECT_EQ(starlist(0, 7), 7);
    EXPECT_EQ(left(), "5\n");
}

TEST_F(StarlistTest, NoEndlessScreens) {
    // A refused default in automatic mode cannot be put right unread: the
    // screen then asks for an answer.
    EXPECT_EQ(choose("8\n\n", 1, 99), 8);
    EXPECT_EQ(count(" - Star selected: 58=DUMMY\n"), 1);
    // End of input after a refusal: the screen stops at once.
    EXPECT_EQ(choose("99\n", 0, 33), 33);
    EXPECT_TRUE(console().ended);
    EXPECT_EQ(choose("", 0, -4), 0);
    EXPECT_EQ(choose("", 1, 60), 0);
    EXPECT_LE(count(" *** STAR-CATALOG 0..57: ***"), 2);
}

TEST(StarNames, BothFormsByIndex) {
    EXPECT_STREQ(star_long_name(43), " 43 > POLARIS");
    EXPECT_STREQ(star_short_name(43), "43=Polaris");
    EXPECT_STREQ(star_long_name(19), " 19 > Betelgeuse");
    EXPECT_STREQ(star_short_name(19), "19=Betelgeus");
    EXPECT_STREQ(star_long_name(33), " 33 > Hamal");
    EXPECT_STREQ(star_long_name(34), " 34 > Kaus Aust.");
    EXPECT_STREQ(star_long_name(39), " 39 > Miaplacidus");
    EXPECT_STREQ(star_long_name(57), " 57 > Zubenelgenubi");
    EXPECT_STREQ(star_long_name(58), " 58 > DUMMY");
    EXPECT_STREQ(star_long_name(59), " ");
    EXPECT_STREQ(star_short_name(59), " ");
    EXPECT_STREQ(star_long_name(-1), " 58 > DUMMY");
    EXPECT_STREQ(star_short_name(60), "58=DUMMY");
    // Every entry carries its own index and fits its 20 characters.
    for (int i = 0; i < 59; ++i) {
        const std::string n = std::to_string(i);
        EXPECT_EQ(std::string(star_short_name(i)).rfind(n + "=", 0), 0u) << i;
        EXPECT_EQ(std::string(star_long_name(i)).rfind(" " + n + " > ", 0), 0u)
            << i;
        EXPECT_LT(std::strlen(star_long_name(i)), 20u);
    }
}

} // namespace
} // namespace lunarfix
