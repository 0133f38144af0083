#include "harness/report.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iostream>

#include "harness/platform.h"
#include "harness/results_naming.h"

const std::string working_directory STATIC_INIT_ORDER(INIT_ORDER_WORKING_DIRECTORY) =
    current_working_directory();

static ResultsFileStream results_stream STATIC_INIT_ORDER(INIT_ORDER_RESULTS_STREAM);

const ReportPair report{std::cout, results_stream};

std::string results_file_name;

void open_results_file(const char* name_template) {
  results_file_name = expand_results_name(name_template, local_time(std::time(nullptr)));
  results_stream.open(results_file_name.c_str());
}

std::string results_path() {
  return compose_results_path(working_directory, PATH_SEPARATOR, results_file_name);
}

void write_results_location() {
  report.console << "Results have been saved in a file and you can find it at: " << results_path()
                 << std::endl;
}

void close_results_file() {
  results_stream.close();
}

void flush_console_input() {
  std::fflush(stdin);
}

void wait_for_enter() {
  std::cin.get();
}

void close_out(int blank_lines) {
  write_results_location();
  for (int line = 0; line < blank_lines; ++line)
    report.console << std::endl;
  report.console << "Press Enter to Exit." << std::endl;
  flush_console_input();
  wait_for_enter();
  std::exit(0);
}
