// Reading the image archive: a list of single images and of sprite sheets
// that are cut into numbered frames.
#include <SDL_image.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/qbiblio.h"

namespace {

// Reads the next whitespace-separated token, at most 59 characters (a longer
// one is read as several tokens). False at the end of the file.
struct TokenReader {
    FILE *file;
    char token[60];

    bool next() { return std::fscanf(file, "%59s", token) == 1; }
};

struct SheetLayout {
    int w, h, rows, cols, gap_x, gap_y;
};

bool read_layout(TokenReader &in, SheetLayout &l)
{
    int *fields[] = {&l.w, &l.h, &l.rows, &l.cols, &l.gap_x, &l.gap_y};
    for (int *field : fields) {
        if (!in.next())
            return false;
        *field = std::atoi(in.token);
    }
    return true;
}

} // namespace

// Cuts a sheet row by row into frames named "<name>_<n>", n counting row-major
// from 0. A frame reaching past the sheet is black beyond it.
static void cut_sheet(QBIBLIO &library, SDL_Surface *sheet, const char *name, const SheetLayout &l)
{
    if (l.w <= 0 || l.h <= 0)
        return;
    for (int r = 0; r < l.rows; r++) {
        for (int c = 0; c < l.cols; c++) {
            SDL_Surface *frame = QBIBLIO::new_bgr24_surface(l.w, l.h);
            if (frame == nullptr)
                return;
            SDL_Rect from = {static_cast<Sint16>(c * (l.w + l.gap_x)),
                             static_cast<Sint16>(r * (l.h + l.gap_y)), static_cast<Uint16>(l.w),
                             static_cast<Uint16>(l.h)};
            SDL_BlitSurface(sheet, &from, frame, nullptr);
            char frame_name[QBIBLIO::NAME_SIZE];
            std::snprintf(frame_name, sizeof frame_name, "%s_%d", name, r * l.cols + c);
            library.load_image_and_store_it(frame, frame_name);
            // A frame that was not stored (name taken, library full) is ours to free.
            if (library.get_image(frame_name) != frame)
                SDL_FreeSurface(frame);
            if (library.nb_images >= QBIBLIO::MAX_IMAGES)
                return;
        }
    }
}

bool QBIBLIO::load_QIM(const char *path)
{
    TokenReader in = {std::fopen(path, "rt"), {}};
    if (in.file == nullptr) {
        std::printf("Impossible d'ouvrir [%s]\n", path);
        return false;
    }
    std::printf("Opening File [%s] in directory [%s] Ptr [%p] \n", path, ".",
                static_cast<void *>(in.file));
    // Two header tokens, ignored.
    in.next();
    in.next();

    char name[sizeof in.token], image_path[sizeof in.token];
    while (in.next() && std::strcmp(in.token, "END") != 0) {
        std::snprintf(name, sizeof name, "%s", in.token);
        if (!in.next() || in.token[0] == '#')
            break;
        std::snprintf(image_path, sizeof image_path, "%s", in.token);
        if (!in.next())
            break;
        std::printf("Nbr elem = %d = %s callable with name [%s] \n", nb_images, name, image_path);

        if (std::strcmp(in.token, "SIMPLEPART") == 0) {
            if (load_image_and_store_it(image_path, name) < 1) {
                std::printf("Erreur au de chargement simplepart [%s]\n", image_path);
                std::fclose(in.file);
                return false;
            }
            continue;
        }

        SheetLayout layout;
        if (!read_layout(in, layout))
            break;
        std::printf("Multipart : %s %d %d %d %d \n", name, layout.w, layout.h, layout.rows,
                    layout.cols);
        SDL_Surface *loaded = IMG_Load(image_path);
        if (loaded == nullptr) {
            std::printf("Load_sprite : error opening image %s\n", image_path);
            continue;
        }
        SDL_Surface *sheet = to_bgr24(loaded);
        SDL_FreeSurface(loaded);
        if (sheet != nullptr)
            cut_sheet(*this, sheet, name, layout);
        SDL_FreeSurface(sheet);
    }
    std::fclose(in.file);
    return true;
}
