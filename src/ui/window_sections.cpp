#include "ui/window_sections.h"

#include "cables/cable_paint.h"
#include "panels/controller_bindings.h"
#include "panels/panel_layout.h"

void write_window_sections(FILE *file)
{
    write_panel_layout(file);
    write_controller_section(file);
    write_cable_paint_section(file);
}

void read_window_sections(FILE *file)
{
    std::rewind(file);
    apply_panel_layout(file);
    std::rewind(file);
    read_controller_section(file);
    std::rewind(file);
    read_cable_paint_section(file);
}

void read_window_sections(const char *path)
{
    FILE *file = path != nullptr ? std::fopen(path, "r") : nullptr;
    if (file == nullptr) {
        controller_bindings.clear(); // a patch without a file (started empty) has none
        cable_paints.clear();
        return;
    }
    read_window_sections(file);
    std::fclose(file);
}
