// The constant record that makes one program of the suite out of the shared harness.
// Every difference between triangles, cube and screens that the harness sees is a field here.
#pragma once

#include <cstddef>
#include <cstdint>

// Aims the camera after a reshape; counter is frame_counter converted to double.
using LookAtFunction = void (*)(double counter);

// Window pixels measured from the lower-left corner.
struct WindowPosition {
  double x;
  double y;
};

// What the entry does should glutMainLoop ever return.
enum class AfterLoop {
  flush_then_wait,            // close the file, flush standard input, wait, exit(0)
  path_line_wait_then_flush,  // path line, close the file, wait, flush standard input, return 0
};

struct ProgramSettings {
  // Start-up and results file.
  const char* window_title;
  const char* results_name_template;  // strftime template of the results file name
  const char* banner_line;
  const char* overlay_help_text;   // 158 characters, begins with a line feed; holds no '%'
  std::size_t overlay_fill_bound;  // snprintf bound for overlay_text; 0: unbounded sprintf

  // Render state and frame.
  bool clockwise_front_faces;
  bool model_transform;
  bool nested_state_save;
  WindowPosition overlay_origin;
  LookAtFunction reshape_look_at;  // null: the reshape leaves the modelview at identity

  // Run control and close-out.
  bool report_at_step_zero;
  std::int64_t frame_counter_max;  // the counter stops here: INT32_MAX or INT64_MAX
  int close_out_blank_lines;       // empty console lines between the path line and the prompt
  AfterLoop after_loop;
};

// The running program's settings; each program's entry defines it.
extern const ProgramSettings& program_settings;
