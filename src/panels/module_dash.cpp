#include "panels/module_dash.h"

#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "panels/panel_elements.h"
#include "ui/views/key_help.h"

namespace {

// "z x c v b n" is "ZXCVBN" on the plate, "Escape" "ESCAPE".
std::string plate_key(const char *input)
{
    std::string key;
    for (const char *c = input; *c != '\0'; c++)
        if (*c != ' ')
            key += static_cast<char>(std::toupper(static_cast<unsigned char>(*c)));
    return key;
}

void write(LABEL &label, const std::string &text)
{
    std::snprintf(label.text, sizeof label.text, "%s", text.c_str());
    label.redraw = 1;
}

void show_keys(OBJET &dash)
{
    std::vector<const KEY_HELP *> rows;
    for (const KEY_HELP &row : KEY_HELP_TABLE)
        if ((row.views & FRONT_HELP) && row.dash != nullptr)
            rows.push_back(&row);
    for (size_t slot = 0;; slot++) {
        const std::string n = std::to_string(slot);
        LABEL *key = element<LABEL>(dash, ("LABEL_KEY_" + n).c_str());
        LABEL *word = element<LABEL>(dash, ("LABEL_WORD_" + n).c_str());
        if (key == nullptr || word == nullptr)
            return;
        const bool shown = slot < rows.size();
        write(*key, shown ? plate_key(rows[slot]->input) : "");
        write(*word, shown ? rows[slot]->dash : "");
    }
}

} // namespace

MODULE_DASH::MODULE_DASH() : OBJET(0, 0, "59")
{
    build_dashboard(*this, "RC/MODULE_DASH.RC");
    show_keys(*this);
}

int MODULE_DASH::evolue()
{
    refresh_dashboard(*this);
    redraw = 1;
    return 0;
}
