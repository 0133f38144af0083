#include "harness/gl.h"
#include "harness/harness_state.h"
#include "harness/lighting.h"
#include "harness/program_settings.h"
#include "harness/render.h"
#include "harness/workload_hooks.h"

static constexpr GLbitfield CLEAR_ALL_BUFFERS =
    GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT | GL_ACCUM_BUFFER_BIT;

// Everything from the clear to the swap counts in the frame's time; the report does not.
void display_frame() {
  const ProgramSettings& settings = program_settings;
  const double frame_start_ms = glutGet(GLUT_ELAPSED_TIME);

  glClear(CLEAR_ALL_BUFFERS);
  // These serve the next frame's clear; they equal GL's initial values.
  glClearColor(0, 0, 0, 0);
  glClearDepth(1.0);
  glClearStencil(0);
  glClearAccum(0, 0, 0, 0);

  glPushMatrix();
  glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
  {
    const LightingValues values = lighting_values(frame_counter);
    const LightingArrays arrays = lighting_arrays(values);

    if (settings.model_transform) {
      // One degree per step about (1, 1, 1) through the model's centre, from 45 degrees.
      glScaled(1, 1, 1);
      glRotated(static_cast<double>(frame_counter) + 45, 1, 1, 1);
      glTranslated(-0.5, -0.5, -0.5);
    }

    glLightfv(GL_LIGHT0, GL_POSITION, arrays.position);
    glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, arrays.spot_direction);
    glLightfv(GL_LIGHT0, GL_AMBIENT, arrays.ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, arrays.diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, arrays.diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SHININESS, arrays.shininess);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, arrays.ambient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, arrays.diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, arrays.emission);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, arrays.ambient);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 1);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
    glLogicOp(GL_XOR);  // set, never enabled
    // Negative factors are refused by GL and keep the previous frame's value.
    glLightf(GL_LIGHT0, GL_CONSTANT_ATTENUATION, values.k);
    glLightf(GL_LIGHT0, GL_LINEAR_ATTENUATION, values.s);
    glLightf(GL_LIGHT0, GL_QUADRATIC_ATTENUATION, values.k);

    if (settings.nested_state_save) {
      glPushMatrix();
      glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
    }
    draw_workload();
    draw_text_block(settings.overlay_origin.x, settings.overlay_origin.y, overlay_text);
    if (settings.nested_state_save) {
      glPopClientAttrib();
      glPopMatrix();
    }
  }
  glPopClientAttrib();
  glPopMatrix();
  glutSwapBuffers();

  const double frame_end_ms = glutGet(GLUT_ELAPSED_TIME);
  const double spent = (frame_end_ms - frame_start_ms) / 1000.0;
  if (frame_counter != 0 || settings.report_at_step_zero) report_frame(spent);
}
