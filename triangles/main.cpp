// triangles: how fast the pipeline draws an indexed triangle list that grows with every
// animation step, until its index count passes the data array.
//
// Keys: R or left button animates, P or right button pauses, C steps once, Esc ends the run.

#include "harness/report.h"
#include "harness/startup.h"
#include "triangles/settings.h"

const ProgramSettings& program_settings = triangles_settings;

int main(int argc, char** argv) {
  open_results_file(program_settings.results_name_template);
  write_console_banner();
  write_file_banner();
  fill_overlay_text();
  write_help_block();
  init_glut(&argc, argv);
  run_timed_initialisation();
  run_main_loop();
  return after_main_loop();
}
