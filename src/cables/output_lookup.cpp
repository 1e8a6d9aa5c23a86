#include "cables/output_lookup.h"

#include <cstring>

#include "panels/panel_kinds.h"
#include "panels/panel_lists.h"

namespace {

constexpr unsigned AUDIO_SOURCES =
    KEYBOARD_PANEL | SAMPLER_PANEL | VCA_PANEL | VCF_PANEL | SEQ_PANEL | VCO_PANEL | MIXER_PANEL;
constexpr unsigned NAMED_MODULES =
    VCO_PANEL | VCA_PANEL | VCF_PANEL | SEQ_PANEL | SAMPLER_PANEL | KEYBOARD_PANEL;

// The first panel, in the given direction, of one of the kinds for which
// matches(panel) holds.
template <class MATCH> OBJET *find_panel(bool last_first, unsigned kinds, MATCH matches)
{
    const size_t n = objets_globaux.size();
    for (size_t k = 0; k < n; k++) {
        OBJET *p = objets_globaux[last_first ? n - 1 - k : k];
        if ((kind_of(p) & kinds) != 0 && matches(p))
            return p;
    }
    return nullptr;
}

} // namespace

OBJET *get_OBJECT_by_OUTPUT(const INPUT *input)
{
    const float *source = input != nullptr ? input->source.get() : nullptr;
    if (source == nullptr)
        return nullptr;
    return find_panel(true, AUDIO_SOURCES, [source](OBJET *p) {
        const OUTPUT *o = audio_output(p);
        return o != nullptr && &o->value == source;
    });
}

OBJET *get_OBJECT_by_OUTPUT_GATE(const INPUT_GATE *input)
{
    const int *source = input != nullptr ? input->source.get() : nullptr;
    if (source == nullptr)
        return nullptr;
    return find_panel(true, KEYBOARD_PANEL | SEQ_PANEL, [source](OBJET *p) {
        const OUTPUT_GATE *o = gate_output(p);
        return o != nullptr && &o->state == source;
    });
}

OBJET *get_OBJECT_by_OUTPUT_SYNC(const INPUT_SYNC *input)
{
    const int *source = input != nullptr ? input->source.get() : nullptr;
    if (source == nullptr)
        return nullptr;
    return find_panel(false, KEYBOARD_PANEL | SEQ_PANEL, [source](OBJET *p) {
        const OUTPUT_SYNC *o = sync_output(p);
        return o != nullptr && &o->pulse == source;
    });
}

OBJET *get_OBJECT_by_name(const char *name)
{
    if (name == nullptr)
        return nullptr;
    return find_panel(true, NAMED_MODULES, [name](OBJET *p) {
        const char *own = module_name(p);
        return own != nullptr && std::strcmp(own, name) == 0;
    });
}

int get_pointed_instrument(const std::vector<OBJET *> *list)
{
    if (list == nullptr)
        return -1;
    const BASE pointer(static_cast<float>(mouse_x), static_cast<float>(mouse_y), 0, nullptr);
    for (size_t i = 0; i < list->size(); i++) {
        const OBJET *p = (*list)[i];
        const RECTANGLE area(p->x, p->y, 0, p->w, p->h, 0, nullptr);
        if (area == pointer)
            return static_cast<int>(i);
    }
    return -1;
}
