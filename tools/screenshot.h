// Reading the frame being drawn back from OpenGL, and saving pictures, for
// the tools that draw into a real window.
#pragma once

#include <GL/gl.h>
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

// The w x h pixels at the bottom-left of the frame being drawn, as a 24-bit
// surface with its top row first.
inline SDL_Surface *read_frame(int w, int h)
{
    SDL_Surface *shot = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0xFF, 0xFF00, 0xFF0000, 0);
    std::vector<unsigned char> rows(3 * w * h);
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, rows.data());
    for (int y = 0; y < h; y++)
        std::memcpy(static_cast<unsigned char *>(shot->pixels) + y * shot->pitch,
                    &rows[3 * w * (h - 1 - y)], 3 * w);
    return shot;
}

// Saves as BMP, or as PNG through ImageMagick's convert when the path asks for it.
inline bool save_picture(SDL_Surface *shot, const std::string &path)
{
    const bool png = path.size() >= 4 && path.compare(path.size() - 4, 4, ".png") == 0;
    if (!png)
        return SDL_SaveBMP(shot, path.c_str()) == 0;
    const std::string bmp = path.substr(0, path.size() - 4) + ".bmp";
    if (SDL_SaveBMP(shot, bmp.c_str()) != 0)
        return false;
    const std::string command = "convert '" + bmp + "' '" + path + "'";
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "convert failed; the picture stays in %s\n", bmp.c_str());
        return false;
    }
    std::remove(bmp.c_str());
    return true;
}
