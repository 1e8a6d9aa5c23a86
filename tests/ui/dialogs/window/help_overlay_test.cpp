// The help box in a real window, driven by real SDL events: F12 and the
// system dashboard's "?" pad open it over the front view with the front
// view's rows, F12 in the back view with the back view's; a key or a click
// closes it, Escape without ending the program, and the view takes the
// events again.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "panels/panel_lists.h"
#include "panels/system_dash.h"
#include "ui/dialogs/help_overlay.h"
#include "ui/views/back_view.h"
#include "ui/views/front_view.h"
#include "ui/views/view_state.h"
#include "ui/views/view_test_helpers.h"

using namespace view_test;

namespace {

const std::string PATCH =
    cable_test::patch_text("VCO_1;TYPE=1;FREQ=440.000000;AMOUNT=0.50;PHASE=0;\nMIXER_4;;\n",
                           "MIXER_4;ADD_CHANELL=VCO_1;\n");

// At the box's first pass: what it shows, then the events that close it.
HELP_VIEWS seen_view;
std::vector<std::string> seen;
void (*close_box)() = nullptr;

int each_pass(void *)
{
    if (const HELP_OVERLAY *box = help_shown(); box != nullptr && seen.empty()) {
        seen_view = box->view;
        for (const KEY_HELP *row : box->rows)
            seen.push_back(row->input);
        close_box();
    }
    return 0;
}

// `own` is an input of the view's own, `other` one of the other view's only.
void expect_shown(HELP_VIEWS view, const char *own, const char *other, int view_result)
{
    EXPECT_EQ(view_result, VIEW_REDRAW) << own; // the box's redraw, none of its events
    EXPECT_EQ(seen_view, view) << own;
    EXPECT_NE(std::find(seen.begin(), seen.end(), own), seen.end()) << own;
    EXPECT_EQ(std::find(seen.begin(), seen.end(), other), seen.end()) << other;
    EXPECT_EQ(help_shown(), nullptr);
    EXPECT_EQ(quit, 1);
    seen.clear();
}

TEST(HelpOverlay, F12AndTheHelpPadShowTheRowsOfTheViewShownUntilAKeyOrAClick)
{
    VIEW_PATCH view(PATCH, false);
    SYSTEM_DASH system({nullptr, nullptr, nullptr, open_help});
    system.setxyz(75, 575, 0);
    std::vector<OBJET *> list = {&system};
    list.insert(list.end(), objets_globaux.begin(), objets_globaux.end());
    modal_hooks.each_pass = each_pass;
    quit = 1;

    close_box = [] {
        key(SDL_KEYDOWN, SDLK_ESCAPE, 27);
        key(SDL_KEYUP, SDLK_ESCAPE);
    };
    key(SDL_KEYDOWN, SDLK_F12);
    key(SDL_KEYUP, SDLK_F12); // held as the box opened: it closes nothing
    expect_shown(FRONT_HELP, "Middle release on a panel", "F5", SDL_PollEVENT(list, 0, nullptr));

    close_box = [] {
        button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, {10, 10});
        button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, {10, 10});
    };
    const POINT pad = centre(system, "BUTTON_HELP");
    motion(pad);
    motion(pad);
    button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, pad);
    button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, pad);
    SDL_PollEVENT(list, 0, nullptr);
    system.evolue(); // as the painting of the view does: the pad's order runs
    expect_shown(FRONT_HELP, "F6", "Left drag from a socket", SDL_PollEVENT(list, 0, nullptr));

    close_box = [] {
        key(SDL_KEYDOWN, SDLK_a, 'a');
        key(SDL_KEYUP, SDLK_a);
    };
    key(SDL_KEYDOWN, SDLK_F6); // the front view takes the keys again
    SDL_PollEVENT(list, 0, nullptr);
    key(SDL_KEYDOWN, SDLK_F12);
    expect_shown(BACK_HELP, "Left drag from a socket", "Left drag on a knob",
                 SDL_PollEVENT_Links(objets_globaux, 0, nullptr));
    modal_hooks = MODAL_HOOKS();
}

} // namespace
