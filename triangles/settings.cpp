#include "triangles/settings.h"

#include <cstdint>
#include <limits>

#include "harness/look_at.h"
#include "harness/texts.h"

const ProgramSettings triangles_settings = {
    .window_title = "OPENGL Triangles",
    .results_name_template = "results_triangles_windows @ local date %Y.%m.%d time %H.%M.%S.txt",
    .banner_line =
        "Vermora :: Veltrandion Benchmark Graphics Triangles for Windows on x86 64bit "
        "system 2023.01.13.",
    .overlay_help_text = OVERLAY_HELP_FIRST_LINES "Press Key Esc to Exit.\n",
    .overlay_fill_bound = 0,
    .clockwise_front_faces = false,
    .model_transform = true,
    .nested_state_save = false,
    .overlay_origin = {10, 100},
    .reshape_look_at = look_at_counter_target,
    .report_at_step_zero = false,
    .frame_counter_max = std::numeric_limits<std::int64_t>::max(),
    .close_out_blank_lines = 2,
    .after_loop = AfterLoop::flush_then_wait,
};
