#include "patch/qstr_parser.h"

#include <cstring>

namespace {

// The next separator at or after c, or null at the end of the text. A NUL
// separator never matches, so the terminator is never stepped over.
const char *next_separator(const char *c, char separator)
{
    return separator ? std::strchr(c, separator) : nullptr;
}

} // namespace

// A null text is split like an empty one.
QSTR_PARSER::QSTR_PARSER(const char *text_, char separator_)
    : text(text_ ? text_ : ""), separator(separator_)
{
}

void QSTR_PARSER::set_separateur(char separator_) { separator = separator_; }

int QSTR_PARSER::get_nbr_champs() const
{
    int count = 0;
    for (const char *c = next_separator(text, separator); c; c = next_separator(c + 1, separator))
        ++count;
    return count;
}

char *QSTR_PARSER::get_champ(int n) const
{
    if (n < 0)
        return nullptr;
    const char *start = text;
    for (int skipped = 0; skipped < n; ++skipped) {
        start = next_separator(start, separator);
        if (!start)
            return nullptr;
        ++start;
    }
    const char *end = next_separator(start, separator);
    const std::size_t length = end ? (std::size_t)(end - start) : std::strlen(start);
    if (length == 0)
        return nullptr;
    char *copy = new char[length + 1];
    std::memcpy(copy, start, length);
    copy[length] = '\0';
    return copy;
}
