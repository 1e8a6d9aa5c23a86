#include "patch/token_reader.h"

#include <cctype>
#include <cstdio>
#include <cstring>

TOKEN_READER::TOKEN_READER(FILE *file_) : file(file_), count(0) { buffer[0] = '\0'; }

// The file is read by this thread alone, so without stdio's lock per byte.
bool TOKEN_READER::next()
{
    for (;;) {
        int c;
        do {
            c = getc_unlocked(file);
        } while (c != EOF && std::isspace(c));
        if (c == EOF)
            return false;
        std::ungetc(c, file);
        ++count;
        if (read_one())
            return true;
        std::printf("Ligne %d: token longer than %d characters, skipped\n", count, MAX_LENGTH);
    }
}

bool TOKEN_READER::read_one()
{
    int length = 0;
    bool fits = true;
    int c;
    while ((c = getc_unlocked(file)) != EOF && !std::isspace(c)) {
        if (length < MAX_LENGTH)
            buffer[length++] = (char)c;
        else
            fits = false;
    }
    buffer[length] = '\0';
    return fits;
}

bool read_section(FILE *file, const char *begin, const char *end,
                  const std::function<bool(const char *, int)> &line)
{
    TOKEN_READER tokens(file);
    bool in_section = false;
    while (tokens.next()) {
        const char *token = tokens.text();
        if (std::strcmp(token, begin) == 0) {
            in_section = true;
            continue;
        }
        if (std::strcmp(token, end) == 0)
            break;
        if (token[0] == '#' || !in_section)
            continue;
        if (!line(token, tokens.number()))
            return false;
    }
    return true;
}
