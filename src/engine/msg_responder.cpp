#include "engine/msg_responder.h"

int MSG_RESPONDER::ajoute_message(const MESSAGE *m)
{
    messages.insert(messages.begin(), std::make_unique<MESSAGE>(*m));
    return 1;
}

std::unique_ptr<MESSAGE> MSG_RESPONDER::take_oldest()
{
    if (messages.empty())
        return nullptr;
    std::unique_ptr<MESSAGE> m = std::move(messages.back());
    messages.pop_back();
    return m;
}

void MSG_RESPONDER::follow_pointer(const MESSAGE &m, int &touched, int &pressed)
{
    if (m.says("TOUCH_IN"))
        touched = 1;
    if (m.says("TOUCH_OUT"))
        touched = 0;
    if (m.is_press())
        pressed = 1;
    if (m.is_release())
        pressed = 0;
}
