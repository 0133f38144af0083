// The screens workload's program-wide state.
#pragma once

#include <sstream>

#include "screens/screen_text.h"

struct ScreensWorkload {
  double plain_start = 0;           // elapsed milliseconds when the plain items begin
  double plain_spent = 0;           // seconds of the plain phase
  double characters_per_frame = 0;  // the constant 6450, set in every report
  double character_rate = 0;        // characters per second of the last frame
  double total_time = 0;            // seconds, over the reported frames
  double total_characters = 0;
};

extern ScreensWorkload screens_workload;

// The block drawn in every frame; zero-filled until prepare_workload, read-only after. Its
// address is the address item of both phases.
extern char screen_text[SCREEN_TEXT_CAPACITY];

// Written once, by prepare_workload; lives until exit.
extern std::ostringstream screen_stream;

// The plain output phase: 8192 address items on the console, timed, before the window opens.
void run_console_phase();
