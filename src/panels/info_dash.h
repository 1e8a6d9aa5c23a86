// The information dashboard: names the module under the pointer and what the
// knob or button under it sets, with its value and unit ("VCO_BASS - FREQUENCY
// 88.000 Hz"), the module's type and the view its panel shows. It follows the
// values as they change. Built from RC/DASH.RC, with its three labels made
// here and drawn over the file's elements.
#pragma once

#include "engine/label.h"
#include "engine/objet.h"

class INFO_DASH : public OBJET {
public:
    LABEL *label_view_mode; // the view the target shows; owned by the front list
    LABEL *label_target;    // the target's name, and its element's setting
    LABEL *label_type;      // the target's module type
    OBJET *cible;           // the panel described; null = none. Not owned.
    const SPRITE *element;  // the element of cible under the pointer; null = none
    // The order of the DEL pad, given the panel described (null: none); the
    // main program plugs it in. Null: the pad does nothing.
    void (*remove)(OBJET *panel) = nullptr;

    // Panel "58".
    INFO_DASH();

    // Describes panel p and, when given, its element under the pointer. A
    // panel of no module (a dashboard) is not described; null forgets the
    // target and empties the texts. Returns whether the panel or the element
    // differs from the last call's.
    bool set_CIBLE(OBJET *p, const SPRITE *element = nullptr);

    // The dashboard keeps its view: does nothing. Returns 1.
    int toggle_view_mode(int mode) override;
    // Takes the queued messages (a release on the DEL pad gives the target to
    // remove) and writes the texts anew from the target, so that they follow
    // its values.
    int evolue() override;

private:
    OBJET *pointed_panel = nullptr; // as the last call gave them
    const SPRITE *pointed_element = nullptr;
    void show_target();
};

// The window's information dashboard, which the event handlers point at the
// panel under the pointer; null until the main program creates it.
extern INFO_DASH *information_dash;
