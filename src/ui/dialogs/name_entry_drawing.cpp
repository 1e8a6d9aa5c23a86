// How the name entry looks: a plate-coloured box in the middle of the window,
// the name on a dark display in green, the message in amber, the files of the
// directory in columns of small type.
#include <algorithm>
#include <string>

#include "engine/flat_drawing.h"
#include "ui/dialogs/name_entry.h"

using namespace box;

namespace {

const int BOX_W = 576, BOX_H = 252;
const int MARGIN = 16;
const int FIELD_H = 22;
const int FILE_COLUMNS = 4, FILE_ROWS = 10, FILE_ROW_H = 10, FILE_CHARS = 30;
const int NAME_CHARS = 64; // the end of a longer name is shown

std::string shortened(const std::string &s, size_t chars)
{
    return s.size() <= chars ? s : s.substr(0, chars - 3) + "...";
}

} // namespace

void NAME_ENTRY::draw()
{
    const int x = (window_w() - BOX_W) / 2, y = (window_h() - BOX_H) / 2;
    const WINDOW_PIXELS pixels;
    fill(x, y, BOX_W, BOX_H, PLATE);
    frame(x, y, BOX_W, BOX_H, OUTLINE);
    fill(x + MARGIN, y + 36, BOX_W - 2 * MARGIN, FIELD_H, LCD);
    frame(x + MARGIN - 1, y + 35, BOX_W - 2 * MARGIN + 2, FIELD_H + 2, OUTLINE);

    const int left = x + MARGIN;
    text(our_font_14, left, y + 24, LEGEND, prompt);
    const std::string typed = name;
    text(our_font_14, left + 6, y + 52, GREEN,
         (typed.size() > NAME_CHARS ? "<" + typed.substr(typed.size() - NAME_CHARS) : typed) + "_");
    text(our_font_14, left, y + 80, AMBER, message);

    const std::string where = directory.empty() ? "the working directory" : directory;
    text(our_font_7, left, y + 100, LEGEND,
         files.empty() ? "No file in " + where : "Files in " + where + ":");
    const int column_w = (BOX_W - 2 * MARGIN) / FILE_COLUMNS;
    const size_t shown = std::min(files.size(), size_t(FILE_COLUMNS * FILE_ROWS));
    for (size_t i = 0; i < shown; i++)
        text(our_font_7, left + column_w * static_cast<int>(i / FILE_ROWS),
             y + 116 + FILE_ROW_H * static_cast<int>(i % FILE_ROWS), LEGEND,
             shortened(files[i], FILE_CHARS));
    if (files.size() > shown)
        text(our_font_7, left, y + 116 + FILE_ROW_H * FILE_ROWS, LEGEND,
             "and " + std::to_string(files.size() - shown) + " more");
    text(our_font_7, left, y + BOX_H - 22, LEGEND,
         "ONE WORD; .QSY IS ADDED TO A NAME WITHOUT QSY, SO THAT THE LOAD DIALOG LISTS IT");
    text(our_font_7, left, y + BOX_H - 10, LEGEND,
         "ENTER: SAVE     BACKSPACE: ERASE     ESCAPE: CANCEL");
}
