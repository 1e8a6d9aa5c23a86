// Recording what would be drawn instead of drawing it.
//
// While a record is open (DRAW_RECORDING), the engine's drawing primitives (the
// sprite quad and the cable curve of engine/draw.h, the text of
// engine/font_data.h) colour no pixel: each one adds itself to the record as
// one primitive, made of its parameters together with the OpenGL state that
// colours it, and of the box of window pixels it would cover. The rest of the
// drawing code runs as usual (state changes included), so a record holds
// exactly what a real drawing of the same objects draws.
//
// Two records of the same primitives draw the same pixels over the same
// picture. Where one primitive differs, pixels can change only within its box
// in either record: changes_between() lists those boxes, which is what the
// window's partial redraw (app/view_painting.h) paints again.
//
// Boxes are window pixels from the top-left corner: the quads and the cables
// are drawn in those (OrthoMode over the whole window, engine/video.h), the
// text in its own projection (font_data.h), whose box is turned into them.
#pragma once

#include <cstddef>
#include <string_view>
#include <type_traits>
#include <vector>

#include "engine/pixel_box.h"

class DRAW_RECORD {
public:
    // Adds one primitive: the box it covers, then the values that decide its
    // pixels, in order.
    template <typename... VALUES> void add(const PIXEL_BOX &box, const VALUES &...values)
    {
        (append(values), ...);
        primitives.push_back({bytes.size(), box});
        all = united(all, box);
    }

    void clear();
    size_t size() const { return primitives.size(); }
    // Every pixel that any primitive covers.
    const PIXEL_BOX &box() const { return all; }

    // Appends to out the boxes where a drawing of `now` can differ from one of
    // `before`: both boxes of each primitive that differs, or the whole of
    // both records when they do not hold as many primitives.
    friend void changes_between(const DRAW_RECORD &before, const DRAW_RECORD &now,
                                std::vector<PIXEL_BOX> &out);

private:
    struct PRIMITIVE {
        size_t end; // where its bytes end
        PIXEL_BOX box;
    };
    std::vector<unsigned char> bytes;
    std::vector<PRIMITIVE> primitives;
    PIXEL_BOX all;

    template <typename T> void append(const T &value)
    {
        static_assert(std::is_arithmetic_v<T>, "a primitive is made of numbers and text");
        const auto *p = reinterpret_cast<const unsigned char *>(&value);
        bytes.insert(bytes.end(), p, p + sizeof value);
    }
    template <typename T, size_t N> void append(const T (&values)[N])
    {
        for (const T &v : values)
            append(v);
    }
    void append(std::string_view text);
    // The bytes of primitive i.
    std::string_view primitive(size_t i) const;
};

// Opens a record, emptied first, for the primitives drawn until it goes out
// of scope. Records do not nest: at most one is open.
class DRAW_RECORDING {
public:
    explicit DRAW_RECORDING(DRAW_RECORD &record);
    ~DRAW_RECORDING();
    DRAW_RECORDING(const DRAW_RECORDING &) = delete;
    DRAW_RECORDING &operator=(const DRAW_RECORDING &) = delete;
};

// The open record, or null while the primitives draw.
DRAW_RECORD *open_record();

// Painting a part of the window again: while a clip is open (DRAW_CLIP), a
// primitive whose box lies wholly outside the clip's box colours no pixel,
// though it changes the OpenGL state as it would; it could colour none
// within the box anyway. Clips do not nest.
class DRAW_CLIP {
public:
    explicit DRAW_CLIP(const PIXEL_BOX &box);
    ~DRAW_CLIP();
    DRAW_CLIP(const DRAW_CLIP &) = delete;
    DRAW_CLIP &operator=(const DRAW_CLIP &) = delete;
};

// Whether a primitive covering the box (computed by `box()`, called only
// while a clip is open) is to colour its pixels.
template <typename BOX> bool drawn_within_clip(BOX &&box);

// The open clip's box, or null.
const PIXEL_BOX *open_clip();

template <typename BOX> bool drawn_within_clip(BOX &&box)
{
    const PIXEL_BOX *clip = open_clip();
    return clip == nullptr || overlap(box(), *clip);
}
