#include "panel_test_helpers.h"

#include <gtest/gtest.h>

#include "engine/label.h"

namespace panel_test {

SPRITE *part(OBJET &panel, const std::string &name)
{
    SPRITE *s = panel.get_SPRITE_by_name(name.c_str());
    EXPECT_NE(s, nullptr) << "no element " << name << " on panel " << panel.name;
    return s;
}

void frame(OBJET &panel)
{
    panel.evolue();
    panel.toggle_all_draw_flag(1);
    panel.Draw_Scene(nullptr);
}

void turn(OBJET &panel, const std::string &knob, const char *word, int times)
{
    SPRITE *target = part(panel, knob);
    for (int i = 0; i < times; i++)
        panel.ajoute_message(MESSAGE(0, nullptr, word, target));
    frame(panel);
}

void release(OBJET &panel, const std::string &element, OBJET *owner)
{
    SDL_Event event = {};
    event.type = SDL_MOUSEBUTTONUP;
    OBJET &of = owner != nullptr ? *owner : panel;
    panel.ajoute_message(
        MESSAGE(1, &event, nullptr, element.empty() ? nullptr : part(of, element)));
    frame(panel);
}

std::string text_of(OBJET &panel, const std::string &label)
{
    const LABEL *l = dynamic_cast<const LABEL *>(panel.get_SPRITE_by_name(label.c_str()));
    return l ? l->text : "<none>";
}

std::string image_of(OBJET &panel, const std::string &sprite)
{
    return part(panel, sprite)->sprite_NAME;
}

} // namespace panel_test
