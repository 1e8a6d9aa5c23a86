#include "panels/panel_kinds.h"

#include <type_traits>

#include "panels/keyboard_gui.h"
#include "panels/mixer_gui.h"
#include "panels/sampler_gui.h"
#include "panels/seq_gui.h"
#include "panels/vca_gui.h"
#include "panels/vcf_gui.h"
#include "panels/vco_gui.h"

namespace {

// Calls f(kind, module) with the module of a module panel, or f(NO_MODULE_PANEL,
// nullptr) for any other panel; f is called with the module's own type.
template <class F> auto with_module(const OBJET *p, F f)
{
    if (auto *v = dynamic_cast<const VCO_GUI *>(p))
        return f(VCO_PANEL, v->vco);
    if (auto *v = dynamic_cast<const VCA_GUI *>(p))
        return f(VCA_PANEL, v->vca);
    if (auto *v = dynamic_cast<const VCF_GUI *>(p))
        return f(VCF_PANEL, v->pcf);
    if (auto *v = dynamic_cast<const SEQ_GUI *>(p))
        return f(SEQ_PANEL, v->sequencer);
    if (auto *v = dynamic_cast<const MIXER_GUI *>(p))
        return f(MIXER_PANEL, v->mixer);
    if (auto *v = dynamic_cast<const SAMPLER_GUI *>(p))
        return f(SAMPLER_PANEL, v->sampler);
    if (auto *v = dynamic_cast<const KEYBOARD_GUI *>(p))
        return f(KEYBOARD_PANEL, v->keyboard);
    return f(NO_MODULE_PANEL, static_cast<OUTPUT *>(nullptr));
}

// The module's port of class PORT when its type has one, else null.
template <class PORT> struct port_of {
    template <class MODULE> PORT *operator()(PANEL_KIND, MODULE *m) const
    {
        if constexpr (std::is_base_of_v<PORT, MODULE>)
            return m;
        else
            return nullptr;
    }
};

} // namespace

PANEL_KIND kind_of(const OBJET *panel)
{
    return with_module(panel, [](PANEL_KIND kind, auto *) { return kind; });
}

const char *kind_word(PANEL_KIND kind)
{
    switch (kind) {
    case VCO_PANEL:
        return "VCO";
    case VCA_PANEL:
        return "VCA";
    case VCF_PANEL:
        return "VCF";
    case SEQ_PANEL:
        return "SEQUENCEUR";
    case MIXER_PANEL:
        return "MIXER";
    case SAMPLER_PANEL:
        return "SAMPLER";
    case KEYBOARD_PANEL:
        return "KEYBOARD";
    case NO_MODULE_PANEL:
        break;
    }
    return nullptr;
}

const char *module_name(const OBJET *panel)
{
    return with_module(panel, [](PANEL_KIND, auto *m) -> const char * {
        if constexpr (std::is_same_v<decltype(m), OUTPUT *>)
            return nullptr;
        else
            return m != nullptr ? m->name : nullptr;
    });
}

OUTPUT *audio_output(const OBJET *panel) { return with_module(panel, port_of<OUTPUT>()); }

OUTPUT_GATE *gate_output(const OBJET *panel) { return with_module(panel, port_of<OUTPUT_GATE>()); }

OUTPUT_SYNC *sync_output(const OBJET *panel) { return with_module(panel, port_of<OUTPUT_SYNC>()); }
