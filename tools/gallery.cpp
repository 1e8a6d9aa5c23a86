// Draws every image of the image archive in a real window, through the sprite
// path the program uses, each labelled with its name through the text path,
// then saves a screenshot. Run from data/:  qm_gallery <picture.png|.bmp>
//
// The first part of the page shows each image alone, enlarged when small; the
// second shows every image that has a mask as the program draws it, masked
// over the panel background.
#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/font_data.h"
#include "engine/objet.h"
#include "engine/qbiblio.h"
#include "engine/sprite.h"
#include "engine/video.h"
#include "screenshot.h"

namespace {

const int WIDTH = 1024, HEIGHT = 768;
const int MARGIN = 8, LABEL_HEIGHT = 12, GAP = 10;
const int LABEL_CHAR_WIDTH = 5; // advance of the small font, for the layout

// Places cells left to right, row by row.
struct Flow {
    int x = MARGIN, y = MARGIN, row_height = 0;

    // Top-left of a cell of w x h pixels.
    void place(int w, int h, int &cell_x, int &cell_y)
    {
        if (x + w > WIDTH - MARGIN) {
            x = MARGIN;
            y += row_height + GAP;
            row_height = 0;
        }
        cell_x = x;
        cell_y = y;
        x += w + GAP;
        row_height = std::max(row_height, h);
    }
    void new_section()
    {
        y += row_height + 2 * GAP;
        x = MARGIN;
        row_height = 0;
    }
};

// Small images are enlarged by a whole factor up to about 48 pixels; large
// ones reduced to 128.
float zoom_for(const SDL_Surface *s, int small_limit)
{
    const int side = std::max(s->w, s->h);
    if (side > 128)
        return 128.0f / side;
    return static_cast<float>(std::max(1, std::min(4, small_limit / side)));
}

void label(int x, int y, const char *text)
{
    glColor3ub(220, 220, 200);
    freetype::print(our_font_7, static_cast<float>(x), static_cast<float>(HEIGHT - y - 9), "%s",
                    text);
    glColor3ub(255, 255, 255);
}

// Draws an image through a sprite whose top-left corner lands on (x, y) at the
// given zoom (a sprite scales about its centre).
void draw_image(const char *name, const char *mask, int x, int y, float zoom)
{
    SPRITE sprite(name, 0, 0, 0, 0, 0, zoom, 0, 0);
    if (mask != nullptr)
        VORN_ENGINE::copy_name(sprite.mask_NAME, mask);
    sprite.evolue();
    sprite.x = x - sprite.w * (1 - zoom) / 2;
    sprite.y = y - sprite.h * (1 - zoom) / 2;
    sprite.blit(nullptr);
}

// The mask the widgets would look up for an image: knobs add "_MASK", buttons
// replace what follows the last '_' by "MASK".
const char *mask_of(const QBIBLIO &library, const char *name, std::string &buffer)
{
    buffer = std::string(name) + "_MASK";
    if (library.get_index_image(buffer.c_str()) >= 0)
        return buffer.c_str();
    const char *cut = std::strrchr(name, '_');
    if (cut == nullptr || cut == name)
        return nullptr;
    buffer = std::string(name, cut + 1) + "MASK";
    if (buffer != name && library.get_index_image(buffer.c_str()) >= 0)
        return buffer.c_str();
    return nullptr;
}

// The demonstration panel read from its description file and drawn as the
// program draws panels: in its front view, then in its compact view.
void draw_demo_panel(Flow &flow)
{
    for (int mode : {OBJET::VIEW_FRONT, OBJET::VIEW_COMPACT}) {
        OBJET panel(0, 0, "D");
        if (panel.load_RC("RC/DEMO.RC") != 1)
            return;
        int x, y;
        flow.place(static_cast<int>(panel.w) / mode,
                   static_cast<int>(panel.h) / mode + LABEL_HEIGHT, x, y);
        panel.setxyz(x, y, 0);
        panel.toggle_view_mode(mode); // sizes and draws the panel
        label(x, y + static_cast<int>(panel.h) + 2,
              mode == OBJET::VIEW_FRONT ? "RC/DEMO.RC" : "compact");
    }
}

void draw_gallery(const QBIBLIO &library)
{
    Flow flow;
    for (int i = 0; i < library.nb_images; i++) {
        const SDL_Surface *s = library.images[i];
        if (s == nullptr)
            continue;
        const float zoom = zoom_for(s, 48);
        const int w = static_cast<int>(s->w * zoom), h = static_cast<int>(s->h * zoom);
        char text[120];
        std::snprintf(text, sizeof text, "%s %dx%d", library.names[i], s->w, s->h);
        const int cell_w = std::max(w, static_cast<int>(std::strlen(text)) * LABEL_CHAR_WIDTH);
        int x, y;
        flow.place(cell_w, h + LABEL_HEIGHT, x, y);
        draw_image(library.names[i], nullptr, x, y, zoom);
        label(x, y + h + 2, text);
    }
    draw_demo_panel(flow);

    flow.new_section();
    int x, y;
    flow.place(WIDTH, LABEL_HEIGHT, x, y);
    label(x, y, "Masked images as drawn on a panel (mask multiplied, image added):");
    for (int i = 0; i < library.nb_images; i++) {
        std::string mask_name;
        const char *mask = mask_of(library, library.names[i], mask_name);
        if (library.images[i] == nullptr || mask == nullptr)
            continue;
        const float zoom = zoom_for(library.images[i], 32);
        const int w = static_cast<int>(library.images[i]->w * zoom);
        const int h = static_cast<int>(library.images[i]->h * zoom);
        const int cell_w =
            std::max(w + 8, static_cast<int>(std::strlen(library.names[i])) * LABEL_CHAR_WIDTH);
        flow.place(cell_w, h + 8 + LABEL_HEIGHT, x, y);
        draw_image("FOND_GLOBAL", nullptr, x, y, (w + 8) / 256.0f);
        draw_image(library.names[i], mask, x + 4, y + 4, zoom);
        label(x, y + h + 10, library.names[i]);
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <screenshot.png|.bmp> (run from data/)\n", argv[0]);
        return 2;
    }
    initGL(WIDTH, HEIGHT, "gallery", "grfx/opengl.qim");
    SDL_WM_SetCaption("qmodular image gallery", nullptr);
    our_font_7.init("Fonts/04b_03b_.ttf", 6);

    glClearColor(0.16f, 0.16f, 0.18f, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    OrthoMode(0, 0, WIDTH, HEIGHT);
    draw_gallery(*bibliotheque_graphique);
    PerspectiveMode();

    SDL_Surface *shot = read_frame(WIDTH, HEIGHT);
    const bool saved = save_picture(shot, argv[1]);
    SDL_FreeSurface(shot);
    SDL_GL_SwapBuffers();
    std::printf("%d images, screenshot %s %s\n", bibliotheque_graphique->nb_images, argv[1],
                saved ? "saved" : "NOT saved");

    our_font_7.clean();
    delete bibliotheque_graphique;
    SDL_Quit();
    return saved ? 0 : 1;
}
