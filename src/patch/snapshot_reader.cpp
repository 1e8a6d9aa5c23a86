#include <cstdio>

#include "patch/patch_sections.h"

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
