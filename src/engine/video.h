// The OpenGL window: video set-up, the 2D pixel projection, and the window
// surface with the view's scroll offsets.
#pragma once

#include <SDL.h>

extern SDL_Surface *screen; // the window surface
extern int offsx, offsy;    // scroll offset of the view, in pixels, never negative

// Opens a w x h OpenGL window, sets the fixed OpenGL state, and creates the
// text engine and the image library from archive_path. Returns 0, or after
// saying why the exit status of a window that cannot be had: 1 when the video
// cannot be set up, -1 when the image archive cannot be read.
int initGL(int w, int h, const char *title, const char *archive_path);
// Viewport (0, 0, w, h) (an h of 0 counts as 1); leaves the projection matrix
// selected and reset.
int resizeWindow(int w, int h);
// Pushes the projection and sets pixel coordinates, origin top-left, y downwards.
void OrthoMode(int left, int top, int right, int bottom);
// Pops the projection pushed by OrthoMode.
void PerspectiveMode();
