// Feeds arbitrary text to the two patch-file readers, then writes the module
// section of whatever they built.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "patch/patch_sections.h"
#include "patch/patch_writer.h"
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

// The readers trace every fault they skip on standard output. During fuzzing
// standard output is a sink, fully buffered, which also takes the module
// section the fuzzer writes.
extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fill_NOTE2FREQ();
    if (!std::freopen("/dev/null", "w", stdout))
        std::abort();
    std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string text(reinterpret_cast<const char *>(data), size);
    if (text.empty() || names_special_files(text))
        return 0;

    FILE *file = fmemopen(&text[0], text.size(), "r");
    if (!file)
        return 0;
    GENERATOR g;
    if (read_module_section(g, file) == 1) {
        std::rewind(file);
        read_pattern_section(g, file);
        std::rewind(file);
        read_link_section(g, file);
    }
    std::fclose(file);

    write_patch(g, stdout);
    g.release_modules();
    return 0;
}
