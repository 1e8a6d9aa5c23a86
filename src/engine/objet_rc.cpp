// Reading and writing panel description files: one element per line, a kind
// (SPRITE, BUTTON, SLIDER or LABEL) followed by its fields.
#include <cstdio>
#include <cstring>

#include "engine/label.h"
#include "engine/objet.h"
#include "engine/rc_file.h"
#include "engine/slider.h"

namespace {

// The drawing fields that sprites, buttons and knobs share, in file order.
struct LOOK {
    int use_colorkey, colorkey, blend;
    float zoom;
    int angle;
};

bool read_look(RC_READER &in, LOOK &look)
{
    return in.next_int(look.use_colorkey) && in.next_int(look.colorkey) &&
           in.next_int(look.blend) && in.next_float(look.zoom) && in.next_int(look.angle);
}

void apply_look(SPRITE *s, const LOOK &look)
{
    s->use_colorkey = look.use_colorkey;
    s->colorkey = static_cast<unsigned long>(look.colorkey);
    s->blend = look.blend;
    s->zoom = look.zoom;
    s->angle = look.angle;
}

// Each reader takes the fields after the element name and returns the new
// element, or null when the file ends before its last required field.
// Positions are kept as read: relative to the panel, which adds its own
// position when it draws and hit-tests.

// image mask x y use_colorkey colorkey blend zoom angle [alpha]
SPRITE *read_sprite(RC_READER &in)
{
    char image[VORN_ENGINE::NAME_SIZE], mask[VORN_ENGINE::NAME_SIZE];
    int x, y;
    LOOK look;
    if (!(in.next(image, sizeof image) && in.next(mask, sizeof mask) && in.next_int(x) &&
          in.next_int(y) && read_look(in, look)))
        return nullptr;
    int alpha = 255;
    in.next_int_on_line(alpha);
    SPRITE *s = new SPRITE(image, x, y, look.use_colorkey, look.colorkey, look.blend, look.zoom,
                           look.angle, 0);
    if (mask[0] != '0')
        VORN_ENGINE::copy_name(s->mask_NAME, mask);
    s->alpha = alpha;
    return s;
}

// image_on image_off image_hover x y use_colorkey colorkey blend zoom angle
SPRITE *read_button(RC_READER &in)
{
    char on[VORN_ENGINE::NAME_SIZE], off[VORN_ENGINE::NAME_SIZE], hover[VORN_ENGINE::NAME_SIZE];
    int x, y;
    LOOK look;
    if (!(in.next(on, sizeof on) && in.next(off, sizeof off) && in.next(hover, sizeof hover) &&
          in.next_int(x) && in.next_int(y) && read_look(in, look)))
        return nullptr;
    BUTTON *b = new BUTTON("", on, hover, off, nullptr);
    apply_look(b, look);
    b->setxyz(x, y, 0);
    return b;
}

// image x y use_colorkey colorkey blend zoom angle; a zoom above 100 means 1.0.
SPRITE *read_slider(RC_READER &in)
{
    char image[VORN_ENGINE::NAME_SIZE];
    int x, y;
    LOOK look;
    if (!(in.next(image, sizeof image) && in.next_int(x) && in.next_int(y) && read_look(in, look)))
        return nullptr;
    if (look.zoom > 100)
        look.zoom = 1.0f;
    SLIDER *k = new SLIDER("", image);
    apply_look(k, look);
    k->setxyz(x, y, 0);
    return k;
}

// text x y [param [size [colour]]]; the fields left out are 0.
SPRITE *read_label(RC_READER &in)
{
    char text[LABEL::TEXT_SIZE];
    int x, y, param = 0, size = 0, colour = 0;
    if (!(in.next(text, sizeof text) && in.next_int(x) && in.next_int(y)))
        return nullptr;
    if (in.next_int_on_line(param) && in.next_int_on_line(size))
        in.next_int_on_line(colour);
    LABEL *l = new LABEL(text, x, y, 50, 50, param, size, colour);
    l->setxyz(x, y, 0);
    return l;
}

using READER = SPRITE *(*)(RC_READER &);

READER reader_for(const char *kind)
{
    if (strcmp(kind, "SPRITE") == 0)
        return read_sprite;
    if (strcmp(kind, "BUTTON") == 0)
        return read_button;
    if (strcmp(kind, "SLIDER") == 0)
        return read_slider;
    if (strcmp(kind, "LABEL") == 0)
        return read_label;
    return nullptr;
}

} // namespace

