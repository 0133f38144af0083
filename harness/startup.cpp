#include "harness/startup.h"

#include <cstdio>
#include <cstdlib>

#include "harness/gl.h"
#include "harness/harness_state.h"
#include "harness/program_settings.h"
#include "harness/render.h"
#include "harness/report.h"
#include "harness/run_control.h"
#include "harness/texts.h"
#include "harness/workload_hooks.h"

void write_console_banner() {
  report.console << std::endl;
  report.console << program_settings.banner_line << std::endl;
  report.console << RIGHTS_NOTICE_LINE << std::endl;
  report.console << SUPPORT_LINE << std::endl;
  for (int line = 0; line < 4; ++line)
    report.console << std::endl;
}

void write_file_banner() {
  report.file << program_settings.banner_line << std::endl;
  report.file << std::endl;
  report.file << std::endl;
}

// The help text is the format, with no arguments: a constant of the settings that holds no
// conversion (a unit test keeps it so), so it arrives unchanged.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-security"
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#endif
void fill_overlay_text() {
  const char* help = program_settings.overlay_help_text;
  if (program_settings.overlay_fill_bound == 0) {
    std::sprintf(overlay_text, help);
  } else {
    std::snprintf(overlay_text, program_settings.overlay_fill_bound, help);
  }
}
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

void write_help_block() {
  for (const char* line : CONSOLE_HELP_LINES)
    report.console << line << std::endl;
  report.console << std::endl;
  report.console << std::endl;
  report.console << INITIALIZING_LINE << std::endl;
  report.console << std::endl;
}

void init_glut(int* argc, char** argv) {
  glutInit(argc, argv);
}

void run_timed_initialisation() {
  init_start_ms = glutGet(GLUT_ELAPSED_TIME);
  glutInitDisplayString(DISPLAY_MODE);
  // Set after glutInit, so they override a size or position given on the command line.
  glutInitWindowSize(WINDOW_WIDTH, WINDOW_HEIGHT);
  glutInitWindowPosition(WINDOW_X, WINDOW_Y);
  window_id = glutCreateWindow(program_settings.window_title);
  glGetIntegerv(GL_RED_BITS, &red_bits);
  glGetIntegerv(GL_GREEN_BITS, &green_bits);
  glGetIntegerv(GL_BLUE_BITS, &blue_bits);
  setup_render_state();
  prepare_workload();
  init_end_ms = glutGet(GLUT_ELAPSED_TIME);
  init_seconds = (init_end_ms - init_start_ms) / 1000.0;

  report.console << "It spent: " << init_seconds << " Secs to Initialize." << std::endl;
  report.console << std::endl;
  report.console << std::endl;
  report.file << "It spent: " << init_seconds << " Secs to Initialize." << std::endl;
  report.file << std::endl;
  report.file << std::endl;
}

void run_main_loop() {
  glutDisplayFunc(display_frame);
  glutReshapeFunc(reshape_window);
  glutMouseFunc(handle_mouse);
  glutKeyboardFunc(handle_key);
  glutMainLoop();
}

int after_main_loop() {
  report.console << std::endl;
  report.file << std::endl;
  if (program_settings.after_loop == AfterLoop::flush_then_wait) {
    close_results_file();
    flush_console_input();
    wait_for_enter();
    std::exit(0);
  }
  write_results_location();
  report.console << std::endl;
  close_results_file();
  wait_for_enter();
  flush_console_input();
  return 0;
}
