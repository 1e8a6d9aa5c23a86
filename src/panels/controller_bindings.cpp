#include "panels/controller_bindings.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "engine/button.h"
#include "engine/flat_drawing.h"
#include "engine/message.h"
#include "engine/slider.h"
#include "engine/video.h"
#include "panels/module_panel.h"
#include "panels/panel_elements.h"
#include "panels/panel_lists.h"
#include "patch/patch_fields.h"
#include "patch/token_reader.h"

std::vector<CONTROLLER_BINDING> controller_bindings;

namespace {

using CLOCK = std::chrono::steady_clock;

// The knob waiting for a controller (empty module: none).
CONTROLLER_BINDING waiting;
CLOCK::time_point last_turn;
bool rest_told = true; // controller_came_to_rest() told of the last turn

// Turns of one controller change at most: a frequency knob takes some
// 22,000 steps of a hertz from end to end.
constexpr int MOST_TURNS = 100000;
// Turns without a change of the value shown: the knob is at its end.
constexpr int STUCK_TURNS = 400;

// "VCO_BASS FREQUENCY 88.000 Hz": the module, and the knob as the information
// dashboard names it.
std::string knob_caption(const MODULE_PANEL &panel, const SPRITE &knob)
{
    const std::string said = panel.describe(&knob);
    return std::string(panel.module.name()) + " " + (said.empty() ? name_in_panel(panel, &knob) : said);
}

MODULE_PANEL *panel_of(const std::string &module)
{
    for (OBJET *p : objets_globaux) {
        const MODULE m = module_of(p);
        if (m && module == m.name())
            return static_cast<MODULE_PANEL *>(p);
    }
    return nullptr;
}

SPRITE *element_of(MODULE_PANEL &panel, const std::string &knob)
{
    SPRITE *s = panel.get_SPRITE_by_name(knob.c_str());
    return is_bindable(panel, s) ? s : nullptr;
}

std::vector<CONTROLLER_BINDING>::iterator binding_of(const std::string &module,
                                                     const std::string &knob)
{
    return std::find_if(controller_bindings.begin(), controller_bindings.end(),
                        [&](const CONTROLLER_BINDING &b) {
                            return b.module == module && b.knob == knob;
                        });
}

std::string controller_words(int channel, int controller)
{
    return "CC " + std::to_string(controller) + " CH " + std::to_string(channel);
}

// "NAME;KNOB=...;CHANNEL=n;CONTROLLER=n;"
void read_binding(const char *token, int line)
{
    QSTR_PARSER fields(token, ';');
    FIELD name(fields.get_champ(0));
    const std::string channel = keyed_value(fields, "CHANNEL"),
                      controller = keyed_value(fields, "CONTROLLER");
    const CONTROLLER_BINDING b{name ? name.get() : "", keyed_value(fields, "KNOB"),
                               channel.empty() ? 0 : std::atoi(channel.c_str()),
                               controller.empty() ? -1 : std::atoi(controller.c_str())};
    MODULE_PANEL *panel = panel_of(b.module);
    if (panel == nullptr || element_of(*panel, b.knob) == nullptr || b.channel < 1 ||
        b.channel > 16 || b.controller < 0 || b.controller > 127) {
        std::printf("Ligne %d: no knob [%s] of [%s] to bind to channel %d controller %d, skipped\n",
                    line, b.knob.c_str(), b.module.c_str(), b.channel, b.controller);
        return;
    }
    const auto old = binding_of(b.module, b.knob);
    if (old != controller_bindings.end())
        *old = b;
    else
        controller_bindings.push_back(b);
}

// A click on the button, as the panel and the button take a mouse release.
void click(MODULE_PANEL &panel, BUTTON &button)
{
    SDL_Event release{};
    release.type = SDL_MOUSEBUTTONUP;
    panel.take_message(MESSAGE(1, &release, nullptr, &button));
    set_button(panel, name_in_panel(panel, &button), !button.state);
}

} // namespace

bool is_bindable(const OBJET &panel, const SPRITE *element)
{
    if (element == nullptr || !module_of(&panel))
        return false;
    if (dynamic_cast<const SLIDER *>(element))
        return std::strstr(element->NAME, "SLD") != nullptr;
    return dynamic_cast<const BUTTON *>(element) &&
           !static_cast<const MODULE_PANEL &>(panel).describe(element).empty();
}

std::string learn_knob(const OBJET &panel, const SPRITE &knob)
{
    const auto &module_panel = static_cast<const MODULE_PANEL &>(panel);
    const std::string module = module_panel.module.name(), name = name_in_panel(panel, &knob);
    const std::string caption = knob_caption(module_panel, knob);
    const auto bound = binding_of(module, name);
    if (bound != controller_bindings.end()) {
        const std::string words = controller_words(bound->channel, bound->controller);
        controller_bindings.erase(bound);
        waiting = {};
        return caption + " unbound from " + words;
    }
    if (waiting.module == module && waiting.knob == name) {
        waiting = {};
        return "No controller bound to " + caption;
    }
    waiting = {module, name, 0, -1};
    return "Move a MIDI controller to bind it to " + caption + " (Ctrl+click again: cancel)";
}

