// The image library: every image of the user interface under its name, kept
// as an SDL surface and uploaded once as an OpenGL texture. Filled from the
// image archive (a list of single images and sprite sheets).
#pragma once

#include <GL/gl.h>
#include <SDL.h>

#include <string_view>
#include <unordered_map>

class QBIBLIO {
public:
    static constexpr int MAX_IMAGES = 400;
    static constexpr int NAME_SIZE = 80;

    SDL_Surface *images[MAX_IMAGES]; // owned
    char names[MAX_IMAGES][NAME_SIZE];
    GLuint textures[MAX_IMAGES]; // texture of each index, 0 = none yet
    int nb_images;
    // False only for a library used without an OpenGL context (tools, tests):
    // images are stored but no texture is made.
    bool upload_textures;

    // Loads the archive at archive_path; when it cannot be read whole, the
    // library keeps the images read before the fault (load_QIM says why).
    explicit QBIBLIO(const char *archive_path, bool upload_textures = true);
    QBIBLIO();
    ~QBIBLIO();
    QBIBLIO(const QBIBLIO &) = delete;
    QBIBLIO &operator=(const QBIBLIO &) = delete;

    // Index of the first image with exactly this name, or -1.
    int get_index_image(const char *name) const;
    SDL_Surface *get_image(const char *name) const;
    // The texture drawn for an index (0 when there is none).
    GLuint get_texture(int index) const;

    // Stores s under name (replacing an image of that name in place) and makes
    // its texture. Returns 1, or 0 when the library is full (s is then not kept).
    int add_image(const char *name, SDL_Surface *s, int w, int h);
    // Loads an image file under name, converted to 24-bit BGR. Returns the
    // count (without loading when the name exists), or 0 on failure.
    int load_image_and_store_it(const char *file_path, const char *name);
    // Stores s under name when the name is new; an existing name keeps its
    // image. Returns the count, or 0 for a null surface.
    int load_image_and_store_it(SDL_Surface *s, const char *name);
    // Rebuilds the texture of name from its surface, without mipmaps.
    int refresh_GLimage(const char *name);
    // Makes the name unfindable; returns 1, or -1 when absent.
    int remove_image(const char *name);
    // A new w x h 24-bit surface, not stored.
    SDL_Surface *create_empty_surface(int w, int h, const char *name);

    // Reads the image archive. Returns false, after saying why, when the
    // archive or one of its single images cannot be loaded; the images read
    // before stay.
    bool load_QIM(const char *path);

    // Binds texture and uploads s into it (converted to 24-bit BGR if needed).
    void myGL_CreateTextureFrom(SDL_Surface *s, unsigned int texture, float min_filter,
                                float mag_filter, bool mipmap);

    // s converted to the 24-bit BGR layout the upload reads (a new surface).
    static SDL_Surface *to_bgr24(SDL_Surface *s);
    static bool is_bgr24(const SDL_Surface *s);
    // A new black w x h surface in that layout.
    static SDL_Surface *new_bgr24_surface(int w, int h);

private:
    // The index of each name stored (a view of names[index]): every sprite
    // looks its image up by name each time it is drawn.
    std::unordered_map<std::string_view, int> index_of;
    void upload(int index, bool mipmap);
};

extern QBIBLIO *bibliotheque_graphique;
