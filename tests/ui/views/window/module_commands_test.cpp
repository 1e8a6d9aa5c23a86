// Building the patch in the window with real events: the module browser from
// Insert and from a right click on empty space, the Delete key, in both
// views; what each leaves in the patch, the panels and the status line.
#include <gtest/gtest.h>

#include <functional>

#include "cables/cable_list.h"
#include "panels/panel_drawing.h"
#include "panels/panel_lists.h"
#include "ui/views/back_view.h"
#include "ui/views/front_view.h"
#include "ui/views/module_commands.h"
#include "ui/views/status_line.h"
#include "ui/views/view_state.h"
#include "ui/views/view_test_helpers.h"

using namespace view_test;

namespace {

const std::string PATCH = cable_test::patch_text(
    "VCO_1;TYPE=3;FREQ=220.000000;AMOUNT=0.50;PHASE=0;\n"
    "VCA_1;ATTACK=5;DECAY=100;SUSTAIN=1;RELEASE=50;INVERT=0;\nMIXER_4;;\n",
    "VCA_1;IN=VCO_1;\nMIXER_4;ADD_CHANELL=VCA_1;\n");

bool covers_another(const OBJET &p)
{
    for (const OBJET *o : objets_globaux)
        if (o != &p && p.x < o->x + o->w && o->x < p.x + p.w && p.y < o->y + o->h &&
            o->y < p.y + p.h)
            return true;
    return false;
}

TEST(ModuleCommands, TheBrowserAddsAndDeleteRemovesWithTheirPanelsInBothViews)
{
    const std::function<void()> down = [] { key(SDL_KEYDOWN, SDLK_DOWN); };
    const struct CASE {
        const char *what;
        bool back_view;
        std::function<void()> act;
        const char *status;
        const char *added;   // the module that must now have a panel, null: none
        const char *removed; // the module that must be gone
    } cases[] = {
        {"Insert, two rows down, Enter: an amplifier in the amplifiers' column", false,
         [&] {
             key(SDL_KEYDOWN, SDLK_INSERT);
             down();
             down();
             key(SDL_KEYDOWN, SDLK_RETURN);
         },
         "VCA_2 added: silent until cabled", "VCA_2", nullptr},
        {"a right click on empty space of the back view: the module at the pointer", true,
         [] {
             button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, empty_spot());
             button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, empty_spot());
             key(SDL_KEYDOWN, SDLK_RETURN);
         },
         "VCO_2 added: silent until cabled", "VCO_2", nullptr},
        {"Escape leaves the browser, not the program", false,
         [] {
             key(SDL_KEYDOWN, SDLK_INSERT);
             key(SDL_KEYDOWN, SDLK_ESCAPE);
             key(SDL_KEYUP, SDLK_ESCAPE);
         },
         "", nullptr, nullptr},
        {"Delete over a panel removes its module and what read it", true,
         [] {
             motion(centre(panel_of("VCA_1"), "INPUT"));
             key(SDL_KEYDOWN, SDLK_DELETE);
         },
         "VCA_1 removed with its cables", nullptr, "VCA_1"},
        {"the output mixer stays", false,
         [] {
             motion(centre(panel_of("MIXER_4"), "label_NAME"));
             key(SDL_KEYDOWN, SDLK_DELETE);
         },
         "MIXER_4 is the patch's output: it cannot be removed", nullptr, nullptr},
        {"Delete over nothing", false,
         [] {
             motion(empty_spot());
             key(SDL_KEYDOWN, SDLK_DELETE);
         },
         "Point at a module's panel to remove it", nullptr, nullptr},
    };
    for (const CASE &c : cases) {
        SCOPED_TRACE(c.what);
        VIEW_PATCH view(PATCH, c.back_view);
        say_in_window("");
        quit = 1;
        const POINT spot = empty_spot();
        c.act();
        if (c.back_view)
            SDL_PollEVENT_Links(objets_globaux, 0, nullptr);
        else
            SDL_PollEVENT(objets_globaux, 0, nullptr);
        carry_out_module_orders();
        EXPECT_EQ(status_text(), c.status);
        EXPECT_EQ(quit, 1);
        EXPECT_EQ(objets_globaux.size(), 3u + (c.added != nullptr) - (c.removed != nullptr));
        if (c.added) {
            OBJET *panel = panel_of(find_module(*gen, c.added));
            ASSERT_NE(panel, nullptr);
            EXPECT_EQ(panel->view_mode == OBJET::VIEW_BACK, c.back_view) << "the side of the view";
            if (c.back_view) // its top-left corner at the click
                EXPECT_EQ(std::make_pair(int(panel->x), int(panel->y)),
                          std::make_pair(spot.x, spot.y));
            else
                EXPECT_FALSE(covers_another(*panel));
        }
        if (c.removed) {
            EXPECT_FALSE(find_module(*gen, c.removed));
            EXPECT_EQ(gen->get_MIXER_by_name("MIXER_4")->inputs[0].source.get(), nullptr);
            EXPECT_EQ(liens.size(), 0u); // its two cables went with it
        }
        gen->free_retired();
    }
}

} // namespace
