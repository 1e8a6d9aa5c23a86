// A copy of the frame last painted in the window, kept in a texture, so that
// the next frame needs painting only where it changed.
//
// A buffer swap may leave the back buffer's contents undefined: a frame
// painted in parts then starts from the copy, painted over the whole back
// buffer, and the parts painted are copied into it in turn. Where the swap
// copies the back buffer rather than trading it for the front (software
// OpenGL under X), the back buffer still holds the frame shown, and the copy
// need not be painted: that is found out from the frames themselves (below).
// The copy lives in the window's OpenGL context; boxes are window pixels from
// the top-left corner.
#pragma once

#include <vector>

#include "engine/pixel_box.h"

// Copies the box of the back buffer into the kept frame, the texture made
// first when there is none.
void keep_frame_part(const PIXEL_BOX &box);

// A frame was painted in the back buffer and is about to be shown: a few of
// its rows are read, to be looked for after the swap.
void frame_painted();

// Makes the back buffer hold the frame shown, pixel for pixel: as it is, when
// the rows read before the swap are still there (and a swap has been seen
// to keep them where the frame before had others), else by painting the
// kept frame over it. False, painting nothing, when no frame is kept.
bool restore_kept_frame();

// Shows the parts of the back buffer in the window without a swap, where the
// OpenGL offers such a copy (GLX_MESA_copy_sub_buffer): a few rectangles
// cost far less than the whole window, and the back buffer still holds the
// frame shown afterwards. False, showing nothing, where it is not offered or
// is turned off: the caller swaps.
bool show_parts(const std::vector<PIXEL_BOX> &parts);

// Turns those copies on (the default) or off, every frame then shown by a
// swap as where the OpenGL has no such copy.
void use_part_copies(bool on);

// Frees the texture; to call before the window's context goes.
void forget_kept_frame();
