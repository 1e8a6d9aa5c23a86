#include "patch_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "patch/patch_sections.h"
#include "synth/note2freq.h"

namespace {

int read_text(GENERATOR &g, const std::string &text, int (*reader)(GENERATOR &, FILE *))
{
    FILE *f = fmemopen(const_cast<char *>(text.data()), text.size(), "r");
    const int read = reader(g, f);
    std::fclose(f);
    return read;
}

} // namespace

PATCH_TEXT::PATCH_TEXT(const std::string &text, bool links) : modules_read(0), links_read(0)
{
    fill_NOTE2FREQ();
    testing::internal::CaptureStdout();
    modules_read = read_text(g, text, read_module_section);
    if (modules_read)
        read_text(g, text, read_pattern_section);
    if (links && g.load_status == 0)
        links_read = read_text(g, text, read_link_section);
    std::fflush(stdout);
    printed = testing::internal::GetCapturedStdout();
}

std::string PATCH_TEXT::complaints() const
{
    std::string text = printed;
    for (std::size_t at; (at = text.find("Loaded WAVE file")) != std::string::npos;)
        text.erase(at, text.find('\n', at) - at + 1);
    return text;
}

namespace {

std::string written(void (*write)(GENERATOR &, FILE *), GENERATOR &g)
{
    char *buffer = nullptr;
    std::size_t size = 0;
    FILE *f = open_memstream(&buffer, &size);
    write(g, f);
    std::fclose(f);
    std::string text(buffer, size);
    std::free(buffer);
    return text;
}

} // namespace

std::string module_section(GENERATOR &g)
{
    return written([](GENERATOR &g, FILE *f) { g.save_QSY(f); }, g);
}

std::string pattern_section(GENERATOR &g)
{
    return written([](GENERATOR &g, FILE *f) { write_pattern_section(g, f); }, g);
}

std::string file_text(const std::string &path)
{
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}
