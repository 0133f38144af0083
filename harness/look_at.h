// The camera of triangles and cube: set after every reshape, aimed higher or lower as the
// frame counter's sine swings. Lives apart from the rest of the harness because it is the
// harness's only GLU call.
#pragma once

// gluLookAt from (0.5, -0.5, 0.5) towards (0, sin counter, 0), up (0.5, 0.5, 0.5).
void look_at_counter_target(double counter);
