#include "app/scope_view.h"

#include <GL/gl.h>

#include "app/oscilloscope.h"
#include "app/scope_feed.h"

namespace {

OSCILLOSCOPE *scope = nullptr; // made with the first trace, in the window's context

} // namespace

void trace_frame(bool entering)
{
    if (scope == nullptr)
        scope = new OSCILLOSCOPE();
    if (entering) {
        scope->restart();
        scope_feed.flush();
        scope_feed.watch(true);
    }
    scope->take_samples();
    paint_trace();
}

void leave_trace() { scope_feed.watch(false); }

void paint_trace()
{
    if (scope == nullptr)
        scope = new OSCILLOSCOPE();
    glLoadIdentity();
    scope->draw();
}

void free_scope()
{
    delete scope;
    scope = nullptr;
}
