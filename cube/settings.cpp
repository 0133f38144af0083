#include "cube/settings.h"

#include <cstdint>
#include <limits>

#include "harness/look_at.h"
#include "harness/texts.h"

const ProgramSettings cube_settings = {
    .window_title = "OPENGL Cube",
    .results_name_template = "results_cube_windows @ local date %Y.%m.%d time %H.%M.%S.txt",
    .banner_line =
        "Vermora :: Veltrandion Benchmark Graphics Cube for Windows on x86 64bit "
        "system 2023.01.13.",
    .overlay_help_text = OVERLAY_HELP_FIRST_LINES "Press Key Esc to exit.\n",
    .overlay_fill_bound = 1000,
    .clockwise_front_faces = true,
    .model_transform = true,
    .nested_state_save = true,
    .overlay_origin = {0, 100},
    .reshape_look_at = look_at_counter_target,
    .report_at_step_zero = false,
    .frame_counter_max = std::numeric_limits<std::int32_t>::max(),
    .close_out_blank_lines = 1,
    .after_loop = AfterLoop::path_line_wait_then_flush,
};
