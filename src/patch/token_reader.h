// Reads a patch file as a sequence of whitespace-separated tokens, each one
// counted as a "line" for the messages of the readers.
#pragma once

#include <cstdio>
#include <functional>

class TOKEN_READER {
public:
    static constexpr int MAX_LENGTH = 7999;

    explicit TOKEN_READER(FILE *file);

    // Moves to the next token; false at the end of the file. A token longer
    // than MAX_LENGTH characters is counted, reported with its number and
    // skipped whole.
    bool next();

    // The token just read, zero-terminated.
    const char *text() const { return buffer; }
    // Its number, counting every token read from 1, skipped ones included.
    int number() const { return count; }

private:
    FILE *file;
    int count;
    char buffer[MAX_LENGTH + 1];

    // Reads one token into the buffer; false when it did not fit.
    bool read_one();
};

// Hands every token between the markers begin and end (tokens before begin,
// comments and the markers themselves left out) to line(token, number), until
// end or the end of the file. Returns false as soon as line does (a fault
// that stops the reading), else true.
bool read_section(FILE *file, const char *begin, const char *end,
                  const std::function<bool(const char *token, int number)> &line);
