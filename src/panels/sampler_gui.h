// The sampler's panel: the file of its recording on a display with the pad
// that chooses another, volume and tune knobs with their value labels, and
// the power switch; at the back, its sockets.
#pragma once

#include <string>

#include "panels/module_panel.h"
#include "synth/sampler.h"

class SAMPLER_GUI : public MODULE_PANEL {
public:
    SAMPLER *sampler; // not owned
    // Characters of the file display.
    static constexpr size_t FILE_CHARS = 28;

    SAMPLER_GUI(SAMPLER *sampler, int x, int y, const char *number);

    // In the front view, steps the sampler by the queued turns and clicks;
    // then the panel's own refresh, the file display following the sampler's
    // file; then, when the file pad was released, the order choose_recording
    // (what it changes shows at the next refresh). Returns 0.
    int evolue() override;
    std::string describe(const SPRITE *element) const override;
    void take_message(const MESSAGE &m) override;
    double knob_place(const SPRITE &knob) const override;

    // Set by a release of the file pad: the order runs once the queue has
    // been handed to the widgets, so that the view painted behind a modal
    // box finds nothing left to take.
    bool file_asked = false;
    // The file the display shows.
    std::string shown_file;
};

// What the file pad orders: another recording for the sampler, chosen,
// loaded and reported. The window's code plugs it in (the chooser and the
// status line lie above this library); null, the pad does nothing.
extern void (*choose_recording)(SAMPLER &sampler);

// The name of a file without its directory, its middle cut out ("..") when
// it is longer than `chars` characters; "NO FILE" for an empty path.
std::string file_display(const char *path, size_t chars);