int OBJET::load_RC(const char *path)
{
    FILE *f = fopen(path, "rb");
    if (!f) {
        printf("Failing to Load RC[%s] (cause Fopen())\n", path);
        return -1;
    }
    snprintf(RC_path, sizeof RC_path, "%s", path);
    RC_READER in(f, path);
    char kind[NAME_SIZE], element[NAME_SIZE];
    while (in.next(kind, sizeof kind)) {
        const READER read = reader_for(kind);
        if (!read)
            continue; // not an element: skipped
        const int line = in.line();
        SPRITE *s = in.next(element, sizeof element) ? read(in) : nullptr;
        if (!s) {
            printf("RC[%s] line %d: the file ends inside this %s element, which is left out\n",
                   path, line, kind);
            break;
        }
        char full_name[TEXT_SIZE + NAME_SIZE];
        snprintf(full_name, sizeof full_name, "%s_%s", name, element);
        s->set_NAME(full_name);
        current->insert(current->begin(), s);
    }
    fclose(f);
    calcule_lasurfaceoccupee();
    return 1;
}

const char *OBJET::element_name(const SPRITE *s) const
{
    const size_t len = strlen(name);
    if (strncmp(s->NAME, name, len) == 0 && s->NAME[len] == '_')
        return s->NAME + len + 1;
    return nullptr;
}

void OBJET::write_element(FILE *f, const SPRITE *s) const
{
    const char *element = element_name(s);
    if (!element) {
        printf("ARF stf wrong during save element [%s]\n", s->NAME);
        return;
    }
    const int x = static_cast<int>(s->x), y = static_cast<int>(s->y);
    const int colorkey = static_cast<int>(s->colorkey);
    if (const BUTTON *b = dynamic_cast<const BUTTON *>(s)) {
        fprintf(f, "BUTTON\t%s\t%s\t%s\t%s\t%d\t%d\t%d\t%d\t%d\t%f\t%d\r\n", element,
                b->images[BUTTON::IMAGE_ON], b->images[BUTTON::IMAGE_OFF],
                b->images[BUTTON::IMAGE_HOVER], x, y, b->use_colorkey, colorkey, b->blend, b->zoom,
                b->angle);
    } else if (dynamic_cast<const SLIDER *>(s)) {
        fprintf(f, "SLIDER\t%s\t%s\t%d\t%d\t%d\t%d\t%d\t%f\t%d\r\n", element, s->sprite_NAME, x, y,
                s->use_colorkey, colorkey, s->blend, s->zoom, s->angle);
    } else if (const LABEL *l = dynamic_cast<const LABEL *>(s)) {
        fprintf(f, "LABEL\t%s\t%s\t%d\t%d\t%d\t%d\t%d\t\r\n", element, l->text, x, y, l->param,
                l->size, l->colour);
    } else {
        fprintf(f, "SPRITE\t%s\t%s\t%s\t%d\t%d\t%d\t%d\t%d\t%f\t%d\t%d\r\n", element,
                s->sprite_NAME, s->mask_NAME[0] ? s->mask_NAME : "0", x, y, s->use_colorkey,
                colorkey, s->blend, s->zoom, s->angle, s->alpha);
    }
}

int OBJET::view_RC(const char *path)
{
    FILE *f = fopen(path, "wb");
    if (!f) {
        printf("Failing to write RC[%s] (cause Fopen())\n", path);
        return -1;
    }
    for (auto it = current->rbegin(); it != current->rend(); ++it)
        write_element(f, *it);
    fclose(f);
    return 1;
}
