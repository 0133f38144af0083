// The steps of a program's start-up, each a function, so that every entry composes them in
// its own order. The results file must be open (open_results_file) before any of them.
#pragma once

// Console: an empty line, the banner, the rights notice, the support line, four empty lines.
void write_console_banner();

// File: the banner and two empty lines.
void write_file_banner();

// Fills overlay_text from the help text, through sprintf or a bounded snprintf.
void fill_overlay_text();

// Console only: the four help lines, two empty lines, "Initializing . . .", an empty line.
void write_help_block();

// glutInit with the command line unchanged; GLUT ends the process itself on a fatal error
// (no display, say), with freeglut's message on standard error and a non-zero status.
void init_glut(int* argc, char** argv);

// The timed initialisation: display mode, window, colour depths, render state and the
// workload's preparation; then its time on both streams.
void run_timed_initialisation();

// Registers the display, reshape, mouse and keyboard callbacks and enters the main loop.
// No idle callback: every run starts paused.
void run_main_loop();

// What follows should the main loop ever return (no summary lines); returns the exit status.
int after_main_loop();
