// Field splitter for patch-file tokens and remote commands: cuts a text at a
// separator character without owning or changing the text.
#pragma once

class QSTR_PARSER {
public:
    // Remembers the text and the separator; the text must outlive the parser.
    QSTR_PARSER(const char *text, char separator);

    void set_separateur(char separator);

    // The number of separator characters in the text. Every field of a patch
    // token is followed by a separator, so this is also its number of fields.
    int get_nbr_champs() const;

    // A copy of field n (from 0): the characters after the n-th separator up
    // to the next separator or the end of the text. The copy is allocated
    // with new[]; the caller releases it with delete[]. Null when the text has
    // fewer than n separators or when the field is empty.
    char *get_champ(int n) const;

private:
    const char *text;
    char separator;
};
