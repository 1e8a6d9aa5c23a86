#include "ui/dialogs/modal_loop.h"

#include <GL/gl.h>

#include <cstdio>

#include "engine/video.h"

#include "panels/note_keys.h"
#include "ui/views/view_state.h"

MODAL_HOOKS modal_hooks;

namespace {

bool box_open = false;

} // namespace

bool run_modal(MODAL_BOX &box, const char *what)
{
    if (SDL_GetVideoSurface() == nullptr || box_open) {
        std::printf("%s%s\n", box_open ? "Another box is open: no " : "No window to show the ",
                    what);
        return false;
    }
    box_open = true;
    release_held_note_keys(); // their releases will come to the box
    ctrl_held = false;        // and so will Ctrl's
    const int unicode = box.types_text() ? SDL_EnableUNICODE(1) : -1;
    bool changed = true;
    while (box.open()) {
        if (modal_hooks.each_pass && modal_hooks.each_pass(modal_hooks.data))
            changed = true;
        SDL_Event event;
        bool closing = false; // the window is closing: the box goes, the view ends
        while (!closing && box.taking() && SDL_PollEvent(&event)) {
            closing = event.type == SDL_QUIT;
            changed = closing ? SDL_PushEvent(&event) != 0 : box.take(event) || changed;
        }
        if (closing)
            break;
        changed = box.pass() || changed;
        if (!box.open())
            break;
        if (changed) {
            paint_behind_box(box.behind);
            box.draw();
            SDL_GL_SwapBuffers();
        }
        if (const Uint32 wait = box.wait_ms(changed))
            SDL_Delay(wait);
        changed = false;
    }
    if (unicode >= 0)
        SDL_EnableUNICODE(unicode);
    box_open = false;
    SDL_Event redraw = {};
    redraw.type = SDL_USEREVENT;
    SDL_PushEvent(&redraw);
    return true;
}

void paint_behind_box(std::vector<unsigned char> &behind)
{
    const int w = SDL_GetVideoSurface()->w, h = SDL_GetVideoSurface()->h;
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (modal_hooks.paint_view) {
        modal_hooks.paint_view(modal_hooks.data);
    } else {
        if (behind.empty()) {
            // From the back buffer, which still holds the frame last shown
            // where swaps keep it (software OpenGL, parts copied to the
            // window): the front buffer of such a window reads back empty.
            behind.resize(3 * static_cast<size_t>(w) * h);
            glReadBuffer(GL_BACK);
            glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, behind.data());
        }
        OrthoMode(0, 0, w, h);
        glPushAttrib(GL_ENABLE_BIT);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_BLEND);
        // The raster position goes to the bottom-left corner, where the rows
        // read back start.
        glRasterPos2i(0, 0);
        glBitmap(0, 0, 0, 0, 0, static_cast<GLfloat>(-h), nullptr);
        glDrawPixels(w, h, GL_RGB, GL_UNSIGNED_BYTE, behind.data());
        glPopAttrib();
        PerspectiveMode();
    }
    // The view behind is darkened, so that the box stands out.
    OrthoMode(0, 0, w, h);
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_COLOR_BUFFER_BIT);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4ub(0, 0, 0, 110);
    glRecti(0, 0, w, h);
    glPopAttrib();
    PerspectiveMode();
}
