// The load dialog in the modal loop: the chosen name is loaded between two
// passes, and a held scroll button moves the list at its own pace.
#include <cstdio>

#include "ui/dialogs/load_dialog.h"
#include "ui/dialogs/modal_loop.h"

namespace {

// A pass that changed nothing waits this long; a held scroll button moves the
// list by one entry per pass of SCROLL_MS.
constexpr Uint32 IDLE_MS = 10, SCROLL_MS = 60;

class LOAD_BOX : public MODAL_BOX {
public:
    LOAD_BOX(LOAD_DIALOG &dialog, LOAD_ORDER load) : dialog(dialog), load(load) {}

    bool loaded = false;

    bool open() const override { return !loaded && dialog.state != LOAD_DIALOG::CANCELLED; }
    // Once a row is chosen, the next events wait until it is loaded.
    bool taking() const override { return dialog.state == LOAD_DIALOG::CHOOSING; }
    bool take(const SDL_Event &event) override { return dialog.take(event); }
    bool pass() override
    {
        if (dialog.state != LOAD_DIALOG::CHOSEN)
            return dialog.scroll_pass();
        const std::string &name = dialog.names[static_cast<size_t>(dialog.chosen)];
        std::printf("Load [%s]\n", name.c_str());
        std::string why;
        loaded = load(name, why);
        dialog.say(why);
        dialog.state = LOAD_DIALOG::CHOOSING;
        return true;
    }
    void draw() override { dialog.draw(); }
    Uint32 wait_ms(bool) const override { return dialog.direction != 0 ? SCROLL_MS : IDLE_MS; }

private:
    LOAD_DIALOG &dialog;
    LOAD_ORDER load;
};

} // namespace

bool run_load_dialog(LOAD_DIALOG &dialog, LOAD_ORDER load)
{
    LOAD_BOX box(dialog, load);
    return run_modal(box, "load dialog") && box.loaded;
}
