#include "ui/views/view_events.h"

#include "ui/views/view_state.h"
#include "remote/remote_server.h"
#include "ui/views/step_events.h"

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
            press_key(event.key.keysym.sym, event.key.keysym.mod, list, view.key_presses);
            result |= VIEW_REDRAW;
            break;
        case SDL_KEYUP:
            release_key(event.key.keysym.sym, list, view.key_releases);
            result |= VIEW_REDRAW;
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
