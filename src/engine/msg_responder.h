// The message queue of a widget. The panel copies each message meant for the
// widget into it; the widget's evolue takes them oldest first.
#pragma once

#include <memory>
#include <vector>

#include "engine/message.h"

class MSG_RESPONDER {
public:
    // Newest at the front; each entry is the responder's own copy.
    std::vector<std::unique_ptr<MESSAGE>> messages;

    MSG_RESPONDER() = default;
    virtual ~MSG_RESPONDER() = default;
    MSG_RESPONDER(const MSG_RESPONDER &) = delete;
    MSG_RESPONDER &operator=(const MSG_RESPONDER &) = delete;

    // Queues a copy of m at the front. Returns 1.
    int ajoute_message(const MESSAGE *m);

    // Removes and returns the oldest message; null when the queue is empty.
    std::unique_ptr<MESSAGE> take_oldest();

    // Hover and press carried by m: "TOUCH_IN" and "TOUCH_OUT" set and clear
    // touched, a button press sets pressed and a release clears it.
    static void follow_pointer(const MESSAGE &m, int &touched, int &pressed);
};
