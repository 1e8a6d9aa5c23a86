#include "engine/objet.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "engine/label.h"
#include "engine/slider.h"
#include "engine/video.h"

int mouse_x = 0, mouse_y = 0;

OBJET::OBJET(int x, int y, const char *name)
    : SPRITE("IMG_001", 100, 100, 0, 0, 0, 1.0f, 0, 0), view_mode(VIEW_FRONT),
      front_look(VIEW_FRONT), current(&front)
{
    this->x = static_cast<float>(x);
    this->y = static_cast<float>(y);
    ix = x;
    iy = y;
    snprintf(this->name, sizeof this->name, "%s", name ? name : "");
    RC_path[0] = '\0';
}

OBJET::~OBJET()
{
    for (SPRITE *s : front)
        delete s;
    for (SPRITE *s : back)
        delete s;
}

int OBJET::toggle_view_mode(int mode)
{
    switch (mode) {
    case 0:
        view_mode = front_look = view_mode == VIEW_FRONT ? VIEW_COMPACT : VIEW_FRONT;
        current = &front;
        break;
    case VIEW_FRONT:
    case VIEW_COMPACT:
        view_mode = front_look = mode;
        current = &front;
        break;
    case VIEW_BACK:
        view_mode = VIEW_BACK;
        current = &back;
        break;
    default:
        break;
    }
    calcule_lasurfaceoccupee();
    toggle_all_draw_flag(1);
    Draw_Scene(nullptr);
    redraw = 1;
    changed = 1;
    return 1;
}

void OBJET::toggle_all_draw_flag(int v)
{
    for (SPRITE *s : *current) {
        s->redraw = v;
        s->changed = v;
    }
}

void OBJET::calcule_lasurfaceoccupee()
{
    int width = static_cast<int>(w), height = static_cast<int>(h);
    if (SPRITE *background = get_SPRITE_by_name("IMAGE_FOND")) {
        SDL_Surface *image = background->get_SDL_Surface();
        width = image ? image->w : static_cast<int>(background->w);
        height = image ? image->h : static_cast<int>(background->h);
    }
    if (view_mode == VIEW_COMPACT) {
        width /= 2;
        height /= 2;
    }
    w = static_cast<float>(width);
    h = static_cast<float>(height);
}

SPRITE *OBJET::get_pointed_object()
{
    for (auto it = current->rbegin(); it != current->rend(); ++it) {
        SPRITE *s = *it;
        if (dynamic_cast<LABEL *>(s) || strstr(s->NAME, "BACK") || strstr(s->NAME, "FOND"))
            continue;
        const float width = s->w / zoom, height = s->h / zoom;
        const RECTANGLE area(x + s->x, y + s->y, 0, width, height, 0, nullptr);
        // An element without corner origin is centred on its position.
        const float shift = s->corner_origin ? 0.0f : 0.5f;
        const BASE point(mouse_x + shift * width, mouse_y + shift * height, 0, nullptr);
        if (area == point)
            return s;
    }
    return nullptr;
}

int OBJET::get_nr_object(SPRITE *s)
{
    for (size_t i = 0; i < current->size(); i++)
        if ((*current)[i] == s)
            return strstr(s->NAME, "BACK") ? 0 : static_cast<int>(current->size() - 1 - i);
    return 0;
}

// Length of the prefix that the name lookups skip when an element does not
// carry its panel's own name: a one- or two-character name followed by '_'.
static size_t lookup_prefix(const char *name)
{
    const size_t len = strlen(name);
    if (len > 2 && name[2] == '_')
        return 3;
    if (len > 1 && name[1] == '_')
        return 2;
    return 0;
}

// Whether an element answers to a name: its NAME less the panel's own
// "<name>_" (so panels numbered 100 and more find their elements too), or
// less a short prefix.
bool OBJET::answers_to(const SPRITE *s, const char *wanted, size_t short_prefix) const
{
    const char *own = element_name(s);
    return (own && strcmp(own, wanted) == 0) || strcmp(s->NAME + short_prefix, wanted) == 0;
}

SPRITE *OBJET::get_SPRITE_by_name(const char *wanted)
{
    for (auto it = current->rbegin(); it != current->rend(); ++it)
        if (answers_to(*it, wanted, lookup_prefix((*it)->NAME)))
            return *it;
    return nullptr;
}

