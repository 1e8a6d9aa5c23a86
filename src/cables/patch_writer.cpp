#include "cables/patch_writer.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <type_traits>

#include "cables/output_lookup.h"
#include "cables/panel_layout.h"
#include "patch/patch_sections.h"
#include "panels/panel_kinds.h"
#include "panels/panel_lists.h"
#include "patch/patch_names.h"
#include "synth/generator.h"

namespace {

// Every audio input takes any module's output, as the cable editor lets it
// and the reader binds it; gates and syncs come from note sources.
constexpr unsigned ANY_MODULE =
    VCO_PANEL | VCA_PANEL | VCF_PANEL | SEQ_PANEL | MIXER_PANEL | SAMPLER_PANEL | KEYBOARD_PANEL;
constexpr unsigned NOTE_SOURCES = KEYBOARD_PANEL | SEQ_PANEL;

// "KEY=SOURCE;" when the source's panel is of an accepted class.
void field(FILE *f, const char *key, const OBJET *source, unsigned accepted)
{
    if (source != nullptr && (kind_of(source) & accepted) != 0)
        std::fprintf(f, "%s=%s;", key, module_name(source));
}

// Oscillators, filters and samplers: main input, modulations, gate and sync.
template <class MODULE> int modulated_line(FILE *f, MODULE *m, const char *name)
{
    std::fprintf(f, "%s;", name);
    field(f, "IN", get_OBJECT_by_OUTPUT(m), ANY_MODULE);
    field(f, "MOD_AMP", get_OBJECT_by_OUTPUT(m->mod_amplitude), ANY_MODULE);
    field(f, "MOD_FREQ", get_OBJECT_by_OUTPUT(m->mod_frequency), ANY_MODULE);
    field(f, "MOD_PHASE", get_OBJECT_by_OUTPUT(m->mod_phase), ANY_MODULE);
    if constexpr (std::is_same_v<MODULE, VCO>) // samplers have no pulse width
        field(f, "MOD_PWM", get_OBJECT_by_OUTPUT(m->mod_pulse_width), ANY_MODULE);
    field(f, "GATE", get_OBJECT_by_OUTPUT_GATE(m), NOTE_SOURCES);
    field(f, "SYNC", get_OBJECT_by_OUTPUT_SYNC(m), NOTE_SOURCES);
    std::fprintf(f, "\n");
    return 1;
}

void say(char *report, size_t size, const std::string &line)
{
    std::snprintf(report, size, "%s", line.c_str());
    std::printf("%s\n", report);
}

// Permissions of a new file as the process would create it, or those of the
// file it replaces.
mode_t mode_for(const std::string &path)
{
    struct stat st;
    if (stat(path.c_str(), &st) == 0)
        return st.st_mode & 07777;
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// Writes the patch into the new temporary file and flushes it to the disk;
// false with errno set on any failure.
bool write_whole(int fd)
{
    FILE *f = fdopen(fd, "w");
    if (f == nullptr) {
        const int e = errno;
        close(fd);
        errno = e;
        return false;
    }
    write_patch(f);
    bool written = std::fflush(f) == 0 && !std::ferror(f) && fsync(fileno(f)) == 0;
    int e = errno;
    if (std::fclose(f) != 0 && written) {
        written = false;
        e = errno;
    }
    errno = written ? 0 : (e != 0 ? e : EIO);
    return written;
}

} // namespace

int treat_link_VCO(VCO_GUI *panel, FILE *file)
{
    return modulated_line(file, panel->vco, panel->vco->name);
}

int treat_link_VCF(VCF_GUI *panel, FILE *file)
{
    return modulated_line(file, panel->pcf, panel->pcf->name);
}

int treat_link_SAMPLER(SAMPLER_GUI *panel, FILE *file)
{
    return modulated_line(file, panel->sampler, panel->sampler->name);
}

int treat_link_VCA(VCA_GUI *panel, FILE *file)
{
    std::fprintf(file, "%s;", panel->vca->name);
    field(file, "IN", get_OBJECT_by_OUTPUT(panel->vca), ANY_MODULE);
    field(file, "GATE", get_OBJECT_by_OUTPUT_GATE(panel->vca), NOTE_SOURCES);
    std::fprintf(file, "\n");
    return 1;
}

int treat_link_MIXER(MIXER_GUI *panel, FILE *file)
{
    MIXER *mixer = panel->mixer;
    std::fprintf(file, "%s;", mixer->name);
    for (int c = 0; c < mixer->count && c < MIXER::CHANNELS; c++)
        field(file, "ADD_CHANELL", get_OBJECT_by_OUTPUT(&mixer->inputs[c]), ANY_MODULE);
    std::fprintf(file, "\n");
    return 1;
}

// A sequencer's reset input, when a note source feeds it; a sequencer without
// one writes nothing.
void sequencer_line(FILE *file, SEQUENCER *seq)
{
    const OBJET *source = get_OBJECT_by_OUTPUT_SYNC(seq);
    if (source == nullptr || (kind_of(source) & NOTE_SOURCES) == 0)
        return;
    std::fprintf(file, "%s;", seq->name);
    field(file, "SYNC", source, NOTE_SOURCES);
    std::fprintf(file, "\n");
}

int write_patch(FILE *file)
{
    if (gen != nullptr)
        gen->save_QSY(file);
    std::fprintf(file, "BEGIN_LINKS_DECLARE\n");
    for (auto it = objets_globaux.rbegin(); it != objets_globaux.rend(); ++it) {
        OBJET *p = *it;
        switch (kind_of(p)) {
        case VCO_PANEL:
            treat_link_VCO(static_cast<VCO_GUI *>(p), file);
            break;
        case VCF_PANEL:
            treat_link_VCF(static_cast<VCF_GUI *>(p), file);
            break;
        case VCA_PANEL:
            treat_link_VCA(static_cast<VCA_GUI *>(p), file);
            break;
        case MIXER_PANEL:
            treat_link_MIXER(static_cast<MIXER_GUI *>(p), file);
            break;
        case SAMPLER_PANEL:
            treat_link_SAMPLER(static_cast<SAMPLER_GUI *>(p), file);
            break;
        case SEQ_PANEL:
            sequencer_line(file, static_cast<SEQ_GUI *>(p)->sequencer);
            break;
        default:
            break;
        }
    }
    std::fprintf(file, "\nOUTPUT_1;%s;\n",
                 gen != nullptr ? gen->output_mixer : GENERATOR::DEFAULT_OUTPUT);
    std::fprintf(file, "END_LINKS_DECLARE\n");
    if (gen != nullptr)
        write_pattern_section(*gen, file);
    write_panel_layout(file);
    return 1;
}

int save_patch_file(const char *directory, const char *name, char *report, size_t report_size)
{
    if (const char *problem = patch_name_problem(name)) {
        say(report, report_size, std::string("Not saved: ") + problem);
        return 0;
    }
    const std::string path = std::string(directory) + name;
    std::string temporary = std::string(directory) + "." + name + ".XXXXXX";
    const int fd = mkstemp(&temporary[0]);
    if (fd < 0) {
        say(report, report_size, "Non de fichier NULL! " + path + ": " + std::strerror(errno));
        return 0;
    }
    fchmod(fd, mode_for(path));
    errno = 0;
    if (!write_whole(fd) || std::rename(temporary.c_str(), path.c_str()) != 0) {
        const std::string why = std::strerror(errno);
        unlink(temporary.c_str());
        say(report, report_size,
            "Not saved: writing " + path + " failed (" + why + "); the file is left as it was");
        return 0;
    }
    say(report, report_size, "Saved " + path);
    return 1;
}
