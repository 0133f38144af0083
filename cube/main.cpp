// cube: how fast the pipeline replays one display list of lit, coloured points, one for
// every colour the window's frame buffer can hold.
//
// Keys: R or left button animates, P or right button pauses, C steps once, Esc ends the run.

#include "cube/settings.h"
#include "harness/report.h"
#include "harness/startup.h"

const ProgramSettings& program_settings = cube_settings;

int main(int argc, char** argv) {
  open_results_file(program_settings.results_name_template);
  write_console_banner();
  write_file_banner();
  write_help_block();
  fill_overlay_text();
  init_glut(&argc, argv);
  run_timed_initialisation();
  run_main_loop();
  return after_main_loop();
}
