// The oscilloscope mode of the window: the one OSCILLOSCOPE (app/oscilloscope.h),
// made with its first picture in the window's OpenGL context, its frames and
// its picture. The main loop decides when the mode starts and ends; the
// views' painting repaints the picture for the modal boxes.
#pragma once

// One frame of the mode, without swapping: on entering (the first frame after
// another view) the trace starts again on a cleared screen with the sound
// that comes from now on; then the samples waiting are drawn and the picture
// painted.
void trace_frame(bool entering);

// Leaving the mode: the render callback stops keeping samples for the trace.
void leave_trace();

// The oscilloscope's picture over the whole window, without swapping and
// without taking new samples.
void paint_trace();

// Frees the oscilloscope with the window it was made in.
void free_scope();
