// A patch cable of the back view: a cord between two socket centres, with a
// plug sprite on each end. The panels and sockets it joins are borrowed: a
// cable is rebuilt from the module connections whenever they change, and is
// valid only while its panels exist.
#pragma once

#include <SDL.h>

#include "engine/objet.h"
#include "engine/sprite.h"

// The cord drawn between the two end points (work-area pixels).
class CORDE {
public:
    int x1, y1; // the input end
    int x2, y2; // the output end
    int colour; // 0xRRGGBB, by what the cable carries (cables/cable_colours.h)

    CORDE(int x1, int y1, int x2, int y2, int colour);
    // Draws the sagging cable between the two ends.
    void blit(SDL_Surface *unused);
};

class LINK {
public:
    CORDE corde;
    SPRITE input_plug;     // on the input end (x1, y1)
    SPRITE output_plug;    // on the output end (x2, y2)
    OBJET *input_panel;    // the panel of the module whose input is bound
    OBJET *output_panel;   // the panel of the module that owns the output
    SPRITE *input_socket;  // on input_panel
    SPRITE *output_socket; // on output_panel

    // Input-end panel, output-end panel, their sockets and the colour code;
    // both plugs show "FICHE_PLUG".
    LINK(OBJET *input_panel, OBJET *output_panel, SPRITE *input_socket, SPRITE *output_socket,
         int colour);
    // Takes the four references and the colour code and puts each end point
    // at the centre of its socket on the work area.
    void set(OBJET *input_panel, OBJET *output_panel, SPRITE *input_socket, SPRITE *output_socket,
             int colour);

    // Draws the cord, then the input plug, then the output plug, each plug
    // centred on its end point. The end points stay where the last set() put
    // them: a cable follows a moved panel when the list is rebuilt.
    void blit(SDL_Surface *unused);

    // Switches the input-end plug between plugged ("FICHE_PLUG") and pulled
    // out ("FICHE_UNPLUG"); then a non-zero plug flag forces it plugged and a
    // non-zero unplug flag forces it pulled out, in that order.
    void sprite_fiche_source_toggle(int plug, int unplug);
    // The same for the output-end plug.
    void sprite_fiche_cible_toggle(int plug, int unplug);

    void affiche() const {}
};
