#include "cube/workload.h"

#include "cube/grid.h"
#include "harness/gl.h"
#include "harness/harness_state.h"
#include "harness/workload_hooks.h"

CubeWorkload cube_workload = {};

void prepare_workload() {
  CubeWorkload& w = cube_workload;
  w.list_id = glGenLists(1);
  glNewList(w.list_id, GL_COMPILE);
  glPushMatrix();
  glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);  // executed at once, not recorded
  glBegin(GL_POINTS);
  for_each_grid_point(red_bits, green_bits, blue_bits,
                      [](std::int64_t i, std::int64_t j, std::int64_t k) {
                        const CubePoint p = cube_point(i, j, k, red_bits, green_bits, blue_bits);
                        glNormal3d(p.normal[0], p.normal[1], p.normal[2]);
                        glColor3d(p.colour[0], p.colour[1], p.colour[2]);
                        glVertex3d(p.vertex[0], p.vertex[1], p.vertex[2]);
                      });
  glEnd();
  glPopClientAttrib();
  glPopMatrix();
  glEndList();
}

void draw_workload() {
  glCallList(cube_workload.list_id);
}
