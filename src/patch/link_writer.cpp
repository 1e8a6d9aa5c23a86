#include <cstdio>
#include <string>

#include "modules/sockets.h"
#include "patch/patch_sections.h"

namespace {

// The order of the link section: the order the window builds its panels in.
const MODULE_KIND LINE_ORDER[] = {KEYBOARD_MODULE, VCO_MODULE, SAMPLER_MODULE, VCA_MODULE,
                                  SEQ_MODULE,      VCF_MODULE, MIXER_MODULE};

// Whether a kind takes audio: its line is written even when nothing is
// plugged, as the first patch files have them.
bool takes_audio(MODULE_KIND kind)
{
    for (const SOCKET &s : input_sockets(kind))
        if (s.signal == SIGNAL::AUDIO)
            return true;
    return false;
}

} // namespace

bool write_links_of(const GENERATOR &g, const MODULE &m, FILE *file)
{
    std::string fields;
    for (const SOCKET &socket : input_sockets(m.kind))
        for (int c = 0; c < socket.channels_in_use(m); ++c) {
            const MODULE source = owner_of(g, socket.signal, socket.source(m, c));
            if (source)
                fields += std::string(socket.key) + "=" + source.name() + ";";
        }
    if (fields.empty() && !takes_audio(m.kind))
        return false;
    std::fprintf(file, "%s;%s\n", m.name(), fields.c_str());
    return true;
}

void write_link_section(const GENERATOR &g, FILE *file)
{
    std::fprintf(file, "BEGIN_LINKS_DECLARE\n");
    for (MODULE_KIND kind : LINE_ORDER)
        for (const MODULE &m : modules_of(g, kind))
            write_links_of(g, m, file);
    std::fprintf(file, "\nOUTPUT_1;%s;\n", g.output_mixer);
    std::fprintf(file, "END_LINKS_DECLARE\n");
}
