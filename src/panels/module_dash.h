// The module dashboard: a plain panel built from RC/MODULE_DASH.RC, whose
// plate lists the keys of the front view.
#pragma once

#include "engine/objet.h"

class MODULE_DASH : public OBJET {
public:
    // Panel "59".
    MODULE_DASH();
    // The panel's refresh; it is drawn again every time. Returns 0.
    int evolue() override;
};
