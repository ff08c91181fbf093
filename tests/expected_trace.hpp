// SPDX-License-Identifier: Zlib
// What the Newton roots print over an ascending sweep of every input 0 to 65535 from program
// start. The host's trace tests and the firmware check hold their output to the same text.
#ifndef QUORVANTEL_TESTS_EXPECTED_TRACE_HPP
#define QUORVANTEL_TESTS_EXPECTED_TRACE_HPP

#include <array>
#include <ostream>
#include <string>

std::string record_line(int x, int steps);
std::string record_line(int x, int steps, int start);
std::string start_line(int x, int start);

// The start value of sqrt_u16_variante2, from its documented table.
int variante2_start_value(int x);

// GoogleTest expectations on the whole trace of an ascending sweep.
void expect_sqrt_u16_ascending_trace(const std::string& trace);
void expect_variante2_ascending_trace(const std::string& trace);

// The two routines that print, each with the expectation on its ascending sweep.
struct NewtonTrace {
    const char* routine;
    void (*expect_ascending_trace)(const std::string& trace);
};

// itotal after an ascending sweep of the routine from 0, from the list of routines.
long sweep_passes_of(const std::string& routine);

// Names the routine in GoogleTest's messages.
void PrintTo(const NewtonTrace& newton, std::ostream* os);

inline constexpr std::array<NewtonTrace, 2> newton_traces{{
    {"sqrt_u16", expect_sqrt_u16_ascending_trace},
    {"sqrt_u16_variante2", expect_variante2_ascending_trace},
}};

#endif
