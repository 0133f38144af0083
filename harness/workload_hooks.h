// What each program's workload supplies to the harness. The harness owns the control flow;
// these run on its one thread, inside the calls named below.
#pragma once

// Once, inside the timed initialisation, after setup_render_state: build what the frames
// draw (arrays, display lists, text). Its time is part of the reported initialisation time.
void prepare_workload();

// Once per frame, inside the timed span, after the lights and the model transform and
// before the overlay text. No allocation, no read-back, no output.
void draw_workload();

// After each timed frame, outside the timed span, with the frame's time in seconds: write
// the frame's report lines and update the workload's totals. Not called for the frames
// drawn while frame_counter is 0, unless report_at_step_zero is set.
void report_frame(double spent);

// On Esc, before the close-out: write the run's totals and averages.
void write_summary();
