#include "engine/button.h"

#include <cstdio>
#include <cstring>

BUTTON::BUTTON(const char *name, const char *image_on, const char *image_hover,
               const char *image_off, const char *mask)
    : SPRITE("IMG_001", 100, 100, 0, 0, 0, 1.0f, 0, 0), state(0)
{
    set_NAME(name);
    copy_name(images[IMAGE_ON], image_on);
    copy_name(images[IMAGE_HOVER], image_hover);
    copy_name(images[IMAGE_OFF], image_off);
    copy_name(sprite_NAME, image_on);

    const char *last_sep = strrchr(images[IMAGE_ON], '_');
    if (mask)
        copy_name(mask_NAME, mask);
    else if (last_sep && last_sep > images[IMAGE_ON])
        snprintf(mask_NAME, sizeof mask_NAME, "%.*sMASK",
                 static_cast<int>(last_sep - images[IMAGE_ON] + 1), images[IMAGE_ON]);
    else
        mask_NAME[0] = '\0';
    evolue();
}

int BUTTON::evolue()
{
    bool any = false;
    while (std::unique_ptr<MESSAGE> m = take_oldest()) {
        any = true;
        follow_pointer(*m, touched, pressed);
        if (m->is_release())
            state = !state;
    }
    if (any) {
        set_sprite_NAME(images[state == 1 ? IMAGE_ON : IMAGE_OFF]);
        if (touched && images[IMAGE_HOVER][0] != '0')
            set_sprite_NAME(images[IMAGE_HOVER]);
    }
    return SPRITE::evolue();
}

void BUTTON::affiche() const
{
    printf("BUTTON : ");
    SPRITE::affiche();
    printf("\n\t STATE[%d]\r\n", state);
}
