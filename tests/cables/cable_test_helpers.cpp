#include "cable_test_helpers.h"

#include <cstring>

#include "cables/cable_list.h"
#include "panels/panel_kinds.h"
#include "panels/panel_lists.h"
#include "synth/generator.h"

namespace cable_test {

std::string patch_text(const std::string &modules, const std::string &links)
{
    return "BEGIN_OBJECTS_DECLARE\n" + modules + "END_OBJECTS_DECLARE\nBEGIN_LINKS_DECLARE\n" +
           links + "END_LINKS_DECLARE\n";
}

LOADED_PATCH::LOADED_PATCH(const std::string &path)
{
    gen = new GENERATOR(path.c_str());
    initialise_gui_from_current();
}

LOADED_PATCH::~LOADED_PATCH()
{
    for (LINK *cable : liens)
        delete cable;
    liens.clear();
    for (OBJET *p : objets_globaux)
        delete p;
    objets_globaux.clear();
    sequenceurs_gui.clear();
    gen->release_modules();
    delete gen;
    gen = nullptr;
}

OBJET *LOADED_PATCH::panel(const std::string &module) const
{
    for (OBJET *p : objets_globaux)
        if (const char *name = module_name(p); name && module == name)
            return p;
    ADD_FAILURE() << "no panel shows " << module;
    return nullptr;
}

} // namespace cable_test
