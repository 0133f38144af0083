#include "harness/look_at.h"

#include <GL/glu.h>

#include <cmath>

void look_at_counter_target(double counter) {
  gluLookAt(0.5, -0.5, 0.5, 0, std::sin(counter), 0, 0.5, 0.5, 0.5);
}
