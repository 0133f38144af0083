// The triangles workload's one program-wide record.
#pragma once

#include <cstdint>

struct TrianglesWorkload {
  // DATA_COUNT doubles, allocated before main and never released. At once the colour, vertex
  // and normal array (3 doubles a vertex) and, read byte by byte, the index array.
  double* data = nullptr;
  std::uint32_t list_id = 0;         // a list of a matrix push and pop, called every frame
  std::int64_t index_count = 0;      // indices of the last frame, before the draw's clamp
  std::int64_t triangle_count = 0;   // index_count / 6: the reported triangle figure
  std::int64_t frames_reported = 0;  // divides the next frame's index count
  std::int64_t triangles_total = 0;
  double total_time = 0;  // seconds
};

extern TrianglesWorkload triangles_workload;

// The limit path's summary, written by the frame that passes DATA_COUNT.
void write_limit_summary();
