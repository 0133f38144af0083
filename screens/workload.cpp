#include "screens/workload.h"

#include <string>

#include "harness/harness_state.h"
#include "harness/platform.h"
#include "harness/render.h"
#include "harness/workload_hooks.h"

ScreensWorkload screens_workload = {};
char screen_text[SCREEN_TEXT_CAPACITY] = {};
std::ostringstream screen_stream STATIC_INIT_ORDER(INIT_ORDER_SCREEN_STREAM);

// Where the block's first line starts, in window pixels from the lower-left corner.
static constexpr double SCREEN_TEXT_X = 0;
static constexpr double SCREEN_TEXT_Y = 990;

void prepare_workload() {
  write_screen_lines(screen_stream, screen_text);
  const std::string text = screen_stream.str();
  copy_bounded(text, screen_text, sizeof screen_text);
}

void draw_workload() {
  draw_text_block(SCREEN_TEXT_X, SCREEN_TEXT_Y, screen_text);
}
