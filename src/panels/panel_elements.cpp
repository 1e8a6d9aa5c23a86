#include "panels/panel_elements.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

void load_panel_files(OBJET &panel, const char *sprite_format, const char *back_file,
                      const char *front_file)
{
    char sprite_name[VORN_ENGINE::NAME_SIZE];
    std::snprintf(sprite_name, sizeof sprite_name, sprite_format, panel.name);
    VORN_ENGINE::copy_name(panel.sprite_NAME, sprite_name);
    panel.current = &panel.back;
    panel.load_RC(back_file);
    panel.current = &panel.front;
    panel.load_RC(front_file);
}

void finish_panel(OBJET &panel)
{
    for (std::vector<SPRITE *> *list : {&panel.back, &panel.front})
        for (SPRITE *s : *list)
            if (BUTTON *b = dynamic_cast<BUTTON *>(s))
                show_state(*b);
    panel.toggle_all_draw_flag(1);
    panel.OBJET::evolue();
}

void build_dashboard(OBJET &dash, const char *rc_file)
{
    dash.load_RC(rc_file);
    dash.calcule_lasurfaceoccupee();
    dash.toggle_all_draw_flag(1);
    dash.Draw_Scene(nullptr);
    dash.redraw = 1;
}

void refresh_dashboard(OBJET &dash)
{
    dash.OBJET::evolue();
    dash.calcule_lasurfaceoccupee();
}

const char *name_in_panel(const OBJET &panel, const SPRITE *s)
{
    const size_t len = std::strlen(panel.name);
    if (std::strncmp(s->NAME, panel.name, len) == 0 && s->NAME[len] == '_')
        return s->NAME + len + 1;
    const size_t skip = s->NAME[0] != '\0' && s->NAME[1] == '_' ? 2 : 3;
    return s->NAME + std::min(skip, std::strlen(s->NAME));
}

void show_text(OBJET &panel, const char *label, const char *format, ...)
{
    LABEL *l = element<LABEL>(panel, label);
    if (l == nullptr)
        return;
    va_list args;
    va_start(args, format);
    std::vsnprintf(l->text, sizeof l->text, format, args);
    va_end(args);
    l->redraw = 1;
}

void show_text_in_both_views(OBJET &panel, const char *label, const char *text)
{
    std::vector<SPRITE *> *shown = panel.current;
    for (std::vector<SPRITE *> *list : {&panel.back, &panel.front}) {
        panel.current = list;
        show_text(panel, label, "%s", text);
    }
    panel.current = shown;
}

void show_image(OBJET &panel, const char *sprite, const char *image)
{
    if (SPRITE *s = panel.get_SPRITE_by_name(sprite)) {
        s->set_sprite_NAME(image);
        s->redraw = 1;
    }
}

double sweep_place(double value, const KNOB_SWEEP &sweep)
{
    double low = sweep.low, high = sweep.high, v = value;
    if (sweep.logarithmic) {
        low = std::log(low);
        high = std::log(high);
        v = value > 0.0 ? std::log(value) : low;
    }
    // Written so that a NaN lands at the low end.
    return v > low ? (v < high ? (v - low) / (high - low) : 1.0) : 0.0;
}

int knob_angle(double value, const KNOB_SWEEP &sweep)
{
    constexpr double HALF_SWEEP = 135.0;
    return static_cast<int>(std::lround(-HALF_SWEEP + 2.0 * HALF_SWEEP * sweep_place(value, sweep)));
}

void show_knob(OBJET &panel, const char *knob, double value, const KNOB_SWEEP &sweep)
{
    if (SLIDER *k = element<SLIDER>(panel, knob))
        k->angle = knob_angle(value, sweep);
}

void set_button(OBJET &panel, const char *button, int state)
{
    if (BUTTON *b = element<BUTTON>(panel, button)) {
        b->state = state;
        show_state(*b);
    }
}

void show_power(OBJET &panel, int power) { set_button(panel, "POWER", power != 0 ? 0 : 1); }

void show_state(BUTTON &button)
{
    button.set_sprite_NAME(button.images[button.state == 1 ? BUTTON::IMAGE_ON : BUTTON::IMAGE_OFF]);
}

std::string describe_value(const char *caption, const char *format, double value, const char *unit)
{
    char number[64];
    std::snprintf(number, sizeof number, format, value);
    const char *start = number;
    while (*start == ' ') // the labels' formats pad to a width
        start++;
    std::string text = std::string(caption) + " " + start;
    if (unit[0] != '\0')
        text += std::string(" ") + unit;
    return text;
}
