// The OpenGL side of the harness: the fixed render state, the frame around the workload's
// draw, the bitmap text routine and the reshape callback.
#pragma once

// Once, right after the window exists and its colour depths are known, before the workload
// prepares: the fixed list of GL states for the whole run.
void setup_render_state();

// GLUT display callback: one timed frame (clear, lights from frame_counter, model transform,
// the workload's draw, the overlay, swap), then the report, unless the frame was drawn at
// counter 0 and the program does not report that step.
void display_frame();

// Draws NUL-terminated text in white 18-point Helvetica bitmap characters starting at
// (x, y), window pixels from the lower-left corner; each newline starts a line 18 pixels
// lower. Lighting and depth test are off while it draws and on again afterwards; both matrix
// stacks are left as found, GL_MODELVIEW current, white the current colour. Nothing else in
// the suite sets the raster position.
void draw_text_block(double x, double y, const char* text);

// GLUT reshape callback: viewport, aspect-preserving projection, the program's camera.
void reshape_window(int width, int height);
