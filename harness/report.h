// The report pair: every figure goes to the console and to the results file, one line at a
// time. A line is a run of items ended by std::endl, which flushes its stream; numbers keep
// the streams' default format (doubles as %g with 6 digits), which nothing ever changes.
// A site that reports on both writes its console lines first, then its file lines.
#pragma once

#include <ostream>
#include <string>

#include "harness/results_file.h"

struct ReportPair {
  std::ostream& console;
  std::ostream& file;
};

extern const ReportPair report;

// Captured before main; empty when it could not be determined. Lives until exit.
extern const std::string working_directory;
// The bare name of this run's results file, set by open_results_file.
extern std::string results_file_name;

// Names the results file from the local time now and creates or truncates it in the working
// directory. A failure is not reported: the run goes on and every file line is dropped.
void open_results_file(const char* name_template);

// working_directory, the platform's separator and results_file_name.
std::string results_path();

// Console only: "Results have been saved in a file and you can find it at: " and the path.
void write_results_location();

// Closes the results file; one that never opened only enters its failure state.
void close_results_file();

// Discards what the runtime library holds of standard input, where it supports that.
void flush_console_input();

// Reads and discards one character of standard input; returns at once at end of input.
void wait_for_enter();

// Ends a run from inside a callback: path line, blank_lines empty lines, the prompt, the
// wait for Enter, exit with status 0. Writes nothing to the results file.
[[noreturn]] void close_out(int blank_lines);
