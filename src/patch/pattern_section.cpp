#include <cstdio>
#include <cstring>

#include "patch/module_keys.h"
#include "patch/patch_fields.h"
#include "patch/patch_sections.h"
#include "patch/token_reader.h"

namespace {

// One line SEQUENCER_NAME;KEY=VALUE;...: the steps of one more pattern of a
// sequencer already declared.
void read_pattern_line(GENERATOR &g, const char *token, int line)
{
    QSTR_PARSER fields(token, ';');
    FIELD name(fields.get_champ(0));
    SEQUENCER *seq = name ? g.get_SEQUENCER_by_name(name.get()) : nullptr;
    if (seq == nullptr) {
        std::printf("Ligne %d: no sequencer [%s] for these steps, skipped\n", line,
                    name ? name.get() : "");
        return;
    }
    for (int i = 1; i < fields.get_nbr_champs(); ++i)
        if (FIELD field{fields.get_champ(i)})
            read_key(seq, field.get(), line);
}

} // namespace

int read_pattern_section(GENERATOR &g, FILE *file)
{
    read_section(file, "BEGIN_PATTERNS_DECLARE", "END_PATTERNS_DECLARE",
                 [&g](const char *token, int line) {
                     read_pattern_line(g, token, line);
                     return true;
                 });
    return 1;
}
