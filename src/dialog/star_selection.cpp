#include "dialog/star_selection.h"

#include "foundations/console_io.h"
#include "dialog/console.h"
#include "dialog/ranges.h"

namespace lunarfix {

// Short names: StarIndex, "=", the name abridged to fit a column of 12.
const char kStarShortNames[kStarNames][20] = {
    "0=Acamar",
    "1=Achernar",
    "2=Acrux",
    "3=Adhara",
    "4=Aldebaran",
    "5=Alioth",
    "6=Alkaid",
    "7=Al Na'ir",
    "8=Alnilam",
    "9=Alphard",
    "10=Alphecca",
    "11=Alpheratz",
    "12=Altair",
    "13=Ankaa",
    "14=Antares",
    "15=Arcturus",
    "16=Atria",
    "17=Avior",
    "18=Bellatrix",
    "19=Betelgeus",
    "20=Canopus",
    "21=Capella",
    "22=Deneb",
    "23=Denebola",
    "24=Diphda",
    "25=Dubhe",
    "26=Elnath",
    "27=Eltanin",
    "28=Enif",
    "29=Fomalhaut",
    "30=Gacrux",
    "31=Gienah",
    "32=Hadar",
    "33=Hamal",
    "34=Kaus Aust",
    "35=Kochab",
    "36=Markab",
    "37=Menkar",
    "38=Menkent",
    "39=Miaplacid",
    "40=Mirfak",
    "41=Nunki",
    "42=Peacock",
    "43=Polaris",
    "44=Pollux",
    "45=Procyon",
    "46=Rasalhague",
    "47=Regulus",
    "48=Rigel",
    "49=Rigil Kent.",
    "50=Sabik",
    "51=Schedar",
    "52=Shaula",
    "53=Sirius",
    "54=Spica",
    "55=Suhail",
    "56=Vega",
    "57=Zub.elgenu",
    "58=DUMMY",
    " ",
};

// Long names: " ", StarIndex, " > ", the full name (Polaris in capitals).
const char kStarLongNames[kStarNames][20] = {
    " 0 > Acamar",
    " 1 > Achernar",
    " 2 > Acrux",
    " 3 > Adhara",
    " 4 > Aldebaran",
    " 5 > Alioth",
    " 6 > Alkaid",
    " 7 > Al Na'ir",
    " 8 > Alnilam",
    " 9 > Alphard",
    " 10 > Alphecca",
    " 11 > Alpheratz",
    " 12 > Altair",
    " 13 > Ankaa",
    " 14 > Antares",
    " 15 > Arcturus",
    " 16 > Atria",
    " 17 > Avior",
    " 18 > Bellatrix",
    " 19 > Betelgeuse",
    " 20 > Canopus",
    " 21 > Capella",
    " 22 > Deneb",
    " 23 > Denebola",
    " 24 > Diphda",
    " 25 > Dubhe",
    " 26 > Elnath",
    " 27 > Eltanin",
    " 28 > Enif",
    " 29 > Fomalhaut",
    " 30 > Gacrux",
    " 31 > Gienah",
    " 32 > Hadar",
    " 33 > Hamal",
    " 34 > Kaus Aust.",
    " 35 > Kochab",
    " 36 > Markab",
    " 37 > Menkar",
    " 38 > Menkent",
    " 39 > Miaplacidus",
    " 40 > Mirfak",
    " 41 > Nunki",
    " 42 > Peacock",
    " 43 > POLARIS",
    " 44 > Pollux",
    " 45 > Procyon",
    " 46 > Rasalhague",
    " 47 > Regulus",
    " 48 > Rigel",
    " 49 > Rigil Kent.",
    " 50 > Sabik",
    " 51 > Schedar",
    " 52 > Shaula",
    " 53 > Sirius",
    " 54 > Spica",
    " 55 > Suhail",
    " 56 > Vega",
    " 57 > Zubenelgenubi",
    " 58 > DUMMY",
    " ",
};

const char* star_short_name(int idstar) {
    if (idstar < 0 || idstar >= kStarNames) idstar = 58;
    return kStarShortNames[idstar];
}

const char* star_long_name(int idstar) {
    if (idstar < 0 || idstar >= kStarNames) idstar = 58;
    return kStarLongNames[idstar];
}

int starlist(int iterq, int idstar) {
    const int offered = idstar;
    bool automatic = (iterq != 0) || readers().automatic();
    for (;;) {
        conprintf("\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n"
                  "\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n");
        conputs(" *** STAR-CATALOG 0..57: ***");
        for (int i = 0; i < 20; ++i) {
            conprintf(" %-12s %-12s %-12s\n", kStarShortNames[i],
                      kStarShortNames[i + 20], kStarShortNames[i + 40]);
        }
        conprintf(" ----------> Default-Star: %d \n", idstar);
        conputs(" ==>  enter Number of Star:");
        int answer = idstar;
        while (!automatic) {
            // Text is no star number: refused, and asked again.
            answer = readers().parsenth_interactive(1, idstar);
            if (!typed_text_refused(kStarRange)) break;
            answer = idstar;
            if (console().ended) break;
            conputs(" ==>  enter Number of Star:");
        }
        if (answer < 0 || answer > 57) {
            answer = 58;
            idstar = 58;
        }
        conprintf(" - Star selected: %s\n", kStarShortNames[answer]);
        if (!automatic) readers().pause();
        if (answer != 58) return answer;
        if (console().ended) {
            // No answer can come any more: keep the star offered at entry.
            return (offered >= 0 && offered <= 57) ? offered : 0;
        }
        // A refused index cannot be put right without an answer: from
        // here on the screen reads one, also in automatic mode.
        automatic = false;
    }
}

} // namespace lunarfix
