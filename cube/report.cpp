#include <ostream>

#include "cube/grid.h"
#include "cube/workload.h"
#include "harness/gl.h"
#include "harness/harness_state.h"
#include "harness/report.h"
#include "harness/workload_hooks.h"

static void write_frame_lines(std::ostream& out, double spent, double angle_rate,
                              double vertex_rate) {
  out << "window: " << glutGetWindow() << std::endl;
  out << "The system spent: " << spent << " Secs. " << std::endl;
  out << "It was: " << angle_rate << " Angles/sec." << std::endl;
  out << "It was: " << vertex_rate << " Vertex/sec." << std::endl;
}

void report_frame(double spent) {
  CubeWorkload& w = cube_workload;
  const double points = point_count(red_bits, green_bits, blue_bits);
  const double angle_rate = 1.0 / spent;  // one degree of rotation per reported frame
  const double vertex_rate = points / spent;
  write_frame_lines(report.console, spent, angle_rate, vertex_rate);
  write_frame_lines(report.file, spent, angle_rate, vertex_rate);
  report.console << std::endl;
  report.file << std::endl;

  w.total_time += spent;
  w.frames_reported += 1.0;
  w.vertex_total = points * w.frames_reported;
}

static void write_summary_lines(std::ostream& out) {
  const CubeWorkload& w = cube_workload;
  out << "Total machine time:  " << w.total_time << " Secs. " << std::endl;
  out << "Average: " << w.frames_reported / w.total_time << " Angles/Sec." << std::endl;
  out << "Average: " << w.vertex_total / w.total_time << " Vertex/Sec." << std::endl;
}

void write_summary() {
  write_summary_lines(report.console);
  report.console << std::endl;
  write_summary_lines(report.file);
  report.file << std::endl;
}
