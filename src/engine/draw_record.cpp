#include "engine/draw_record.h"

#include <cassert>

namespace {

DRAW_RECORD *open = nullptr;
PIXEL_BOX clip;
bool clipping = false;

} // namespace

void DRAW_RECORD::clear()
{
    bytes.clear();
    primitives.clear();
    all = PIXEL_BOX();
}

void DRAW_RECORD::append(std::string_view text)
{
    append(text.size());
    bytes.insert(bytes.end(), text.begin(), text.end());
}

std::string_view DRAW_RECORD::primitive(size_t i) const
{
    const size_t start = i == 0 ? 0 : primitives[i - 1].end;
    return {reinterpret_cast<const char *>(bytes.data()) + start, primitives[i].end - start};
}

void changes_between(const DRAW_RECORD &before, const DRAW_RECORD &now, std::vector<PIXEL_BOX> &out)
{
    if (before.size() != now.size()) {
        out.push_back(before.all);
        out.push_back(now.all);
        return;
    }
    for (size_t i = 0; i < now.size(); i++)
        if (before.primitive(i) != now.primitive(i)) {
            out.push_back(before.primitives[i].box);
            out.push_back(now.primitives[i].box);
        }
}

DRAW_RECORDING::DRAW_RECORDING(DRAW_RECORD &record)
{
    assert(open == nullptr);
    record.clear();
    open = &record;
}

DRAW_RECORDING::~DRAW_RECORDING() { open = nullptr; }

DRAW_RECORD *open_record() { return open; }

DRAW_CLIP::DRAW_CLIP(const PIXEL_BOX &box)
{
    assert(!clipping);
    clip = box;
    clipping = true;
}

DRAW_CLIP::~DRAW_CLIP() { clipping = false; }

const PIXEL_BOX *open_clip() { return clipping ? &clip : nullptr; }
