#include "dialog/earth_conditions.h"

#include "foundations/console_io.h"
#include "foundations/foundations.h"
#include "dialog/console.h"
#include "dialog/ranges.h"

namespace lunarfix {

void earthcon_with(EarthconMemory* mem, int year, double deltime,
                   double tempin, double pressin, int moonpar,
                   double* DeltaTT, double* temperature, double* pressure,
                   int* moonorb) {
    ConsoleReaders& rd = readers();

    // The Delta T prediction file is written with its default rows when it
    // is missing; the value itself is the caller's deltime.  For a year
    // after 2020 the caller took deltime from the file, which made sure of
    // it; reading it again would only repeat its messages on this screen.
    if (year <= 2020) (void)delta0x(year);

    double DeltaT0 = (mem->memtime == 1) ? mem->DeltaTmem : deltime;
    double temp0 = tempin;
    double press0 = pressin;

    conprintf(" \n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n"
              "\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n");
    conputs("  The following STANDARD CONDITIONS should only");
    conputs("  be modified, if alternative parameters");
    conputs("  are known with sufficient precision!\n");
    conputs("  **********> EARTH-CONDITIONS <****************");
    if (year > 2019) {
        conprintf("    Delta_T=TT-UT1= %2.2f sec (extrapolated!)\n", DeltaT0);
    } else {
        conprintf("    Delta_T=TT-UT1= %2.2f sec\n", DeltaT0);
    }
    if (year > 3000) conprintf("    NOTE: Year>3000: year=%d\n", year);
    conprintf("    Temperature = %.1f deg Celsius \n", tempin);
    conprintf("    Pressure    = %.1f hPa. \n", pressin);
    conputs("  **********************************************\n");
    conputs("       To modify, enter 1, else hit RETURN:");
    const double answer =
        ask_number("###> ", -2, 0.0, kChoiceAnswer, TypedCheck::TextOnly);
    if (rd.lies1_found()) {
        const int choice = trunc_int(answer + 0.5);
        if (choice == 1) {
            conputs("Change following values or hit ENTER:");
            mem->memtime = 1;

            // Delta T keeps its limits; text or a typed number that is not
            // finite is refused.
            double x = ask_number("###> Delta_T = ", 2, DeltaT0,
                                  kDeltaTRange, TypedCheck::TextOnly);
            if (x > kDeltaTMost) x = kDeltaTMost - 1.0;
            if (x < kDeltaTLeast) x = kDeltaTLeast + 1.0;
            DeltaT0 = x;
            mem->DeltaTmem = x;

            // Temperature and pressure scale the refraction.
            temp0 = ask_number("###> Temperature = ", 1, temp0,
                               kTemperatureRange, TypedCheck::InRange);
            conprintf(">> temp %.1f\n", temp0);

            const double pdef = (press0 < 0.0) ? 0.0 : press0;
            press0 = ask_number("###> Pressure = ", 1, pdef,
                                kPressureRange, TypedCheck::InRange);
            conprintf(">> press %.1f\n", press0);

            rd.pause();
        } else if (choice == 0) {
            // An answer of 0 sets Delta T to 0 until the program ends (or
            // this screen sets another); the navigator is told so.
            DeltaT0 = 0.0;
            mem->DeltaTmem = 0.0;
            mem->memtime = 1;
            conputs(" !!! Delta_T set to 0 sec for the rest of the run");
        }
    }

    *DeltaTT = (mem->memtime == 1) ? mem->DeltaTmem : DeltaT0;
    *temperature = temp0;
    *pressure = press0;
    *moonorb = moonpar;
}

void earthcon(int year, double deltime, double tempin, double pressin,
              int moonpar, double* DeltaTT, double* temperature,
              double* pressure, int* moonorb) {
    static EarthconMemory memory;
    earthcon_with(&memory, year, deltime, tempin, pressin, moonpar, DeltaTT,
                  temperature, pressure, moonorb);
}

} // namespace lunarfix
