#include "engine/video.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>

#include "engine/font_engine.h"
#include "engine/qbiblio.h"

SDL_Surface *screen = nullptr;
int offsx = 0, offsy = 0;

namespace {

constexpr int NO_VIDEO = 1, NO_IMAGES = -1;

int video_failure(const char *what)
{
    std::fprintf(stderr, "%s: %s\n", what, SDL_GetError());
    return NO_VIDEO;
}

} // namespace

int initGL(int w, int h, const char *, const char *archive_path)
{
    delete font_engine;
    font_engine = new FONT_ENGINE();

    // Where SDL 1.2 is the compatibility layer over SDL 2, it draws OpenGL
    // windows into a framebuffer of its own and copies that into the window
    // at each swap, unless told not to: then parts of a frame could not be
    // shown without the whole (engine/kept_frame.h). A window of fixed size
    // has no use for that scaling. A choice already in the environment holds.
    setenv("SDL12COMPAT_OPENGL_SCALING", "0", 0);
    if (SDL_Init(SDL_INIT_VIDEO) < 0)
        return video_failure("Video initialization failed");
    const SDL_VideoInfo *info = SDL_GetVideoInfo();
    if (info == nullptr)
        return video_failure("Video query failed");
    Uint32 flags = SDL_HWPALETTE | SDL_OPENGL | SDL_HWSURFACE | SDL_ASYNCBLIT;
    if (info->blit_hw)
        flags |= SDL_HWACCEL;
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    screen = SDL_SetVideoMode(w, h, 32, flags);
    if (screen == nullptr)
        return video_failure("Video mode set failed");
    resizeWindow(w, h);

    glShadeModel(GL_SMOOTH);
    glClearColor(0, 0, 0, 0);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);

    delete bibliotheque_graphique;
    bibliotheque_graphique = new QBIBLIO();
    return bibliotheque_graphique->load_QIM(archive_path) ? 0 : NO_IMAGES;
}

int resizeWindow(int w, int h)
{
    if (h == 0)
        h = 1;
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    return 1;
}

void OrthoMode(int left, int top, int right, int bottom)
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(left, right, bottom, top, 0, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void PerspectiveMode()
{
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}
