// Keys, mouse and the idle step. The run state is GLUT's idle registration alone: Running
// while idle_step is registered, Paused (the state at start) while none is.
#pragma once

// GLUT idle callback: one more animation step and a redisplay request.
void idle_step();

// GLUT mouse callback: left button down runs the animation, right button down pauses it.
void handle_mouse(int button, int state, int x, int y);

// GLUT keyboard callback: R runs, P pauses, C steps once, Esc ends the run (summary and
// close-out; does not return). Every other key does nothing.
void handle_key(unsigned char key, int x, int y);
