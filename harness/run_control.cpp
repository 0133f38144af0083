#include "harness/run_control.h"

#include "harness/frame_counter.h"
#include "harness/gl.h"
#include "harness/harness_state.h"
#include "harness/program_settings.h"
#include "harness/report.h"
#include "harness/workload_hooks.h"

static constexpr unsigned char KEY_ESCAPE = 27;

void idle_step() {
  frame_counter = advanced_frame_counter(frame_counter, program_settings.frame_counter_max);
  glutPostWindowRedisplay(window_id);
}

// clang-format off
void handle_mouse(int button, int state, int /*x*/, int /*y*/) {
  if (state != GLUT_DOWN) return;  // releases do nothing
  switch (button) {
    case GLUT_LEFT_BUTTON:  glutIdleFunc(idle_step); break;
    case GLUT_RIGHT_BUTTON: glutIdleFunc(nullptr); break;
    default: break;
  }
}

void handle_key(unsigned char key, int /*x*/, int /*y*/) {
  switch (key) {
    case KEY_ESCAPE: write_summary(); close_out(program_settings.close_out_blank_lines);
    case 'C': case 'c': idle_step(); break;  // one step, run state unchanged
    case 'P': case 'p': glutIdleFunc(nullptr); break;
    case 'R': case 'r': glutIdleFunc(idle_step); break;
    default: break;
  }
}
// clang-format on
