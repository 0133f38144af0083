// The cube's list build as a bare loop, for comparing with the initialisation time that cube
// reports: the same window, the same GL calls and arithmetic, written out inline.
// Prints the build time in seconds and exits.

#include <GL/glut.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>

int main(int argc, char** argv) {
  glutInit(&argc, argv);
  glutInitDisplayString("red=10 green=10 blue=10 alpha=10 depth double stencil acca luminance");
  glutInitWindowSize(1440, 1440);
  glutCreateWindow("bare cube list");
  int r = 0, g = 0, b = 0;
  glGetIntegerv(GL_RED_BITS, &r);
  glGetIntegerv(GL_GREEN_BITS, &g);
  glGetIntegerv(GL_BLUE_BITS, &b);

  const auto start = std::chrono::steady_clock::now();
  const GLuint list = glGenLists(1);
  glNewList(list, GL_COMPILE);
  glPushMatrix();
  glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
  glBegin(GL_POINTS);
  for (std::int64_t i = 0; static_cast<double>(i) < std::pow(2.0, r); ++i) {
    for (std::int64_t j = 0; static_cast<double>(j) < std::pow(2.0, g); ++j) {
      for (std::int64_t k = 0; static_cast<double>(k) < std::pow(2.0, b); ++k) {
        const double di = static_cast<double>(i), dj = static_cast<double>(j),
                     dk = static_cast<double>(k);
        const double x = di * (1.0 / std::pow(2.0, r));
        const double y = dj * (1.0 / std::pow(2.0, g));
        const double z = dk * (1.0 / std::pow(2.0, b));
        const double l =
            std::sqrt(dk * z * (1.0 / std::pow(2.0, b)) + dj * y * (1.0 / std::pow(2.0, g)) +
                      di * x * (1.0 / std::pow(2.0, r)));
        if (l == 0.0) {
          glNormal3d(0.57735026918962576451, 0.57735026918962576451, 0.57735026918962576451);
        } else {
          glNormal3d(z / l, y / l, x / l);
        }
        glColor3d(dk * (1.0 / std::pow(2.0, r)), dj * (1.0 / std::pow(2.0, g)),
                  di * (1.0 / std::pow(2.0, b)));
        glVertex3d(x, y, z);
      }
    }
  }
  glEnd();
  glPopClientAttrib();
  glPopMatrix();
  glEndList();
  const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
  std::printf("bare cube list: %g s for %g points\n", spent.count(),
              std::pow(2.0, g) * std::pow(2.0, r) * std::pow(2.0, b));
  return 0;
}
