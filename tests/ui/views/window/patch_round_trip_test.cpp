// What is saved is what opens again: random edits of every demo patch through
// its panels (knob turns, button and picture clicks, panels moved and made
// compact) and through the back view (cable ends moved and copied with real
// events), then a save and a load. The patch that opens has every setting,
// every connection, every panel's place and look, and the sound of the patch
// that was saved.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "cables/cable_list.h"
#include "ui/views/back_view.h"
#include "ui/views/view_test_helpers.h"
#include "engine/slider.h"
#include "panels/panel_drawing.h"
#include "panels/module_panel.h"
#include "panels/panel_layout.h"
#include "patch/patch_writer.h"
#include "panels/panel_lists.h"
#include "ui/views/view_state.h"

using namespace view_test;

namespace {

// Everything of the running patch that its file carries.
struct SNAPSHOT {
    std::string written; // the module and pattern sections, as the writer gives them
    std::set<std::string> bindings;
    std::vector<std::string> panels; // name, kind, place and look of each panel
};

SNAPSHOT snapshot()
{
    SNAPSHOT s;
    const std::string all = cable_test::patch_as_written();
    s.written = all.substr(0, all.find("BEGIN_LINKS_DECLARE")) +
                all.substr(all.find("BEGIN_PATTERNS_DECLARE"));
    s.written = s.written.substr(0, s.written.find("BEGIN_PANELS_DECLARE"));
    s.bindings = cable_test::bindings_of(*gen);
    for (const OBJET *p : objets_globaux)
        s.panels.push_back(std::string(module_of(p).name()) + " " + kind_word(module_of(p).kind) +
                           " " + std::to_string(static_cast<int>(p->x)) + " " +
                           std::to_string(static_cast<int>(p->y)) + " " +
                           std::to_string(p->front_look));
    std::sort(s.panels.begin(), s.panels.end());
    return s;
}

template <class T> T &pick(std::mt19937 &random, std::vector<T> &items)
{
    return items[std::uniform_int_distribution<size_t>(0, items.size() - 1)(random)];
}

OBJET &some_panel(std::mt19937 &random) { return *pick(random, objets_globaux); }

// Knob turns, or a release on a button or a clickable picture, as the front
// view posts them, then a frame of the panel.
void edit_a_control(std::mt19937 &random)
{
    OBJET &panel = some_panel(random);
    std::vector<SPRITE *> controls;
    for (SPRITE *s : panel.front)
        if (dynamic_cast<SLIDER *>(s) || dynamic_cast<BUTTON *>(s) ||
            std::strstr(s->NAME, "AFFICHAGE"))
            controls.push_back(s);
    SPRITE *control = pick(random, controls);
    if (dynamic_cast<SLIDER *>(control)) {
        const char *word = random() % 2 ? "SLD_DOWN" : "SLD_UP";
        for (int i = random() % 40; i >= 0; i--)
            panel.ajoute_message(MESSAGE(0, nullptr, word, control));
    } else {
        SDL_Event release = {};
        release.type = SDL_MOUSEBUTTONUP;
        panel.ajoute_message(MESSAGE(1, &release, nullptr, control));
    }
    panel.evolue();
    panel.toggle_all_draw_flag(1);
    panel.Draw_Scene(nullptr);
}

void move_or_fold_a_panel(std::mt19937 &random)
{
    OBJET &panel = some_panel(random);
    if (random() % 2)
        panel.toggle_view_mode(0);
    else
        panel.setxyz(static_cast<float>(random() % 2000), static_cast<float>(random() % 2000), 0);
}

POINT centre_of(const OBJET &panel, const SPRITE &s)
{
    return {static_cast<int>(panel.x + s.x + s.w / 2), static_cast<int>(panel.y + s.y + s.h / 2)};
}

// A cable end picked up at its socket and dropped on some socket of some
// panel (moved, or copied with Right Ctrl), with real events in the back view.
void move_a_cable(std::mt19937 &random)
{
    toggle_FILS_view();
    cree_list_liens();
    if (!liens.empty()) {
        LINK &cable = *pick(random, liens);
        const bool output_end = random() % 2;
        const POINT from = output_end ? centre_of(*cable.output_panel, *cable.output_socket)
                                      : centre_of(*cable.input_panel, *cable.input_socket);
        OBJET &target = some_panel(random);
        std::vector<SPRITE *> sockets;
        for (SPRITE *s : target.back)
            if (std::strstr(s->NAME, "INPUT") || std::strstr(s->NAME, "OUTPUT"))
                sockets.push_back(s);
        const POINT to = centre_of(target, *pick(random, sockets));
        const bool copy = random() % 4 == 0;
        if (copy)
            key(SDL_KEYDOWN, SDLK_RCTRL);
        motion(from);
        motion(from);
        button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, from);
        motion(to);
        button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, to);
        if (copy)
            key(SDL_KEYUP, SDLK_RCTRL);
        cable_test::printed([] { SDL_PollEVENT_Links(objets_globaux, 0, nullptr); });
        cree_list_liens();
    }
    toggle_FILS_view();
}

bool has_noise(const GENERATOR &g)
{
    for (const VCO *o : g.oscillators)
        if (o->type == NOISE)
            return true;
    return false;
}

TEST(PatchRoundTrip, RandomEditsOfEveryDemoPatchOpenAgainAsTheyWereSaved)
{
    for (const char *demo : {"QSY/DEMO.QSY", "QSY/KEYS.QSY", "QSY/DRUMS.QSY", "QSY/MODULAR.QSY"}) {
        for (unsigned seed = 1; seed <= 3; seed++) {
            SCOPED_TRACE(std::string(demo) + " seed " + std::to_string(seed));
            std::mt19937 random(seed);
            TempDir saved;
            char report[256];
            SNAPSHOT before;
            std::vector<float> heard;
            bool noise;
            {
                VIEW_PATCH view(cable_test::file_text(demo), false);
                for (int edit = 0; edit < 60; edit++) {
                    switch (random() % 6) {
                    case 0:
                        move_a_cable(random);
                        break;
                    case 1:
                        move_or_fold_a_panel(random);
                        break;
                    default:
                        edit_a_control(random);
                        break;
                    }
                }
                before = snapshot();
                ASSERT_EQ(save_patch_file(*gen, saved.path("").c_str(), "ROUND.QSY",
                                          write_panel_layout, report, sizeof report),
                          1);
                // A queued pattern and divider take effect at the end of the
                // loop; the patch opened from the file starts with them.
                for (SEQUENCER *s : gen->sequencers) {
                    s->pattern = s->wished_pattern;
                    s->divider = s->wished_divider;
                }
                noise = has_noise(*gen);
                heard = render_second(*gen);
            }
            VIEW_PATCH reopened(cable_test::file_text(saved.path("ROUND.QSY")), false);
            apply_panel_layout(reopened.path.c_str());
            const SNAPSHOT after = snapshot();
            EXPECT_EQ(after.written, before.written);
            EXPECT_EQ(after.bindings, before.bindings);
            EXPECT_EQ(after.panels, before.panels);
            // A noise oscillator draws other numbers in every patch.
            if (!noise) {
                EXPECT_TRUE(render_second(*gen) == heard);
            }
        }
    }
}

} // namespace
