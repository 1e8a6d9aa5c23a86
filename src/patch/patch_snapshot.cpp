#include "patch/patch_snapshot.h"

#include <cstdio>
#include <cstdlib>

#include "patch/patch_sections.h"

std::string patch_snapshot(const GENERATOR &g, MORE_SECTIONS more)
{
    char *text = nullptr;
    size_t size = 0;
    FILE *f = open_memstream(&text, &size);
    if (f == nullptr)
        return {};
    write_patch(g, f, more);
    std::fclose(f);
    std::string out(text, size);
    std::free(text);
    return out;
}

bool read_patch_snapshot(GENERATOR &g, const std::string &text)
{
    FILE *f = fmemopen(const_cast<char *>(text.data()), text.size(), "r");
    if (f == nullptr)
        return false;
    bool read = read_module_section(g, f) && g.load_status == 0;
    if (read) {
        std::rewind(f);
        read = read_pattern_section(g, f);
        std::rewind(f);
        read = read && read_link_section(g, f) && g.load_status == 0;
    }
    std::fclose(f);
    return read;
}
