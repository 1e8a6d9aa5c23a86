#include "panels/panel_layout.h"

#include <cstdlib>
#include <cstring>

#include "panels/module_panel.h"
#include "panels/panel_lists.h"
#include "patch/patch_fields.h"
#include "patch/token_reader.h"

namespace {

// The work area is 3200 pixels square; a panel's corner lies on it.
constexpr int WORK_AREA = 3200;

OBJET *panel_named(const char *name, const char *kind)
{
    for (OBJET *p : objets_globaux) {
        const MODULE m = module_of(p);
        if (m && std::strcmp(m.name(), name) == 0 && std::strcmp(kind_word(m.kind), kind) == 0)
            return p;
    }
    return nullptr;
}

// The integer value of the field KEY=VALUE among fields 1 onwards, or
// `absent`.
int value_of(const QSTR_PARSER &fields, const char *key, int absent)
{
    const std::string value = keyed_value(fields, key);
    return value.empty() ? absent : std::atoi(value.c_str());
}

void place(const char *token, int line)
{
    QSTR_PARSER fields(token, ';');
    FIELD name(fields.get_champ(0));
    FIELD kind_field(fields.get_champ(1));
    const char *kind =
        kind_field && std::strncmp(kind_field.get(), "KIND=", 5) == 0 ? kind_field.get() + 5 : "";
    OBJET *panel = name ? panel_named(name.get(), kind) : nullptr;
    if (panel == nullptr) {
        std::printf("Ligne %d: no panel [%s] of kind [%s] to place, skipped\n", line,
                    name ? name.get() : "", kind);
        return;
    }
    const int x = value_of(fields, "X", -1), y = value_of(fields, "Y", -1);
    if (x < 0 || y < 0 || x >= WORK_AREA || y >= WORK_AREA) {
        std::printf("Ligne %d: [%s] off the work area, left in its place\n", line, name.get());
    } else {
        panel->setx(static_cast<float>(x));
        panel->sety(static_cast<float>(y));
    }
    const int look = value_of(fields, "VIEW", OBJET::VIEW_FRONT);
    panel->toggle_view_mode(look == OBJET::VIEW_COMPACT ? OBJET::VIEW_COMPACT : OBJET::VIEW_FRONT);
}

} // namespace

void write_panel_layout(FILE *file)
{
    std::fprintf(file, "BEGIN_PANELS_DECLARE\n");
    for (const OBJET *p : objets_globaux)
        if (const MODULE m = module_of(p))
            std::fprintf(file, "%s;KIND=%s;X=%d;Y=%d;VIEW=%u;\n", m.name(), kind_word(m.kind),
                         static_cast<int>(p->x), static_cast<int>(p->y), p->front_look);
    std::fprintf(file, "END_PANELS_DECLARE\n");
}

void apply_panel_layout(FILE *file)
{
    read_section(file, "BEGIN_PANELS_DECLARE", "END_PANELS_DECLARE",
                 [](const char *token, int line) {
                     place(token, line);
                     return true;
                 });
}

void apply_panel_layout(const char *path)
{
    FILE *file = path != nullptr ? std::fopen(path, "r") : nullptr;
    if (file == nullptr)
        return;
    apply_panel_layout(file);
    std::fclose(file);
}
