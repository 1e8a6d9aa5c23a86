#include "app/view_frame.h"

namespace {

bool same_layers(const VIEW_FRAME &a, const VIEW_FRAME &b)
{
    if (a.view != b.view || a.side_turns != b.side_turns || a.scroll_x != b.scroll_x ||
        a.scroll_y != b.scroll_y || a.layers.size() != b.layers.size())
        return false;
    for (size_t i = 0; i < a.layers.size(); i++)
        if (a.layers[i].kind != b.layers[i].kind || a.layers[i].panel != b.layers[i].panel ||
            a.layers[i].panel_x != b.layers[i].panel_x ||
            a.layers[i].panel_y != b.layers[i].panel_y || a.layers[i].cable != b.layers[i].cable)
            return false;
    return true;
}

bool near(const PIXEL_BOX &a, const PIXEL_BOX &b)
{
    const int g = REPAINT_MERGE_GAP;
    return overlap({a.x0 - g, a.y0 - g, a.x1 + g, a.y1 + g}, b);
}

// Merges near boxes, sweep after sweep, until no two are near: a merged box
// can come near boxes it was not near before. Beyond MANY_BOXES (a panel
// moved, say) they all become one box at once.
void merge_near(std::vector<PIXEL_BOX> &boxes)
{
    constexpr size_t MANY_BOXES = 256;
    if (boxes.size() > MANY_BOXES) {
        PIXEL_BOX all;
        for (const PIXEL_BOX &b : boxes)
            all = united(all, b);
        boxes = {all};
        return;
    }
    for (bool merged = true; merged;) {
        merged = false;
        for (size_t i = 0; i < boxes.size(); i++)
            for (size_t j = boxes.size() - 1; j > i; j--)
                if (near(boxes[i], boxes[j])) {
                    boxes[i] = united(boxes[i], boxes[j]);
                    boxes.erase(boxes.begin() + static_cast<long>(j));
                    merged = true;
                }
    }
}

} // namespace

REPAINT repaint_between(const VIEW_FRAME &shown, const VIEW_FRAME &due, int window_w, int window_h)
{
    const REPAINT whole = {true, {}};
    if (!same_layers(shown, due))
        return whole;
    std::vector<PIXEL_BOX> changes;
    for (size_t i = 0; i < due.layers.size(); i++)
        changes_between(shown.layers[i].record, due.layers[i].record, changes);
    REPAINT repaint;
    const PIXEL_BOX window = {0, 0, window_w, window_h};
    for (const PIXEL_BOX &b : changes)
        if (overlap(b, window))
            repaint.parts.push_back(common_part(b, window));
    merge_near(repaint.parts);
    long area = 0;
    for (const PIXEL_BOX &b : repaint.parts)
        area += b.area();
    return 2 * area > window.area() ? whole : repaint;
}
