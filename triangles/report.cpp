#include <ostream>

#include "harness/gl.h"
#include "harness/report.h"
#include "harness/workload_hooks.h"
#include "triangles/triangle_data.h"
#include "triangles/workload.h"

static void write_frame_lines(std::ostream& out, double spent, double angle_rate,
                              double triangle_rate) {
  out << "window: " << glutGetWindow() << std::endl;
  out << "It drew " << triangles_workload.triangle_count << " Triangles." << std::endl;
  out << "It spent: " << spent << " Secs. " << std::endl;
  out << "It was: " << angle_rate << " Angles/sec." << std::endl;
  out << "It was: " << triangle_rate << " Triangles/sec." << std::endl;
}

void report_frame(double spent) {
  TrianglesWorkload& w = triangles_workload;
  const double angle_rate = 1.0 / spent;  // one degree of rotation per reported frame
  const double triangle_rate = static_cast<double>(w.triangle_count) / spent;
  write_frame_lines(report.console, spent, angle_rate, triangle_rate);
  write_frame_lines(report.file, spent, angle_rate, triangle_rate);
  report.console << std::endl;
  report.file << std::endl;

  w.total_time += spent;
  w.frames_reported += 1;
  w.triangles_total += w.triangle_count;

  if (w.index_count > DATA_COUNT) {
    write_limit_summary();
    close_out(2);
  }
}

// The three summary lines; the labels differ between the Esc and the limit summary.
struct SummaryLabels {
  const char* time_suffix;
  const char* angles_label;
  const char* triangles_label;
};

static void write_summary_lines(std::ostream& out, const SummaryLabels& labels) {
  const TrianglesWorkload& w = triangles_workload;
  const double frames = static_cast<double>(w.frames_reported);
  const double triangles = static_cast<double>(w.triangles_total);
  out << "Total running time:  " << w.total_time << labels.time_suffix << std::endl;
  out << labels.angles_label << frames / w.total_time << " Angles/Sec." << std::endl;
  out << labels.triangles_label << triangles / w.total_time << " Triangles/Sec." << std::endl;
}

void write_summary() {
  const SummaryLabels labels{" Secs. ", "Average: ", "Average: "};
  write_summary_lines(report.console, labels);
  report.console << std::endl;
  write_summary_lines(report.file, labels);
  report.file << std::endl;
  report.console << std::endl;
}

void write_limit_summary() {
  report.console << "It reaches limits, the program terminates." << std::endl;
  report.console << std::endl;
  report.console << std::endl;
  write_summary_lines(report.console,
                      {" Secs.", "Average Angles/Sec: ", "Average Triangles/Sec: "});
  report.console << std::endl;
  report.file << std::endl;
  write_summary_lines(report.file, {" Secs. ", "Average Angles/Sec: ", "Average Triangles/Sec: "});
  report.file << std::endl;
}
