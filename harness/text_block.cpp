#include "harness/gl.h"
#include "harness/render.h"

static constexpr double LINE_STEP_PIXELS = 18.0;

void draw_text_block(double x, double y, const char* text) {
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);

  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  const int height = glutGet(GLUT_WINDOW_HEIGHT);
  const int width = glutGet(GLUT_WINDOW_WIDTH);
  glOrtho(0, width, 0, height, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();

  glColor3f(1, 1, 1);
  glRasterPos2d(x, y);
  int line = 0;
  for (const char* character = text; *character != '\0'; ++character) {
    const auto byte = static_cast<unsigned char>(*character);
    if (byte == '\n') {
      ++line;
      glRasterPos2d(x, y - line * LINE_STEP_PIXELS);
    }
    glutBitmapCharacter(GLUT_BITMAP_HELVETICA_18, byte);
  }

  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();

  glColor4f(1, 1, 1, 1);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHTING);
}
