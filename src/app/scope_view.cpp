#include "app/scope_view.h"

#include <GL/gl.h>

#include "app/oscilloscope.h"
#include "app/scope_feed.h"

namespace {

OSCILLOSCOPE *scope = nullptr;

// Made on first use, whichever comes first: a trace frame, or a modal box
// repainting the mode's picture; either way in the window's context.
OSCILLOSCOPE &the_scope()
{
    if (scope == nullptr)
        scope = new OSCILLOSCOPE();
    return *scope;
}

} // namespace

void trace_frame(bool entering)
{
    if (entering) {
        the_scope().restart();
        scope_feed.flush();
        scope_feed.watch(true);
    }
    the_scope().take_samples();
    paint_trace();
}

void leave_trace() { scope_feed.watch(false); }

void paint_trace()
{
    glLoadIdentity();
    the_scope().draw();
}

void free_scope()
{
    delete scope;
    scope = nullptr;
}
