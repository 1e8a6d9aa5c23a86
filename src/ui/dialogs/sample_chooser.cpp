#include "ui/dialogs/sample_chooser.h"

#include <algorithm>

#include "panels/sampler_gui.h"
#include "engine/flat_drawing.h"

using namespace box;

namespace {

constexpr LIST_BOX::SHAPE CHOOSER_SHAPE = {480, 40, 20, 28, SAMPLE_CHOOSER::MOST_ROWS};
// Characters of a name in a row: a longer one loses its middle.
constexpr size_t NAME_CHARS = 52;

} // namespace

SAMPLE_CHOOSER::SAMPLE_CHOOSER(const std::string &module, const std::string &directory,
                               const FILE_LISTING &listing, const char *current)
    : LIST_BOX(static_cast<int>(listing.names.size()), CHOOSER_SHAPE),
      heading(module + ": a recording from " + directory + "/"), directory(directory),
      names(listing.names), problem(listing.problem)
{
    const std::string path = current, prefix = directory + "/";
    if (path.rfind(prefix, 0) != 0)
        return;
    const auto playing = std::find(names.begin(), names.end(), path.substr(prefix.size()));
    if (playing != names.end())
        choose(static_cast<int>(playing - names.begin()));
}

std::string SAMPLE_CHOOSER::chosen_path() const { return directory + "/" + names.at(row); }

const char *SAMPLE_CHOOSER::help() const
{
    return "ARROWS, PAGE KEYS, WHEEL OR POINTER: CHOOSE     ENTER OR CLICK: PLAY     ESCAPE: "
           "CANCEL";
}

void SAMPLE_CHOOSER::draw_row(int r, int left, int top, bool chosen) const
{
    text(our_font_14, left, top + 15, chosen ? GREEN : AMBER,
         file_display(names[r].c_str(), NAME_CHARS));
}

void SAMPLE_CHOOSER::draw()
{
    LIST_BOX::draw();
    if (names.empty()) {
        const WINDOW_PIXELS pixels;
        text(our_font_14, box_x() + MARGIN, rows_top() + 15, AMBER,
             problem.empty() ? "No WAV files in " + directory + "/" : problem);
    }
}

std::string choose_sample(const char *module, const char *current)
{
    SAMPLE_CHOOSER chooser(module, SAMPLE_DIRECTORY, list_samples(SAMPLE_DIRECTORY), current);
    if (!run_modal(chooser, "sample chooser") || chooser.state != LIST_BOX::TAKEN)
        return "";
    return chooser.chosen_path();
}
