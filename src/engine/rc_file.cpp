#include "engine/rc_file.h"

#include <cctype>
#include <cfloat>
#include <cstdlib>

RC_READER::RC_READER(FILE *f, const char *path) : f_(f), path_(path), line_(1) {}

int RC_READER::skip_blanks(bool stop_at_line_end)
{
    for (;;) {
        const int c = fgetc(f_);
        if (c == EOF)
            return EOF;
        if (!isspace(c) || (stop_at_line_end && c == '\n')) {
            ungetc(c, f_);
            return c;
        }
        if (c == '\n')
            line_++;
    }
}

bool RC_READER::next(char *field, size_t cap)
{
    if (skip_blanks(false) == EOF)
        return false;
    size_t len = 0;
    bool cut = false;
    int c;
    while ((c = fgetc(f_)) != EOF && !isspace(c)) {
        if (len + 1 < cap)
            field[len++] = static_cast<char>(c);
        else
            cut = true;
    }
    // The separator is left for skip_blanks, which counts the lines.
    if (c != EOF)
        ungetc(c, f_);
    field[len] = '\0';
    if (cut)
        printf("RC[%s] line %d: token longer than %zu characters, cut to [%s]\n", path_, line_,
               cap - 1, field);
    return true;
}

bool RC_READER::next_int(int &value)
{
    char token[NUMBER_SIZE];
    if (!next(token, sizeof token))
        return false;
    value = static_cast<int>(strtol(token, nullptr, 10));
    return true;
}

bool RC_READER::next_float(float &value)
{
    char token[NUMBER_SIZE];
    if (!next(token, sizeof token))
        return false;
    const double d = strtod(token, nullptr);
    // Out-of-range values are held at the largest float rather than overflowing it.
    value = d > FLT_MAX ? FLT_MAX : d < -FLT_MAX ? -FLT_MAX : static_cast<float>(d);
    return true;
}

bool RC_READER::next_int_on_line(int &value)
{
    const int c = skip_blanks(true);
    if (c == EOF || !(isdigit(c) || c == '-' || c == '+'))
        return false;
    return next_int(value);
}
