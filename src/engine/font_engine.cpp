#include "engine/font_engine.h"

#include <cstdio>

FONT_ENGINE *font_engine = nullptr;

int FONT_ENGINE::load_font(const char *) { return 0; }

int FONT_ENGINE::draw(void *) { return 0; }

int FONT_ENGINE::evolue() { return 0; }

SDL_Surface *FONT_ENGINE::get_txt_Surface(int, const char *, long, long, int) { return nullptr; }

int FONT_ENGINE::wprintf(SDL_Surface *dst, const char *text, int size, int x, int y, long fg,
                         long bg, int font, int centred)
{
    if (size >= MAX_SIZE) {
        std::printf("Size to big for font\n");
        return 0;
    }
    SDL_Surface *rendered = get_txt_Surface(font, text, fg, bg, size);
    if (rendered == nullptr)
        return 0;
    SDL_SetColorKey(rendered, SDL_SRCCOLORKEY, 0);
    SDL_Rect at = {static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
    if (centred) {
        at.x = static_cast<Sint16>(x - rendered->w / 2);
        at.y = static_cast<Sint16>(y - rendered->h / 2);
    }
    SDL_BlitSurface(rendered, nullptr, dst, &at);
    SDL_FreeSurface(rendered);
    return 1;
}
