#include "dialog/earth_conditions.h"

#include "foundations/console_io.h"
#include "foundations/foundations.h"
#include "dialog/console.h"
#include "dialog/ranges.h"

namespace lunarfix {

namespace {

// One value of the screen asked until it lies in its range: a value that
// no sea-level air has is refused and asked again with the same default.
// When the input ends, the default stands.
double ask_in_range(ConsoleReaders* rd, const char* prompt,
                    const ValueRange& r, double def) {
    double x = def;
    for (;;) {
        conprintf("%s", prompt);
        rd->lies1(1, def, &x);
        if (!typed_refused(r, x)) break;
        x = def;
        if (console().ended) break;
    }
    return x;
}

} // namespace

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
    conprintf("###> ");
    double answer = 0.0;
    rd.lies1(-2, 0.0, &answer);
    if (rd.lies1_found()) {
        const int choice = trunc_int(answer + 0.5);
        if (choice == 1) {
            conputs("Change following values or hit ENTER:");
            mem->memtime = 1;

            // Delta T keeps its limits; a typed number that is not finite
            // is refused.
            double x = DeltaT0;
            for (;;) {
                conprintf("###> Delta_T = ");
                rd.lies1(2, DeltaT0, &x);
                if (x > 6000.0) x = 5999.0;
                if (x < -1000.0) x = -999.0;
                if (!rd.typed_nonfinite()) break;
                typed_refused(kDeltaTRange, x);
                x = DeltaT0;
                if (console().ended) break;
            }
            DeltaT0 = x;
            mem->DeltaTmem = x;

            // Temperature and pressure scale the refraction.
            temp0 = ask_in_range(&rd, "###> Temperature = ",
                                 kTemperatureRange, temp0);
            conprintf(">> temp %.1f\n", temp0);

            const double pdef = (press0 < 0.0) ? 0.0 : press0;
            press0 = ask_in_range(&rd, "###> Pressure = ", kPressureRange,
                                  pdef);
            conprintf(">> press %.1f\n", press0);

            rd.pause();
        } else if (choice == 0) {
            DeltaT0 = 0.0;
            mem->DeltaTmem = 0.0;
            mem->memtime = 1;
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
