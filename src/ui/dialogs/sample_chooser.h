// The sample chooser: the recordings of a directory (ui/dialogs/file_listing.h),
// one name a row, A to Z, in a list box (ui/dialogs/list_box.h) over the
// darkened view; the file a sampler plays is the first choice. Without any,
// the box says why (none there, or the directory unreadable) and only
// cancels.
#pragma once

#include <string>
#include <vector>

#include "ui/dialogs/file_listing.h"
#include "ui/dialogs/list_box.h"

// The directory the chooser lists, relative to the working directory.
constexpr const char *SAMPLE_DIRECTORY = "samples";

class SAMPLE_CHOOSER : public LIST_BOX {
public:
    // Rows in sight at once; more scroll.
    static constexpr int MOST_ROWS = 14;

    // The names of the listing, under a title that names the module; the
    // choice first on the name of the file `current` (a path into directory).
    SAMPLE_CHOOSER(const std::string &module, const std::string &directory,
                   const FILE_LISTING &listing, const char *current);

    // The path of the choice: directory/name.
    std::string chosen_path() const;

protected:
    const char *title() const override { return heading.c_str(); }
    const char *help() const override;
    void draw_row(int r, int left, int top, bool chosen) const override;
    void draw() override;

private:
    std::string heading, directory;
    std::vector<std::string> names;
    std::string problem;
};

// Runs the chooser over SAMPLE_DIRECTORY for the module, which plays
// `current`: the path taken, or "" when it was cancelled (or could not open:
// no window, another box open).
std::string choose_sample(const char *module, const char *current);
