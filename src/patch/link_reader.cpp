#include <cstdio>
#include <cstring>
#include <string>

#include "modules/sockets.h"
#include "patch/patch_fields.h"
#include "patch/patch_sections.h"
#include "patch/token_reader.h"

namespace {

const char OUTPUT_LINE[] = "OUTPUT_1";

// The kinds of module that have an output of the signal: any module has an
// audio output, keyboards and sequencers have gates and syncs.
unsigned sources_of(SIGNAL signal)
{
    return signal == SIGNAL::AUDIO ? ANY_MODULE : KEYBOARD_MODULE | SEQ_MODULE;
}

// One field KEY=SOURCE of a target: every input socket whose key the field
// holds is plugged into the source module. The whole field is tested (so a
// source named KEYBOARD_IN feeding SYNC also feeds IN), but for a mixer's
// channels only the key. A mixer channel is added for each.
void bind_field(GENERATOR &g, const MODULE &target, const char *field, int line)
{
    FIELD source_name = field_of(field, '=', 1);
    if (!source_name) {
        std::printf("Ligne %d: link [%s] without a source, ignored\n", line, field);
        return;
    }
    FIELD key = field_of(field, '=', 0);
    for (const SOCKET &socket : input_sockets(target.kind)) {
        const char *tested = socket.channels > 1 ? (key ? key.get() : "") : field;
        if (!contains(tested, socket.key))
            continue;
        const MODULE source = find_module(g, source_name.get(), sources_of(socket.signal));
        if (!source) {
            // A name that declares no module at all is silently no link.
            if (kinds_declared_by(source_name.get()).count > 0)
                std::printf("Ligne %d: no module [%s] to link to %s, ignored\n", line,
                            source_name.get(), socket.key);
            continue;
        }
        if (!socket.plug(target, socket.channels > 1 ? -1 : 0, source))
            std::printf("Ligne %d: [%s] has all its %d channels taken, [%s] not added\n", line,
                        target.name(), socket.channels, source_name.get());
    }
}

// Binds every field of the declaration to the target; false after an empty
// field, which ends the load.
bool bind_fields(GENERATOR &g, const MODULE &target, const QSTR_PARSER &fields, int line)
{
    for (int i = 1; i < fields.get_nbr_champs(); ++i) {
        FIELD field(fields.get_champ(i));
        if (!field) {
            report_empty_field(g, line, std::string("the links of ") + target.name());
            return false;
        }
        bind_field(g, target, field.get(), line);
    }
    return true;
}

// "OUTPUT_1;NAME;": the mixer the patch plays, when it has one of that name.
void read_output(GENERATOR &g, const QSTR_PARSER &fields, int line)
{
    FIELD mixer(fields.get_champ(1));
    if (mixer && g.get_MIXER_by_name(mixer.get()))
        std::snprintf(g.output_mixer, sizeof g.output_mixer, "%s", mixer.get());
    else
        std::printf("Ligne %d: no mixer [%s] to play, %s plays\n", line, mixer ? mixer.get() : "",
                    g.output_mixer);
}

// One link declaration; false after a fatal fault. Its first field names the
// targets: each module of that name among the kinds the name declares.
bool read_links(GENERATOR &g, const char *token, int line)
{
    QSTR_PARSER fields(token, ';');
    if (fields.get_nbr_champs() < 2)
        return true; // "NAME;": a module without cables, as the writer puts it

    FIELD name(fields.get_champ(0));
    if (!name) {
        std::printf("Ligne %d: link declaration without a module name, skipped\n", line);
        return true;
    }
    if (std::strcmp(name.get(), OUTPUT_LINE) == 0) {
        read_output(g, fields, line);
        return true;
    }
    const DECLARED_KINDS kinds = kinds_declared_by(name.get());
    bool named = false, found = false;
    for (int i = 0; i < kinds.count; ++i) {
        if (input_sockets(kinds.kind[i]).begin() == input_sockets(kinds.kind[i]).end())
            continue; // a keyboard takes no cable
        named = true;
        const MODULE target = find_module(g, name.get(), kinds.kind[i]);
        if (!target)
            continue;
        found = true;
        if (!bind_fields(g, target, fields, line))
            return false;
    }
    if (named && !found)
        std::printf("Ligne %d: no module [%s] to link, skipped\n", line, name.get());
    return true;
}

} // namespace

int read_link_section(GENERATOR &g, FILE *file)
{
    return read_section(file, "BEGIN_LINKS_DECLARE", "END_LINKS_DECLARE",
                        [&g](const char *token, int line) { return read_links(g, token, line); });
}
