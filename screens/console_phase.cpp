#include "harness/gl.h"
#include "harness/report.h"
#include "screens/workload.h"

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
  report.console << "The system spent: " << w.plain_spent << " Secs. " << std::endl;
  report.console << "Conventionally, it was: " << PLAIN_CHARACTER_COUNT / w.plain_spent
                 << " Characters/sec." << std::endl;
  report.console << std::endl;
  report.file << std::endl;
  report.file << "The system spent: " << w.plain_spent << " Secs. " << std::endl;
  report.file << "Conventionally, it was: " << PLAIN_CHARACTER_COUNT / w.plain_spent
              << " Characters/sec." << std::endl;
  report.file << std::endl;
  report.console << std::endl;
  report.file << std::endl;
  report.console << "Graphical Output" << std::endl;
  report.console << std::endl;
  report.file << "Graphical Output" << std::endl;
  report.file << std::endl;
}
