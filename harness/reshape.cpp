#include "harness/gl.h"
#include "harness/harness_state.h"
#include "harness/program_settings.h"
#include "harness/projection.h"
#include "harness/render.h"

void reshape_window(int width, int height) {
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  const OrthoBounds bounds = reshape_bounds(width, height);
  glOrtho(bounds.left, bounds.right, bounds.bottom, bounds.top, bounds.near_plane,
          bounds.far_plane);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  // The camera target follows the counter at the time of the reshape; frames never move it.
  if (program_settings.reshape_look_at != nullptr) {
    program_settings.reshape_look_at(static_cast<double>(frame_counter));
  }
}
