// Reading a panel description file: whitespace-separated tokens, each read
// into a fixed field with a bound, with the line number kept for messages.
#pragma once

#include <cstddef>
#include <cstdio>

class RC_READER {
public:
    // Reads from f, which stays open and owned by the caller; path names the
    // file in messages.
    RC_READER(FILE *f, const char *path);

    // The next token into field (cap bytes with the terminator). A longer token
    // is cut to the field with one line saying so. False at the end of the file.
    bool next(char *field, size_t cap);
    // The next token read as a number, leading-number style ("12abc" is 12,
    // "x" is 0). False at the end of the file.
    bool next_int(int &value);
    bool next_float(float &value);
    // A number that follows on the same line, for the optional trailing fields
    // of an element. False, consuming nothing, when the line ends first or the
    // next token does not start like a number.
    bool next_int_on_line(int &value);

    int line() const { return line_; }

private:
    static const size_t NUMBER_SIZE = 64;

    FILE *f_;
    const char *path_;
    int line_;

    // Skips blanks; stops before a line break when stop_at_line_end is set.
    // Returns the next character without consuming it (EOF at the end).
    int skip_blanks(bool stop_at_line_end);
};
