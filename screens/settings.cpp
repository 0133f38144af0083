#include "screens/settings.h"

#include <cstdint>
#include <limits>

#include "harness/texts.h"

const ProgramSettings screens_settings = {
    .window_title = "OPENGL Screens",
    .results_name_template = "results_screens_windows @ local date %Y.%m.%d time %H.%M.%S.txt",
    .banner_line =
        "Vermora :: Veltrandion Benchmark Graphics Screens for Windows on x86 64bit "
        "system 2023.01.13.",
    .overlay_help_text = OVERLAY_HELP_FIRST_LINES "Press Key Esc to exit.\n",
    .overlay_fill_bound = 1000,
    .clockwise_front_faces = true,
    .model_transform = false,
    .nested_state_save = false,
    .overlay_origin = {0, 80},
    .reshape_look_at = nullptr,  // screens never links GLU
    .report_at_step_zero = true,
    .frame_counter_max = std::numeric_limits<std::int32_t>::max(),
    .close_out_blank_lines = 1,
    .after_loop = AfterLoop::path_line_wait_then_flush,
};
