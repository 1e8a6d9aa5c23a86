// A copy of the frame last painted in the window, kept in a texture, so that
// the next frame needs painting only where it changed.
//
// A buffer swap leaves the back buffer's contents undefined: a frame painted
// in parts starts from the copy, painted over the whole back buffer, and the
// parts painted are then copied into it in turn. The copy lives in the
// window's OpenGL context; boxes are window pixels from the top-left corner.
#pragma once

#include "engine/pixel_box.h"

// Copies the box of the back buffer into the kept frame, the texture made
// first when there is none.
void keep_frame_part(const PIXEL_BOX &box);

// Paints the kept frame over the whole back buffer, pixel for pixel; false,
// painting nothing, when no frame is kept.
bool restore_kept_frame();

// Frees the texture; to call before the window's context goes.
void forget_kept_frame();
