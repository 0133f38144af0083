#include <ostream>

#include "harness/gl.h"
#include "harness/report.h"
#include "harness/workload_hooks.h"
#include "screens/workload.h"

// A frame's time and rate lines; the file has the window line before them.
static void write_frame_figures(std::ostream& out, double spent, double rate) {
  out << "The system spent: " << spent << " Secs. " << std::endl;
  out << "It was: " << rate << " Charaters/sec." << std::endl;
}

void report_frame(double spent) {
  ScreensWorkload& w = screens_workload;
  w.characters_per_frame = CHARACTERS_PER_FRAME;
  w.character_rate = w.characters_per_frame / spent;
  write_frame_figures(report.console, spent, w.character_rate);
  report.file << "window: " << glutGetWindow() << std::endl;
  write_frame_figures(report.file, spent, w.character_rate);
  report.console << std::endl;
  report.file << std::endl;
  w.total_time += spent;
  w.total_characters += w.characters_per_frame;
}

static void write_summary_lines(std::ostream& out) {
  const ScreensWorkload& w = screens_workload;
  out << "Total machine time:  " << w.total_time << " Secs. " << std::endl;
  out << "Average: " << w.total_characters / w.total_time << " Characters/Sec." << std::endl;
}

void write_summary() {
  write_summary_lines(report.console);
  report.console << std::endl;
  write_summary_lines(report.file);
  report.file << std::endl;
}
