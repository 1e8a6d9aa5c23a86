#include "engine/qbiblio.h"

#include <GL/glu.h>
#include <SDL_image.h>

#include <cstdio>
#include <cstring>

#include "engine/surface_pixels.h"

QBIBLIO *bibliotheque_graphique = nullptr;

// Channel masks of the 24-bit layout the upload reads: bytes blue, green, red.
static const Uint32 BGR_RED = 0xFF0000, BGR_GREEN = 0xFF00, BGR_BLUE = 0xFF;

QBIBLIO::QBIBLIO() : nb_images(0), upload_textures(true)
{
    std::memset(images, 0, sizeof images);
    std::memset(names, 0, sizeof names);
    std::memset(textures, 0, sizeof textures);
}

QBIBLIO::QBIBLIO(const char *archive_path, bool upload) : QBIBLIO()
{
    upload_textures = upload;
    load_QIM(archive_path);
}

QBIBLIO::~QBIBLIO()
{
    for (int i = 0; i < nb_images; i++) {
        SDL_FreeSurface(images[i]);
        if (textures[i] != 0)
            glDeleteTextures(1, &textures[i]);
    }
}

int QBIBLIO::get_index_image(const char *name) const
{
    if (name == nullptr)
        return -1;
    const auto found = index_of.find(name);
    return found == index_of.end() ? -1 : found->second;
}

SDL_Surface *QBIBLIO::get_image(const char *name) const
{
    const int i = get_index_image(name);
    return i < 0 ? nullptr : images[i];
}

GLuint QBIBLIO::get_texture(int index) const
{
    return index >= 0 && index < nb_images ? textures[index] : 0;
}

int QBIBLIO::add_image(const char *name, SDL_Surface *s, int, int)
{
    if (s == nullptr || name == nullptr)
        return 0;
    int index = get_index_image(name);
    if (index >= 0) {
        std::printf("Ref\n");
        if (images[index] != s)
            SDL_FreeSurface(images[index]);
    } else {
        if (nb_images >= MAX_IMAGES) {
            std::printf("Image library full (%d images): [%s] refused\n", MAX_IMAGES, name);
            return 0;
        }
        index = nb_images++;
        std::snprintf(names[index], NAME_SIZE, "%s", name);
        index_of.emplace(names[index], index);
    }
    images[index] = s;
    upload(index, true);
    return 1;
}

int QBIBLIO::load_image_and_store_it(const char *file_path, const char *name)
{
    if (get_index_image(name) >= 0)
        return nb_images;
    SDL_Surface *loaded = IMG_Load(file_path);
    if (loaded == nullptr)
        return 0;
    SDL_Surface *bgr = to_bgr24(loaded);
    SDL_FreeSurface(loaded);
    if (bgr == nullptr)
        return 0;
    if (!add_image(name, bgr, bgr->w, bgr->h)) {
        SDL_FreeSurface(bgr);
        return 0;
    }
    return nb_images;
}

int QBIBLIO::load_image_and_store_it(SDL_Surface *s, const char *name)
{
    std::printf("O1\n");
    if (get_index_image(name) < 0) {
        std::printf("O2\n");
        if (s == nullptr)
            return 0;
        std::printf("O3\n");
        if (!add_image(name, s, s->w, s->h))
            return 0;
    }
    std::printf("O4\n");
    return nb_images;
}

int QBIBLIO::refresh_GLimage(const char *name)
{
    const int index = get_index_image(name);
    if (index >= 0)
        upload(index, false);
    return 1;
}

int QBIBLIO::remove_image(const char *name)
{
    // The slot stays taken so that the indexes of later images do not move.
    const int index = get_index_image(name);
    if (index < 0)
        return -1;
    SDL_FreeSurface(images[index]);
    images[index] = nullptr;
    index_of.erase(names[index]);
    names[index][0] = '\0';
    if (textures[index] != 0) {
        glDeleteTextures(1, &textures[index]);
        textures[index] = 0;
    }
    return 1;
}

SDL_Surface *QBIBLIO::create_empty_surface(int w, int h, const char *)
{
    return SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0xFF, 0xFF00, 0xFF0000, 0xFF000000);
}

void QBIBLIO::upload(int index, bool mipmap)
{
    if (!upload_textures)
        return;
    if (textures[index] == 0)
        glGenTextures(1, &textures[index]);
    myGL_CreateTextureFrom(images[index], textures[index], GL_NEAREST, GL_NEAREST, mipmap);
}

static bool is_mipmap_free_size(int n) { return n == 64 || n == 128 || n == 256; }

void QBIBLIO::myGL_CreateTextureFrom(SDL_Surface *s, unsigned int texture, float min_filter,
                                     float mag_filter, bool mipmap)
{
    SDL_Surface *bgr = is_bgr24(s) ? s : to_bgr24(s);
    if (bgr == nullptr)
        return;
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, static_cast<int>(mag_filter));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, static_cast<int>(min_filter));
    // SDL pads every row to a multiple of 4 bytes, the unpacking default.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    if (mipmap || !is_mipmap_free_size(bgr->w) || !is_mipmap_free_size(bgr->h))
        gluBuild2DMipmaps(GL_TEXTURE_2D, 3, bgr->w, bgr->h, GL_BGR, GL_UNSIGNED_BYTE, bgr->pixels);
    else
        glTexImage2D(GL_TEXTURE_2D, 0, 3, bgr->w, bgr->h, 0, GL_BGR, GL_UNSIGNED_BYTE, bgr->pixels);
    glPopClientAttrib();
    if (bgr != s)
        SDL_FreeSurface(bgr);
}

bool QBIBLIO::is_bgr24(const SDL_Surface *s)
{
    const SDL_PixelFormat *f = s->format;
    return f->BytesPerPixel == 3 && f->Rmask == BGR_RED && f->Gmask == BGR_GREEN &&
           f->Bmask == BGR_BLUE;
}

SDL_Surface *QBIBLIO::new_bgr24_surface(int w, int h)
{
    return SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, BGR_RED, BGR_GREEN, BGR_BLUE, 0);
}

SDL_Surface *QBIBLIO::to_bgr24(SDL_Surface *s)
{
    SDL_Surface *out = new_bgr24_surface(s->w, s->h);
    if (out == nullptr || SDL_LockSurface(s) != 0) {
        SDL_FreeSurface(out);
        return nullptr;
    }
    // Transparent parts (alpha or colour key) are laid over black, the colour
    // that the additive drawing of masked sprites leaves transparent.
    const bool keyed = (s->flags & SDL_SRCCOLORKEY) != 0;
    for (int y = 0; y < s->h; y++) {
        Uint8 *row = static_cast<Uint8 *>(out->pixels) + y * out->pitch;
        for (int x = 0; x < s->w; x++) {
            const Uint32 pixel = getpixel(s, x, y);
            Uint8 r, g, b, a;
            SDL_GetRGBA(pixel, s->format, &r, &g, &b, &a);
            if (keyed && pixel == s->format->colorkey)
                a = 0;
            row[3 * x + 0] = static_cast<Uint8>(b * a / 255);
            row[3 * x + 1] = static_cast<Uint8>(g * a / 255);
            row[3 * x + 2] = static_cast<Uint8>(r * a / 255);
        }
    }
    SDL_UnlockSurface(s);
    return out;
}
