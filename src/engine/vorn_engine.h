// Root of the scene-object chain: identity (a serial number) and two names.
#pragma once

class VORN_ENGINE {
public:
    static constexpr int NAME_SIZE = 80; // names hold at most 79 characters

    static unsigned int CPT; // next serial number; only grows

    unsigned int ID;
    int hidden;
    char NAME[NAME_SIZE];
    char ID_NAME[NAME_SIZE];

    // Takes the next serial number; NAME becomes "ITEM_" and the number in 20 columns.
    VORN_ENGINE();
    // Same, with NAME set by set_NAME(name).
    explicit VORN_ENGINE(const char *name);
    virtual ~VORN_ENGINE() = default;

    virtual int evolue();
    virtual int draw(void *target, int mode);

    // Null gives "DEFAULT_ITEM_" and the number in 20 columns; a longer name
    // than 79 characters is cut to its first 79.
    void set_NAME(const char *name);
    void set_ID_NAME(const char *name);

    // Bounded copy of a name into an 80-byte field, cut to 79 characters.
    static void copy_name(char *field, const char *name);
};
