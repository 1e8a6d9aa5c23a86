#include "modules/patch_match.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "modules/module_settings.h"
#include "modules/patch_edit.h"
#include "modules/sockets.h"

namespace {

// The module of the kind with exactly that name; none when there is none.
MODULE named(const GENERATOR &g, MODULE_KIND kind, const char *name)
{
    for (const MODULE &m : modules_of(g, kind))
        if (std::strcmp(m.name(), name) == 0)
            return m;
    return {};
}

// The live module that stands for a target module (none for none).
MODULE counterpart(const GENERATOR &live, const MODULE &m)
{
    return m ? named(live, m.kind, m.name()) : MODULE();
}

// Plugs each input of m as the same input of its target counterpart t is
// plugged, touching only those that differ. A mixer gets the plugged
// channels of t, in order, and no others.
void plug_like(const GENERATOR &live, const MODULE &m, const GENERATOR &target, const MODULE &t)
{
    for (const SOCKET &s : input_sockets(m.kind)) {
        std::vector<MODULE> wanted;
        for (int c = 0; c < s.channels_in_use(t); ++c) {
            const MODULE source = counterpart(live, owner_of(target, s.signal, s.source(t, c)));
            if (source || s.channels == 1)
                wanted.push_back(source);
        }
        const int slots = std::max(static_cast<int>(wanted.size()), s.channels_in_use(m));
        for (int c = 0; c < slots; ++c) {
            const MODULE source = c < static_cast<int>(wanted.size()) ? wanted[c] : MODULE();
            if (c >= s.channels_in_use(m))
                s.plug(m, -1, source);
            else if (s.source(m, c) != (source ? source.output(s.signal) : nullptr))
                s.plug(m, c, source);
        }
        if (m.kind == MIXER_MODULE)
            m.as<MIXER>()->keep_channels(static_cast<int>(wanted.size()));
    }
}

} // namespace

PATCH_CHANGES match_patch(GENERATOR &live, const GENERATOR &target)
{
    PATCH_CHANGES changes;
    std::snprintf(live.output_mixer, sizeof live.output_mixer, "%s", target.output_mixer);
    for (MODULE_KIND kind : MODULE_KINDS) {
        std::string why;
        for (const MODULE &m : modules_of(live, kind))
            if (!named(target, kind, m.name()) && remove_module(live, m, why))
                changes.removed.push_back(m);
        const std::vector<MODULE> wanted = modules_of(target, kind);
        for (size_t i = 0; i < wanted.size(); ++i)
            if (!named(live, kind, wanted[i].name()))
                changes.added.push_back(insert_module(live, kind, wanted[i].name(), i));
    }
    for (MODULE_KIND kind : MODULE_KINDS)
        for (const MODULE &t : modules_of(target, kind))
            plug_like(live, named(live, kind, t.name()), target, t);
    for (MODULE_KIND kind : MODULE_KINDS)
        for (const MODULE &t : modules_of(target, kind))
            copy_settings(t, named(live, kind, t.name()));
    return changes;
}
