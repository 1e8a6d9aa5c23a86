#include "panels/sampler_gui.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "panels/knob_steps.h"
#include "panels/panel_elements.h"
#include "panels/panel_messages.h"

void (*choose_recording)(SAMPLER &sampler) = nullptr;

namespace {

// Both knobs sweep 0 to 2, a value of 1 (as recorded) straight up.
const KNOB_SWEEP UNIT_CENTRED_SWEEP = {0.0, 2.0, false};

const PANEL_KNOB<SAMPLER_GUI> KNOBS[] = {
    {"SLD_VOLUME", "VOLUME", "LABEL_VOLUME", "%5.3f", "", UNIT_CENTRED_SWEEP,
     [](const SAMPLER_GUI &p) -> double { return p.sampler->volume; }},
    {"SLD_TUNE", "TUNE", "LABEL_TUNE", "%5.3f", "", UNIT_CENTRED_SWEEP,
     [](const SAMPLER_GUI &p) -> double { return p.sampler->tune; }},
};

void show_values(SAMPLER_GUI &p) { show_knobs(p, KNOBS); }

// A view without the display leaves it to be shown when its view comes back.
void show_file(SAMPLER_GUI &p)
{
    if (!p.get_SPRITE_by_name("LABEL_FILE"))
        return;
    p.shown_file = p.sampler->file;
    show_text(p, "LABEL_FILE", "%s",
              file_display(p.sampler->file, SAMPLER_GUI::FILE_CHARS).c_str());
}

// A turn lands on whole thousandths, so that after any number of turns the
// value meets the bounds of its schedule's ranges exactly, and never below 0.
void step(SAMPLER_GUI &p, float &value, const KNOB_SCHEDULE &schedule, const MESSAGE &m)
{
    const double stepped = step_knob(value, schedule, turn_direction(m));
    value = static_cast<float>(std::max(0.0, std::round(stepped * 1000.0) / 1000.0));
    show_values(p);
}

void on_volume(SAMPLER_GUI &p, const MESSAGE &m) { step(p, p.sampler->volume, SAMPLER_VOLUME, m); }
void on_tune(SAMPLER_GUI &p, const MESSAGE &m) { step(p, p.sampler->tune, SAMPLER_TUNE, m); }
void on_power(SAMPLER_GUI &p, const MESSAGE &m) { p.sampler->power = switched_on(m); }
void on_file(SAMPLER_GUI &p, const MESSAGE &) { p.file_asked = true; }

const BINDING<SAMPLER_GUI> BINDINGS[] = {
    {GESTURE::RELEASE, "POWER", on_power},
    {GESTURE::RELEASE, "BUTTON_FILE", on_file},
    {GESTURE::TURN, "VOLUME", on_volume},
    {GESTURE::TURN, "TUNE", on_tune},
};

} // namespace

std::string file_display(const char *path, size_t chars)
{
    const char *slash = std::strrchr(path, '/');
    const std::string name = slash != nullptr ? slash + 1 : path;
    if (name.empty())
        return "NO FILE";
    if (name.size() <= chars)
        return name;
    const size_t head = (chars - 2) / 2, tail = chars - 2 - head;
    return name.substr(0, head) + ".." + name.substr(name.size() - tail);
}

SAMPLER_GUI::SAMPLER_GUI(SAMPLER *sampler, int x, int y, const char *number)
    : MODULE_PANEL(sampler, x, y, number), sampler(sampler)
{
    load_panel_files(*this, "SAMPLER_%s", "RC/BACK_SAMPLER.RC", "RC/SAMPLER.RC");
    show_text_in_both_views(*this, "label_NAME", sampler->name);
    show_file(*this);
    show_values(*this);
    show_power(*this, sampler->power);
    finish_panel(*this);
}

std::string SAMPLER_GUI::describe(const SPRITE *element) const
{
    const std::string knob = describe_knob(*this, KNOBS, element);
    if (!knob.empty())
        return knob;
    if (std::strstr(name_in_panel(*this, element), "FILE"))
        return std::string("FILE ") + (sampler->file[0] != '\0' ? sampler->file : "NONE");
    return MODULE_PANEL::describe(element);
}

int SAMPLER_GUI::evolue()
{
    if (view_mode == VIEW_FRONT)
        handle_messages(*this, BINDINGS);
    if (shown_file != sampler->file)
        show_file(*this);
    OBJET::evolue();
    if (file_asked) {
        file_asked = false;
        if (choose_recording != nullptr)
            choose_recording(*sampler);
    }
    return 0;
}

void SAMPLER_GUI::take_message(const MESSAGE &m) { handle_message(*this, BINDINGS, m); }

double SAMPLER_GUI::knob_place(const SPRITE &knob) const
{
    const double place = place_of_knob(*this, KNOBS, &knob);
    return place >= 0 ? place : MODULE_PANEL::knob_place(knob);
}
