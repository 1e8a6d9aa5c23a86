// The kinds of module a user can add, as the module browser lists them, and
// making a new module of a kind: with the settings a patch file gives a
// module declared without keys, and its name.
#pragma once

#include "modules/module.h"

struct MODULE_TYPE {
    MODULE_KIND kind;
    const char *prefix;      // a new module's name: prefix, '_', a number
    const char *title;       // what the browser calls it
    const char *description; // one line
};

// The seven kinds, in the browser's order.
extern const MODULE_TYPE MODULE_TYPES[7];
const MODULE_TYPE &module_type(MODULE_KIND kind);

// A new module of the kind with a patch file's defaults, named so (cut to
// its name field). Owned by the caller until a list of a patch takes it.
MODULE new_module(MODULE_KIND kind, const char *name);