std::string take_control_change(int status, int controller, int value)
{
    const int channel = (status & 0x0f) + 1;
    std::string said;
    if (!waiting.module.empty()) {
        MODULE_PANEL *panel = panel_of(waiting.module);
        SPRITE *knob = panel != nullptr ? element_of(*panel, waiting.knob) : nullptr;
        if (knob != nullptr) {
            waiting.channel = channel;
            waiting.controller = controller;
            controller_bindings.push_back(waiting);
            said = knob_caption(*panel, *knob) + " bound to " + controller_words(channel, controller);
        }
        waiting = {};
    }
    // The controller's value before this change (-1: unknown), and the way
    // it moved since.
    static int last_values[16][128]; // value + 1, 0 for none yet
    int &last = last_values[channel - 1][controller & 0x7f];
    const int before = last - 1;
    const int way = before < 0 ? 0 : value > before ? 1 : value < before ? -1 : 0;
    last = value + 1;
    for (const CONTROLLER_BINDING &b : controller_bindings) {
        if (b.channel != channel || b.controller != controller)
            continue;
        MODULE_PANEL *panel = panel_of(b.module);
        SPRITE *element = panel != nullptr ? element_of(*panel, b.knob) : nullptr;
        if (BUTTON *button = dynamic_cast<BUTTON *>(element)) {
            // A button is clicked when the controller crosses the middle
            // upwards: a pad pressed, a switch turned on.
            if (value >= 64 && before < 64)
                click(*panel, *button);
        } else if (element != nullptr) {
            turn_knob_to(*panel, *element, value / 127.0, way);
        }
        last_turn = CLOCK::now();
        rest_told = false;
    }
    return said;
}

bool controller_turning()
{
    return CLOCK::now() - last_turn < std::chrono::milliseconds(500);
}

bool controller_came_to_rest()
{
    if (rest_told || controller_turning())
        return false;
    rest_told = true;
    return true;
}

std::string binding_words(const OBJET &panel, const SPRITE *knob)
{
    const MODULE m = module_of(&panel);
    if (!m || knob == nullptr)
        return "";
    const auto b = binding_of(m.name(), name_in_panel(panel, knob));
    return b != controller_bindings.end() ? controller_words(b->channel, b->controller) : "";
}

void turn_knob_to(OBJET &panel, SPRITE &knob, double place, int way)
{
    auto &module_panel = static_cast<MODULE_PANEL &>(panel);
    auto place_of = [&](const SPRITE &k) { return module_panel.knob_place(k); };
    // Closer than a thousandth of the sweep is there already; the ends are
    // reached only at the ends.
    const double close = place <= 0 || place >= 1 ? 0.0 : 0.001;
    const double from = place_of(knob);
    if (std::abs(place - from) <= close)
        return;
    const bool up = place > from;
    if ((up && way < 0) || (!up && way > 0))
        return; // a step past the place already, in the way the controller moves
    // Up raises the value: the panels' word for that is "SLD_DOWN".
    const MESSAGE turn(0, nullptr, up ? "SLD_DOWN" : "SLD_UP", &knob);
    auto passed = [&](double now, double mark) { return up ? now >= mark : now <= mark; };
    std::string shown = module_panel.describe(&knob);
    int unchanged = 0;
    for (int i = 0; i < MOST_TURNS && unchanged < STUCK_TURNS; ++i) {
        const double before = place_of(knob);
        module_panel.take_message(turn);
        const double now = place_of(knob);
        if (passed(before, now) && now != before) {
            // The value wrapped round (the phase): on the same way round to
            // the value before the wrap, the end of the sweep.
            for (; i < MOST_TURNS && !passed(place_of(knob), before); ++i)
                module_panel.take_message(turn);
            return;
        }
        if (passed(now, place))
            return;
        const std::string said = module_panel.describe(&knob);
        unchanged = said == shown && now == before ? unchanged + 1 : 0;
        shown = said;
    }
}

std::vector<PIXEL_BOX> binding_marks()
{
    constexpr int MARK = 5;
    std::vector<PIXEL_BOX> marks;
    for (const CONTROLLER_BINDING &b : controller_bindings) {
        MODULE_PANEL *panel = panel_of(b.module);
        SPRITE *knob = panel != nullptr && panel->view_mode == OBJET::VIEW_FRONT
                           ? element_of(*panel, b.knob)
                           : nullptr;
        if (knob == nullptr)
            continue;
        // A knob is centred on its place unless it counts from its corner.
        const float shift = knob->corner_origin ? 0.0f : 0.5f;
        const int right = static_cast<int>(panel->x + knob->x + (1 - shift) * knob->w) - offsx;
        const int top = static_cast<int>(panel->y + knob->y - shift * knob->h) - offsy;
        marks.push_back({right - MARK, top, right, top + MARK});
    }
    return marks;
}

void draw_binding_marks()
{
    const std::vector<PIXEL_BOX> marks = binding_marks();
    if (marks.empty() || SDL_GetVideoSurface() == nullptr)
        return;
    const box::WINDOW_PIXELS flat;
    for (const PIXEL_BOX &m : marks)
        box::fill(m.x0, m.y0, m.x1 - m.x0, m.y1 - m.y0, box::AMBER);
}

void forget_bindings_of(const std::string &module)
{
    controller_bindings.erase(std::remove_if(controller_bindings.begin(), controller_bindings.end(),
                                             [&](const CONTROLLER_BINDING &b) {
                                                 return b.module == module;
                                             }),
                              controller_bindings.end());
    if (waiting.module == module)
        waiting = {};
}

void write_controller_section(FILE *file)
{
    if (controller_bindings.empty())
        return;
    std::fprintf(file, "BEGIN_CONTROLLERS_DECLARE\n");
    for (const CONTROLLER_BINDING &b : controller_bindings)
        std::fprintf(file, "%s;KNOB=%s;CHANNEL=%d;CONTROLLER=%d;\n", b.module.c_str(),
                     b.knob.c_str(), b.channel, b.controller);
    std::fprintf(file, "END_CONTROLLERS_DECLARE\n");
}

void read_controller_section(FILE *file)
{
    controller_bindings.clear();
    waiting = {};
    read_section(file, "BEGIN_CONTROLLERS_DECLARE", "END_CONTROLLERS_DECLARE",
                 [](const char *token, int line) {
                     read_binding(token, line);
                     return true;
                 });
}
