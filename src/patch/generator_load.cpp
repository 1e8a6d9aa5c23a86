#include <cstdio>
#include <string>

#include "patch/patch_fields.h"
#include "patch/patch_sections.h"
#include "synth/generator.h"

namespace {

const char *const DEFAULT_PATCH = "orgue.QSY";

// The readers' reasons name the file first: "QSY/X.QSY, line 12: ...".
void name_the_file(GENERATOR &g, const char *path)
{
    if (g.load_status != 0)
        g.load_problem = std::string(path) + ", " + g.load_problem;
}

} // namespace

GENERATOR::GENERATOR(const char *path) : GENERATOR()
{
    if (!path)
        path = DEFAULT_PATCH;
    // The links of a file whose modules could not all be read are left alone.
    if (load_QSY(path) && load_status == 0)
        load_QSY_link(path);
}

int GENERATOR::load_QSY(const char *path)
{
    load_status = 0;
    load_problem.clear();
    show_patch_in_title(path);
    FILE *file = path ? std::fopen(path, "r") : nullptr;
    if (!file) {
        std::printf("Must Specify a true filename\n");
        return 0;
    }
    std::snprintf(patch_path, sizeof patch_path, "%s", path);
    int read = read_module_section(*this, file);
    if (read) {
        std::rewind(file);
        read = read_pattern_section(*this, file);
    }
    std::fclose(file);
    name_the_file(*this, path);
    return read;
}

int GENERATOR::load_QSY_link(const char *path)
{
    show_patch_in_title(path);
    FILE *file = path ? std::fopen(path, "r") : nullptr;
    if (!file)
        return 0;
    const int read = read_link_section(*this, file);
    std::fclose(file);
    name_the_file(*this, path);
    return read;
}
