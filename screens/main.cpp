// screens: how fast text goes out, first as plain console output before the window opens,
// then as a block of bitmap characters drawn in every frame.
//
// Keys: R or left button animates, P or right button pauses, C steps once, Esc ends the run.

#include "harness/report.h"
#include "harness/startup.h"
#include "screens/settings.h"
#include "screens/workload.h"

const ProgramSettings& program_settings = screens_settings;

int main(int argc, char** argv) {
  open_results_file(program_settings.results_name_template);
  write_console_banner();
  write_file_banner();
  init_glut(&argc, argv);
  run_console_phase();
  write_help_block();
  fill_overlay_text();
  run_timed_initialisation();
  run_main_loop();
  return after_main_loop();
}
