#include "cables/link.h"

#include <cstring>

#include "engine/draw.h"

namespace {

// The centre of a socket on the work area, truncated toward zero.
void socket_centre(const OBJET *panel, const SPRITE *socket, int &x, int &y)
{
    x = static_cast<int>(panel->x + socket->x + socket->w / 2);
    y = static_cast<int>(panel->y + socket->y + socket->h / 2);
}

void show_plug(SPRITE &plug, bool plugged)
{
    plug.set_sprite_NAME(plugged ? "FICHE_PLUG" : "FICHE_UNPLUG");
    VORN_ENGINE::copy_name(plug.mask_NAME, plugged ? "FICHE_PLUG_MASK" : "FICHE_UNPLUG_MASK");
}

void toggle_plug(SPRITE &plug, int force_plug, int force_unplug)
{
    show_plug(plug, std::strcmp(plug.sprite_NAME, "FICHE_UNPLUG") == 0);
    if (force_plug)
        show_plug(plug, true);
    if (force_unplug)
        show_plug(plug, false);
}

void centre_on(SPRITE &plug, int x, int y)
{
    plug.x = static_cast<float>(x) - plug.w / 2;
    plug.y = static_cast<float>(y) - plug.h / 2;
}

} // namespace

CORDE::CORDE(int x1, int y1, int x2, int y2, int colour)
    : x1(x1), y1(y1), x2(x2), y2(y2), colour(colour)
{
}

void CORDE::blit(SDL_Surface *surface) { draw_fil(surface, x1, y1, x2, y2, colour); }

LINK::LINK(OBJET *input_panel, OBJET *output_panel, SPRITE *input_socket, SPRITE *output_socket,
           int colour)
    : corde(0, 0, 0, 0, colour), input_plug("FICHE_PLUG", 0, 0, 1, 0xff00ff, 0, 1.0f, 0, 0),
      output_plug("FICHE_PLUG", 0, 0, 1, 0xff00ff, 0, 1.0f, 0, 0), input_panel(nullptr),
      output_panel(nullptr), input_socket(nullptr), output_socket(nullptr)
{
    set(input_panel, output_panel, input_socket, output_socket, colour);
    for (SPRITE *plug : {&input_plug, &output_plug})
        show_plug(*plug, true);
    input_plug.setxyz(static_cast<float>(corde.x1), static_cast<float>(corde.y1), 0);
    output_plug.setxyz(static_cast<float>(corde.x2), static_cast<float>(corde.y2), 0);
}

void LINK::set(OBJET *in_panel, OBJET *out_panel, SPRITE *in_socket, SPRITE *out_socket, int colour)
{
    input_panel = in_panel;
    output_panel = out_panel;
    input_socket = in_socket;
    output_socket = out_socket;
    corde.colour = colour;
    socket_centre(in_panel, in_socket, corde.x1, corde.y1);
    socket_centre(out_panel, out_socket, corde.x2, corde.y2);
}

void LINK::blit(SDL_Surface *surface)
{
    input_plug.evolue();
    output_plug.evolue();
    centre_on(input_plug, corde.x1, corde.y1);
    centre_on(output_plug, corde.x2, corde.y2);
    corde.blit(surface);
    for (SPRITE *plug : {&input_plug, &output_plug}) {
        plug->redraw = 1;
        plug->blit(surface);
    }
}

void LINK::sprite_fiche_source_toggle(int plug, int unplug)
{
    toggle_plug(input_plug, plug, unplug);
}

void LINK::sprite_fiche_cible_toggle(int plug, int unplug)
{
    toggle_plug(output_plug, plug, unplug);
}
