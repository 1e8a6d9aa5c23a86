#include "engine/slider.h"

#include <cstdio>

SLIDER::SLIDER(const char *name, const char *image)
    : SPRITE("IMG_001", 100, 100, 0, 0, 0, 1.0f, 0, 0)
{
    set_NAME(name);
    set_sprite_NAME(image);
    snprintf(mask_NAME, sizeof mask_NAME, "%s_MASK", image ? image : "");
    evolue();
}

int SLIDER::evolue()
{
    while (std::unique_ptr<MESSAGE> m = take_oldest())
        follow_pointer(*m, touched, pressed);
    return SPRITE::evolue();
}

void SLIDER::affiche() const
{
    printf("SLIDER : ");
    SPRITE::affiche();
    printf("\n\t STATE[%d]\r\n", angle);
}
