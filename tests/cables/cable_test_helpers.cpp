#include "cable_test_helpers.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <map>
#include <type_traits>

#include "cables/cable_list.h"
#include "panels/panel_layout.h"
#include "patch/patch_writer.h"
#include "panels/panel_lists.h"
#include "synth/generator.h"

namespace cable_test {

std::string file_text(const std::string &path)
{
    std::ostringstream out;
    out << std::ifstream(path, std::ios::binary).rdbuf();
    return out.str();
}

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
    write_patch(*gen, f, write_panel_layout);
    std::fclose(f);
    std::string out(text, size);
    std::free(text);
    return out;
}

std::set<std::string> bindings_of(GENERATOR &g)
{
    std::set<std::string> bindings;
    std::map<const void *, std::string> owner;
    auto own = [&](auto &list) {
        for (auto *m : list) {
            owner[&static_cast<OUTPUT *>(m)->value] = m->name;
            if constexpr (std::is_base_of_v<OUTPUT_GATE, std::remove_pointer_t<decltype(m)>>)
                owner[&m->state] = owner[&m->pulse] = m->name;
        }
    };
    own(g.oscillators), own(g.amplifiers), own(g.filters), own(g.samplers);
    own(g.mixers), own(g.keyboards), own(g.sequencers);
    auto bind = [&](const char *target, const std::string &port, const void *source) {
        if (source)
            bindings.insert(std::string(target) + "." + port + "=" + owner[source]);
    };
    auto modulated = [&](auto *m) {
        bind(m->name, "IN", m->INPUT::source.get());
        bind(m->name, "GATE", m->INPUT_GATE::source.get());
        bind(m->name, "SYNC", m->INPUT_SYNC::source.get());
        for (auto [port, in] : {std::pair{"AMP", m->mod_amplitude.get()},
                                {"FREQ", m->mod_frequency.get()},
                                {"PHASE", m->mod_phase.get()}})
            bind(m->name, port, in ? in->source.get() : nullptr);
    };
    for (VCO *m : g.oscillators) {
        modulated(m);
        bind(m->name, "PWM", m->mod_pulse_width ? m->mod_pulse_width->source.get() : nullptr);
    }
    for (SAMPLER *m : g.samplers)
        modulated(m);
    for (PCF *m : g.filters)
        modulated(m);
    for (VCA *m : g.amplifiers)
        bind(m->name, "IN", m->INPUT::source.get()),
            bind(m->name, "GATE", m->INPUT_GATE::source.get());
    for (MIXER *m : g.mixers) {
        int plugged = 0;
        for (int c = 0; c < m->count; c++)
            if (const float *source = m->inputs[c].source.get())
                bind(m->name, "CH" + std::to_string(++plugged), source);
    }
    for (SEQUENCER *m : g.sequencers)
        bind(m->name, "SYNC", m->INPUT_SYNC::source.get());
    return bindings;
}

} // namespace cable_test
