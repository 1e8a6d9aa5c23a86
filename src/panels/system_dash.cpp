#include "panels/system_dash.h"

#include <cstring>

#include "panels/panel_elements.h"

int LOAD_FLAG = 0;

SYSTEM_DASH::SYSTEM_DASH(const SYSTEM_ORDERS &orders) : OBJET(0, 0, "60"), orders(orders)
{
    build_dashboard(*this, "RC/SYSTEM_DASH.RC");
}

int SYSTEM_DASH::evolue()
{
    while (!messages.empty()) {
        const MESSAGE m = messages.back();
        messages.pop_back();
        if (m.kind == 0 || !m.is_release() || m.target == nullptr)
            continue;
        const char *name = m.target->NAME;
        if (std::strstr(name, "LOAD") && orders.load) {
            LOAD_FLAG = 1;
            orders.load();
            LOAD_FLAG = 0;
        }
        if (std::strstr(name, "SAVE") && orders.save)
            orders.save();
        if (std::strstr(name, "FILS") && orders.fils)
            orders.fils();
        if (std::strstr(name, "HELP") && orders.help)
            orders.help();
        if (std::strstr(name, "NEW") && orders.empty)
            orders.empty();
        if (std::strstr(name, "ADD") && orders.add)
            orders.add();
        if (std::strstr(name, "REC") && orders.record)
            orders.record();
        if (std::strstr(name, "CLOCK") && orders.clock)
            orders.clock();
    }
    refresh_dashboard(*this);
    redraw = 1;
    return 0;
}

void SYSTEM_DASH::show_load(int percent) { show_text(*this, "LABEL_CPU_SHARE", "%d %%", percent); }

void SYSTEM_DASH::show_recording(double seconds)
{
    set_button(*this, "BUTTON_REC", seconds >= 0 ? 1 : 0);
    if (seconds < 0) {
        show_text(*this, "LABEL_TAKE_TIME", "%s", " ");
        return;
    }
    const int whole = static_cast<int>(seconds);
    show_text(*this, "LABEL_TAKE_TIME", "%02d:%02d", whole / 60, whole % 60);
}

void SYSTEM_DASH::show_clock(bool following, float tempo)
{
    set_button(*this, "BUTTON_CLOCK", following ? 1 : 0);
    if (!following)
        show_text(*this, "LABEL_TEMPO", "%s", " ");
    else if (tempo > 0)
        show_text(*this, "LABEL_TEMPO", "%5.1f BPM", tempo);
    else
        show_text(*this, "LABEL_TEMPO", "%s", "NO CLOCK");
}
