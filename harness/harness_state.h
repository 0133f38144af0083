// Program-wide state that the start-up sequence sets and the callbacks share (one thread).
#pragma once

#include <cstddef>
#include <cstdint>

// The animation step: starts at 0, grows by one per idle step or key C, never lowered.
// Held in 64 bits; cube and screens stop it at INT32_MAX (ProgramSettings::frame_counter_max).
extern std::int64_t frame_counter;

// The GLUT window that every redisplay request names.
extern int window_id;

// The colour depths the window received, as queried once after it was created.
extern int red_bits;
extern int green_bits;
extern int blue_bits;

// The help text drawn in every frame; NUL-terminated.
inline constexpr std::size_t OVERLAY_TEXT_CAPACITY = 4096;
extern char overlay_text[OVERLAY_TEXT_CAPACITY];

// GLUT elapsed milliseconds around the timed initialisation, and its span in seconds.
extern double init_start_ms;
extern double init_end_ms;
extern double init_seconds;
