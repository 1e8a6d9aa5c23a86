// Feeds arbitrary text to the two patch-file readers, then writes the module
// section of whatever they built.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "patch/patch_sections.h"
#include "synth/generator.h"
#include "synth/note2freq.h"

namespace {

// A sampler reads the file its FILE key names. Device and kernel files could
// block or never end, so inputs that name them are not tried.
bool names_special_files(const std::string &text)
{
    for (const char *dir : {"/dev", "/proc", "/sys"})
        if (text.find(dir) != std::string::npos)
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool table_filled = (fill_NOTE2FREQ(), true);
    static FILE *const sink = std::fopen("/dev/null", "w");
    (void)table_filled;

    std::string text(reinterpret_cast<const char *>(data), size);
    if (text.empty() || names_special_files(text))
        return 0;

    FILE *file = fmemopen(&text[0], text.size(), "r");
    if (!file)
        return 0;
    GENERATOR g;
    if (read_module_section(g, file) == 1) {
        std::rewind(file);
        read_link_section(g, file);
    }
    std::fclose(file);

    if (sink)
        g.save_QSY(sink);
    g.release_modules();
    return 0;
}
