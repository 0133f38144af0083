// The cube workload's one program-wide record.
#pragma once

#include <cstdint>

struct CubeWorkload {
  std::uint32_t list_id = 0;   // the point list, built once, replayed every frame
  double frames_reported = 0;  // grows by 1.0 per report
  double total_time = 0;       // seconds
  double vertex_total = 0;     // point_count * frames_reported
};

extern CubeWorkload cube_workload;
