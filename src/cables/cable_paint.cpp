#include "cables/cable_paint.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "cables/cable_colours.h"
#include "cables/link.h"
#include "panels/module_panel.h"
#include "panels/panel_elements.h"
#include "patch/patch_fields.h"
#include "patch/token_reader.h"

std::vector<CABLE_PAINT> cable_paints;

namespace {

// The colours a cable takes by hand, after its kind's, with their names.
const struct {
    int colour;
    const char *name;
} PAINTS[] = {
    {0xff8c1a, "orange"}, {0xb469ff, "violet"}, {0xf5f5f5, "white"},
    {0xff78c8, "pink"},   {0x3cdcdc, "cyan"},
};

std::vector<CABLE_PAINT>::iterator paint_of(const std::string &reader, const std::string &input,
                                            const std::string &source)
{
    return std::find_if(cable_paints.begin(), cable_paints.end(), [&](const CABLE_PAINT &p) {
        return p.reader == reader && p.input == input && p.source == source;
    });
}

// "NAME;INPUT=...;FROM=...;COLOUR=RRGGBB;"
void read_paint(const char *token, int line)
{
    QSTR_PARSER fields(token, ';');
    FIELD name(fields.get_champ(0));
    const std::string colour = keyed_value(fields, "COLOUR");
    const CABLE_PAINT p{name ? name.get() : "", keyed_value(fields, "INPUT"),
                        keyed_value(fields, "FROM"),
                        colour.empty() ? -1 : static_cast<int>(std::strtol(colour.c_str(), nullptr, 16))};
    if (p.reader.empty() || p.input.empty() || p.source.empty() || p.colour < 0 ||
        p.colour > 0xffffff) {
        std::printf("Ligne %d: a cable colour needs NAME;INPUT=...;FROM=...;COLOUR=RRGGBB;, "
                    "skipped\n",
                    line);
        return;
    }
    const auto old = paint_of(p.reader, p.input, p.source);
    if (old != cable_paints.end())
        *old = p;
    else
        cable_paints.push_back(p);
}

} // namespace

int painted_colour(const std::string &reader, const std::string &input, const std::string &source,
                   int by_kind)
{
    const auto p = paint_of(reader, input, source);
    return p != cable_paints.end() ? p->colour : by_kind;
}

std::string repaint_cable(LINK &link)
{
    const MODULE reader = module_of(link.input_panel), source = module_of(link.output_panel);
    if (!reader || !source || link.input_panel == link.output_panel)
        return "That cable is not plugged at both ends";
    const std::string input = name_in_panel(*link.input_panel, link.input_socket);
    int channel;
    const SOCKET *socket = input_socket_named(reader.kind, input.c_str(), &channel);
    if (socket == nullptr)
        return "That cable is not plugged at both ends";
    const int by_kind = cable_colour(cable_kind(reader.kind, *socket));
    const auto painted = paint_of(reader.name(), input, source.name());
    // The paint after the one it has; after the last, its kind's colour again.
    size_t next = 0;
    if (painted != cable_paints.end())
        while (next < std::size(PAINTS) && PAINTS[next++].colour != painted->colour) {
        }
    const std::string cable = std::string("Cable ") + source.name() + " -> " + reader.name() +
                              " " + input + ": ";
    if (next >= std::size(PAINTS)) {
        if (painted != cable_paints.end())
            cable_paints.erase(painted);
        link.corde.colour = by_kind;
        return cable + "the colour of what it carries (F8: the next colour)";
    }
    if (painted != cable_paints.end())
        painted->colour = PAINTS[next].colour;
    else
        cable_paints.push_back({reader.name(), input, source.name(), PAINTS[next].colour});
    link.corde.colour = PAINTS[next].colour;
    return cable + PAINTS[next].name + " (F8: the next colour)";
}

void forget_paints_of(const std::string &module)
{
    cable_paints.erase(std::remove_if(cable_paints.begin(), cable_paints.end(),
                                      [&](const CABLE_PAINT &p) {
                                          return p.reader == module || p.source == module;
                                      }),
                       cable_paints.end());
}

void write_cable_paint_section(FILE *file)
{
    if (cable_paints.empty())
        return;
    std::fprintf(file, "BEGIN_CABLE_COLOURS_DECLARE\n");
    for (const CABLE_PAINT &p : cable_paints)
        std::fprintf(file, "%s;INPUT=%s;FROM=%s;COLOUR=%06X;\n", p.reader.c_str(), p.input.c_str(),
                     p.source.c_str(), p.colour);
    std::fprintf(file, "END_CABLE_COLOURS_DECLARE\n");
}

void read_cable_paint_section(FILE *file)
{
    cable_paints.clear();
    read_section(file, "BEGIN_CABLE_COLOURS_DECLARE", "END_CABLE_COLOURS_DECLARE",
                 [](const char *token, int line) {
                     read_paint(token, line);
                     return true;
                 });
}
