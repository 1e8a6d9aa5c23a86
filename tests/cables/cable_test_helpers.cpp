#include "cable_test_helpers.h"

#include <cstdlib>

#include "cables/cable_list.h"
#include "cables/patch_writer.h"
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

std::string patch_as_written()
{
    char *text = nullptr;
    size_t size = 0;
    FILE *f = open_memstream(&text, &size);
    write_patch(f);
    std::fclose(f);
    std::string out(text, size);
    std::free(text);
    return out;
}

} // namespace cable_test
