#include "ui/views/view_events.h"

#include "ui/views/view_state.h"
#include "remote/remote_server.h"
#include "ui/views/step_events.h"

namespace {

// A key event's word on the Ctrl keys: its own key when it is one, else the
// modifiers it carries.
void follow_ctrl(const SDL_KeyboardEvent &key)
{
    const SDLKey sym = key.keysym.sym;
    if (sym == SDLK_LCTRL || sym == SDLK_RCTRL)
        ctrl_held = key.type == SDL_KEYDOWN;
    else
        ctrl_held = (key.keysym.mod & KMOD_CTRL) != 0;
}

} // namespace

int poll_view_events(std::vector<OBJET *> &list, int accept_client, const VIEW_EVENTS &view)
{
    int result = 0;
    post_step_events();
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
        case SDL_MOUSEBUTTONDOWN:
            result |= view.press(list);
            break;
        case SDL_MOUSEMOTION:
            result |= view.motion(list);
            break;
        case SDL_MOUSEBUTTONUP:
            result |= view.release(list);
            break;
        case SDL_KEYDOWN:
            follow_ctrl(event.key);
            press_key(event.key.keysym.sym, event.key.keysym.mod, list, view.key_presses);
            result |= VIEW_REDRAW;
            break;
        case SDL_KEYUP:
            follow_ctrl(event.key);
            release_key(event.key.keysym.sym, list, view.key_releases);
            result |= VIEW_REDRAW;
            break;
        case SDL_ACTIVEEVENT: // keys let go in another window come to it
            if (!event.active.gain && (event.active.state & SDL_APPINPUTFOCUS))
                ctrl_held = false;
            break;
        case SDL_QUIT: // the window's close button: as Escape
            quit = 0;
            break;
        case SDL_USEREVENT:
            if (view.step != nullptr)
                result |= view.step(list);
            break;
        default:
            break;
        }
    }
    if (accept_client)
        accept_remote_client();
    return result;
}
