#include "triangles/workload.h"

#include <cstdio>
#include <cstdlib>
#include <new>

#include "harness/gl.h"
#include "harness/harness_state.h"
#include "harness/platform.h"
#include "harness/workload_hooks.h"
#include "triangles/triangle_data.h"

// Runs before main, first of the program's own objects. A machine that cannot give the
// array gets a clear message instead of an uncaught exception.
static double* allocate_data_array() {
  try {
    return new double[DATA_COUNT];
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "triangles: cannot allocate %lld bytes for the triangle data array\n",
                 static_cast<long long>(DATA_BYTES));
    std::exit(EXIT_FAILURE);
  }
}

TrianglesWorkload triangles_workload STATIC_INIT_ORDER(INIT_ORDER_DATA_ARRAY) = {
    .data = allocate_data_array(),
};

void prepare_workload() {
  TrianglesWorkload& w = triangles_workload;
  glColorPointer(3, GL_DOUBLE, 0, w.data);
  glVertexPointer(3, GL_DOUBLE, 0, w.data);
  glNormalPointer(GL_DOUBLE, 0, w.data);

  w.list_id = glGenLists(1);
  glNewList(w.list_id, GL_COMPILE);
  glPushMatrix();
  glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);  // executed at once, not recorded
  fill_triangle_data(w.data, DATA_COUNT);
  glPopClientAttrib();
  glPopMatrix();
  glEndList();
}

void draw_workload() {
  TrianglesWorkload& w = triangles_workload;
  w.index_count = compute_index_count(frame_counter, w.frames_reported);
  w.triangle_count = w.index_count / 6;
  glCallList(w.list_id);
  glDrawElements(GL_TRIANGLES, draw_index_count(w.index_count), GL_UNSIGNED_BYTE, w.data);
}