BUTTON *OBJET::get_BUTTON_by_name(const char *wanted)
{
    for (auto it = current->rbegin(); it != current->rend(); ++it) {
        BUTTON *b = dynamic_cast<BUTTON *>(*it);
        if (!b || !strstr(b->NAME, "BUTTON"))
            continue;
        if (answers_to(b, wanted, b->NAME[2] == '_' ? 3 : 2))
            return b;
    }
    return nullptr;
}

int OBJET::ajoute_message(MESSAGE m)
{
    messages.insert(messages.begin(), m);
    return 1;
}

int OBJET::evolue()
{
    const bool had_messages = !messages.empty();
    while (!messages.empty()) {
        const MESSAGE &m = messages.back();
        if (m.target) {
            // Only buttons and knobs take messages; others are dropped.
            if (BUTTON *b = dynamic_cast<BUTTON *>(m.target))
                b->ajoute_message(&m);
            else if (SLIDER *k = dynamic_cast<SLIDER *>(m.target))
                k->ajoute_message(&m);
        } else if (m.event.type != SDL_USEREVENT) {
            printf("ZZZ\n");
        }
        messages.pop_back();
    }
    if (had_messages) {
        for (SPRITE *s : *current) {
            if (s->redraw) {
                Draw_Scene(nullptr);
                break;
            }
        }
    }
    SPRITE::evolue();
    return 0;
}

// Draws one of the two background elements at the panel's position; in the
// compact view at half size, keeping its top-left corner.
void OBJET::draw_background(SPRITE *s)
{
    s->evolue(); // takes the image's size, which the half-size shift needs
    const float saved_x = s->x, saved_y = s->y, saved_zoom = s->zoom;
    s->x += x;
    s->y += y;
    if (view_mode == VIEW_COMPACT) {
        s->zoom = 0.5f;
        s->x -= s->w / 4;
        s->y -= s->h / 4;
    }
    s->SPRITE::blit(nullptr);
    s->x = saved_x;
    s->y = saved_y;
    s->zoom = saved_zoom;
}

// Draws one element at the panel's position: labels through the text path,
// everything else but the background mask as a sprite.
void OBJET::draw_element(SPRITE *s)
{
    const float saved_x = s->x, saved_y = s->y;
    if (LABEL *label = dynamic_cast<LABEL *>(s)) {
        // Text is placed in window pixels, so the scroll is taken off here.
        label->x += x - offsx;
        label->y += y - offsy;
        label->blit(nullptr);
    } else {
        if (strstr(s->sprite_NAME, "POWER"))
            printf("buttno\n");
        s->x += x;
        s->y += y;
        s->SPRITE::blit(nullptr);
        s->redraw = 0;
    }
    s->x = saved_x;
    s->y = saved_y;
}

void OBJET::Draw_Scene(SDL_Surface *)
{
    if (w <= 0 || h <= 0)
        calcule_lasurfaceoccupee();
    for (const char *background : {"FOND_MASK", "IMAGE_FOND"})
        if (SPRITE *s = get_SPRITE_by_name(background))
            draw_background(s);

    bool drew = false;
    for (SPRITE *s : *current) {
        s->evolue();
        if (s->redraw != 1 || view_mode == VIEW_COMPACT)
            continue;
        if (!dynamic_cast<LABEL *>(s) && strstr(s->sprite_NAME, "FOND_MASK"))
            continue;
        draw_element(s);
        drew = true;
    }
    if (view_mode == VIEW_COMPACT)
        draw_compact_name();
    if (drew)
        redraw = 1;
}

void OBJET::draw_compact_name()
{
    LABEL *label = dynamic_cast<LABEL *>(get_SPRITE_by_name("label_NAME"));
    if (label == nullptr)
        return;
    const float saved_x = label->x, saved_y = label->y;
    const int saved_colour = label->colour;
    label->x = COMPACT_NAME_AT;
    label->y = COMPACT_NAME_AT;
    label->colour = COMPACT_NAME_COLOUR;
    draw_element(label);
    label->x = saved_x;
    label->y = saved_y;
    label->colour = saved_colour;
}

void OBJET::Draw_Scene_into_buffer(SDL_Surface *dst)
{
    if (!surface || !dst)
        return;
    SDL_Rect at = {static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
    SDL_BlitSurface(surface, nullptr, dst, &at);
}
