#include "harness/harness_state.h"

std::int64_t frame_counter = 0;
int window_id = 0;
int red_bits = 0;
int green_bits = 0;
int blue_bits = 0;
char overlay_text[OVERLAY_TEXT_CAPACITY] = {};
double init_start_ms = 0;
double init_end_ms = 0;
double init_seconds = 0;
