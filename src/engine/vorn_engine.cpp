#include "engine/vorn_engine.h"

#include <cstdio>
#include <cstring>

unsigned int VORN_ENGINE::CPT = 0;

VORN_ENGINE::VORN_ENGINE() : ID(CPT++), hidden(0)
{
    std::memset(ID_NAME, 0, sizeof ID_NAME);
    std::snprintf(NAME, sizeof NAME, "ITEM_%20lu", static_cast<unsigned long>(ID));
}

VORN_ENGINE::VORN_ENGINE(const char *name) : ID(CPT++), hidden(0)
{
    std::memset(ID_NAME, 0, sizeof ID_NAME);
    set_NAME(name);
}

int VORN_ENGINE::evolue() { return 0; }

int VORN_ENGINE::draw(void *, int) { return 0; }

void VORN_ENGINE::copy_name(char *field, const char *name)
{
    std::snprintf(field, NAME_SIZE, "%s", name ? name : "");
}

void VORN_ENGINE::set_NAME(const char *name)
{
    if (name == nullptr)
        std::snprintf(NAME, sizeof NAME, "DEFAULT_ITEM_%20lu", static_cast<unsigned long>(ID));
    else
        copy_name(NAME, name);
}

void VORN_ENGINE::set_ID_NAME(const char *name)
{
    if (name == nullptr)
        std::snprintf(ID_NAME, sizeof ID_NAME, "DEFAULT_ITEM_%20lu",
                      static_cast<unsigned long>(ID));
    else
        copy_name(ID_NAME, name);
}
