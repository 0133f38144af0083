// Texts that the three programs share, word for word.
#pragma once

// The console banner's second and third lines; the file never receives them.
inline constexpr char RIGHTS_NOTICE_LINE[] =
    "Copyright (c) 2023 Vermora :: Veltrandion. All rights reserved.";
inline constexpr char SUPPORT_LINE[] = "For Support: support@example.com";

// The console help block; worded unlike the overlay ("for Pause.", "for exit.").
inline constexpr const char* CONSOLE_HELP_LINES[] = {
    "Press Key R or Press Mouse Left button to Animate.",
    "Press Key C to Animate Manually.",
    "Press Key P or Press Mouse Right button for Pause.",
    "Press Key Esc for exit.",
};
inline constexpr char INITIALIZING_LINE[] = "Initializing . . .";

// The overlay help text up to its last line, which each program words itself. A string
// literal so that the settings can append that line at compile time.
#define OVERLAY_HELP_FIRST_LINES                         \
  "\n"                                                   \
  "Press Key R or Press Mouse Left button to Animate.\n" \
  "Press Key C to Animate Manually.\n"                   \
  "Press Key P or Press Mouse Right button to Pause.\n"

inline constexpr char DISPLAY_MODE[] =
    "red=10 green=10 blue=10 alpha=10 depth double stencil acca luminance";
inline constexpr int WINDOW_WIDTH = 1440;
inline constexpr int WINDOW_HEIGHT = 1440;
inline constexpr int WINDOW_X = 100;
inline constexpr int WINDOW_Y = 100;
