#include "ui/views/view_state.h"

#include "panels/panel_drawing.h"

int DISPLAY_OSCILLO = 0;
float ZOOM_FACTOR = 1.0f;
int MOVING_OBJET = -1;
int quit = 1;
int DUPLICATE_LINK_FLAG = 0;

SDL_Event event;
bool ctrl_held = false;
int LLDOWNmouse_x = 0, LLDOWNmouse_y = 0;
int MMDOWNmouse_x = 0, MMDOWNmouse_y = 0;
int nr_ins_cible = -1;

void (*load_dialog)() = nullptr;
PATCH_ORDERS patch_orders;

FRONT_VIEW front_view;
LINKS_VIEW links_view;

void open_load_dialog()
{
    if (load_dialog != nullptr)
        load_dialog();
    forget_view_picks();
}

void toggle_FILS_view()
{
    show_panel_sides(BACK_VIEW_TOGGLE ? 0 : 1);
    forget_view_picks();
}

void forget_view_picks()
{
    front_view = FRONT_VIEW();
    links_view = LINKS_VIEW();
    nr_ins_cible = -1;
}

bool button_held()
{
    for (const VIEW_PICKS *v : {static_cast<const VIEW_PICKS *>(&front_view),
                                static_cast<const VIEW_PICKS *>(&links_view)})
        if (v->Lpressed_flag || v->Rpressed_flag)
            return true;
    return false;
}
