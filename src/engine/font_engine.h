// The software text object: text into SDL surfaces. It has no rasteriser, so
// it draws nothing; it only checks its arguments.
#pragma once

#include <SDL.h>

class FONT_ENGINE {
public:
    static constexpr int MAX_SIZE = 64;

    int load_font(const char *path);
    int draw(void *target);
    int evolue();
    // No renderer: always null.
    SDL_Surface *get_txt_Surface(int font, const char *text, long fg, long bg, int size);
    // Draws text into dst at (x, y) (centred on it when centred is non-zero).
    // Returns 1 when drawn, 0 otherwise; sizes of 64 and more are refused.
    int wprintf(SDL_Surface *dst, const char *text, int size, int x, int y, long fg, long bg,
                int font, int centred);
};

extern FONT_ENGINE *font_engine;
