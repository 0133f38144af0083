#include <ostream>

#include "harness/gl.h"
#include "harness/report.h"
#include "screens/workload.h"

// The phase's time and rate lines, the same on both streams.
static void write_plain_figures(std::ostream& out, double spent) {
  out << "The system spent: " << spent << " Secs. " << std::endl;
  out << "Conventionally, it was: " << PLAIN_CHARACTER_COUNT / spent << " Characters/sec."
      << std::endl;
}

void run_console_phase() {
  ScreensWorkload& w = screens_workload;
  report.console << "Plain Output" << std::endl;
  report.file << "Plain Output" << std::endl;

  // The span covers exactly the insertions, with the stream's ordinary buffering.
  w.plain_start = glutGet(GLUT_ELAPSED_TIME);
  write_address_items(report.console, screen_text, PLAIN_ITEM_COUNT);
  w.plain_spent = (glutGet(GLUT_ELAPSED_TIME) - w.plain_start) / 1000;

  report.console << std::endl;
  report.console << std::endl;
  write_plain_figures(report.console, w.plain_spent);
  report.console << std::endl;
  report.file << std::endl;
  write_plain_figures(report.file, w.plain_spent);
  report.file << std::endl;
  report.console << std::endl;
  report.file << std::endl;
  report.console << "Graphical Output" << std::endl;
  report.console << std::endl;
  report.file << "Graphical Output" << std::endl;
  report.file << std::endl;
}
