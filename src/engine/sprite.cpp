#include "engine/sprite.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstring>

#include "engine/draw.h"
#include "engine/qbiblio.h"

SPRITE::SPRITE(const char *image_name, int x, int y, int use_colorkey, int colorkey, int blend,
               float zoom, int angle, int alpha)
    : RECTANGLE(x, y, 0, 0, 0, 0, nullptr), prev_touched(0), prev_angle(0), prev_alpha(0),
      corner_origin(true), ix(x), iy(y), iw(0), ih(0), touched(0), pressed(0), redraw(1),
      changed(0), zoom(zoom), angle(angle), colorkey(static_cast<unsigned long>(colorkey)),
      use_colorkey(use_colorkey), blend(blend), alpha(alpha), surface(nullptr)
{
    set_NAME(image_name);
    copy_name(current_NAME, image_name);
    copy_name(sprite_NAME, image_name);
    mask_NAME[0] = '\0';
}

int SPRITE::set_sprite_NAME(const char *name)
{
    if (name == nullptr || std::strncmp(name, sprite_NAME, NAME_SIZE - 1) == 0)
        return 0;
    copy_name(sprite_NAME, name);
    changed = 1;
    redraw = 1;
    return 1;
}

SDL_Surface *SPRITE::get_SDL_Surface()
{
    if (surface != nullptr)
        return surface;
    return bibliotheque_graphique ? bibliotheque_graphique->get_image(sprite_NAME) : nullptr;
}

SDL_Surface *SPRITE::get_mask_SDL_Surface() { return nullptr; }

RECTANGLE *SPRITE::get_rectangle() { return this; }

// Compares an int copy with its float and takes the truncated value when they
// differ; returns whether they did.
static bool follow(int &copy, float value)
{
    if (static_cast<float>(copy) == value)
        return false;
    copy = static_cast<int>(value);
    return true;
}

int SPRITE::evolue()
{
    bool moved = false;
    if (angle != prev_angle) {
        prev_angle = angle;
        moved = true;
    }
    if (touched != prev_touched) {
        prev_touched = touched;
        moved = true;
    }
    if (alpha != prev_alpha) {
        prev_alpha = alpha;
        moved = true;
    }
    // Every copy is brought up to date, hence no short-circuit here.
    moved |= follow(ih, h);
    moved |= follow(iw, w);
    moved |= follow(ix, x);
    moved |= follow(iy, y);
    if (std::strcmp(current_NAME, sprite_NAME) != 0) {
        std::strcpy(current_NAME, sprite_NAME);
        surface = nullptr;
        moved = true;
    }
    if (moved) {
        redraw = 1;
        changed = 1;
    }
    if (SDL_Surface *s = get_SDL_Surface()) {
        w = static_cast<float>(s->w);
        h = static_cast<float>(s->h);
    }
    return 0;
}

// Draws library image `index` as the sprite's quad: centred on the sprite,
// scaled by zoom, turned by angle. The extra 90 degrees puts the image upright.
static void draw_quad(const SPRITE &s, int index)
{
    GLuint texture = bibliotheque_graphique->get_texture(index);
    draw_triangle(&texture, static_cast<int>(s.x) + s.w / 2, static_cast<int>(s.y) + s.h / 2, s.z,
                  0, 0, static_cast<float>(s.angle + 90), s.w / 2 * s.zoom, s.h / 2 * s.zoom);
}

void SPRITE::blit(SDL_Surface *)
{
    redraw = 0;
    ix = static_cast<int>(x);
    iy = static_cast<int>(y);
    if (bibliotheque_graphique == nullptr)
        return;
    QBIBLIO &library = *bibliotheque_graphique;

    if (mask_NAME[0] == '\0') {
        if (blend) {
            glBlendFunc(GL_DST_COLOR, GL_ZERO);
            glEnable(GL_BLEND);
            glDisable(GL_DEPTH_TEST);
        }
        const int index = library.get_index_image(sprite_NAME);
        if (SDL_Surface *s = library.get_image(sprite_NAME)) {
            w = static_cast<float>(s->w);
            h = static_cast<float>(s->h);
            draw_quad(*this, index);
        }
        if (blend) {
            glDisable(GL_BLEND);
            glEnable(GL_DEPTH_TEST);
        }
        return;
    }

    // Masked: the mask multiplies the frame (black makes a hole), then the
    // image is added on top (black in the image is transparent).
    const int mask = library.get_index_image(mask_NAME);
    if (mask >= 0) {
        glDisable(GL_DEPTH_TEST);
        glBlendFunc(GL_DST_COLOR, GL_ZERO);
        glEnable(GL_BLEND);
        draw_quad(*this, mask);
        glBlendFunc(GL_ONE, GL_ONE);
    }
    const int index = library.get_index_image(sprite_NAME);
    if (index >= 0)
        draw_quad(*this, index);
    if (mask >= 0) {
        glDisable(GL_BLEND);
        glEnable(GL_DEPTH_TEST);
    }
}

void SPRITE::affiche() const
{
    std::printf("NAME[%s]SPR_NAME[%s]X[%3d]Y[%3d]W[%3d]H[%3d]", NAME, sprite_NAME,
                static_cast<int>(x), static_cast<int>(y), static_cast<int>(w), static_cast<int>(h));
}

bool SPRITE::operator==(const BASE &point) const { return RECTANGLE::operator==(point); }
