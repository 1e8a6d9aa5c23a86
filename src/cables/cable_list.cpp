#include "cables/cable_list.h"

#include <cstdio>
#include <cstring>

#include "cables/cable_colours.h"
#include "modules/sockets.h"
#include "panels/module_panel.h"
#include "panels/panel_elements.h"
#include "panels/panel_lists.h"

std::vector<LINK *> liens;
int link_not_created = 1;

namespace {

// Sockets are elements of the back list, whatever view the panel shows.
SPRITE *socket_of(OBJET &panel, const char *name)
{
    std::vector<SPRITE *> *shown = panel.current;
    panel.current = &panel.back;
    SPRITE *socket = panel.get_SPRITE_by_name(name);
    panel.current = shown;
    return socket;
}

// The cable of one plugged input: from the input socket of panel `to` to the
// output socket of the panel that shows the source module, put at the front
// of the list; skipped with one line when a panel or a socket is missing.
void add_cable(OBJET *to, const char *input_socket, const MODULE &source, SIGNAL signal,
               int colour)
{
    const MODULE target = module_of(to);
    OBJET *from = panel_of(source);
    if (from == nullptr) {
        std::printf("Cable skipped: the source of an input of %s is on no panel\n", target.name());
        return;
    }
    const char *output_socket = output_element(signal);
    SPRITE *out = socket_of(*from, output_socket);
    SPRITE *in = socket_of(*to, input_socket);
    if (out == nullptr || in == nullptr) {
        std::printf("Cable skipped: the panel of %s has no socket %s\n",
                    out == nullptr ? source.name() : target.name(),
                    out == nullptr ? output_socket : input_socket);
        return;
    }
    liens.insert(liens.begin(), new LINK(to, from, in, out, colour));
}

// The cables of every plugged input of the panel's module that its back
// shows, in the order of the module's sockets.
void cables_of(OBJET *panel)
{
    const MODULE m = module_of(panel);
    for (const SOCKET &socket : input_sockets(m.kind)) {
        if (!socket.cabled)
            continue;
        for (int c = 0; c < socket.channels_in_use(m); c++) {
            const void *address = socket.source(m, c);
            if (address == nullptr)
                continue;
            char element[24];
            socket.element_of(c, element);
            add_cable(panel, element, owner_of(*gen, socket.signal, address), socket.signal,
                      cable_colour(cable_kind(m.kind, socket)));
        }
    }
}

} // namespace

LINK *start_cable(OBJET *panel, SPRITE *socket)
{
    const MODULE m = module_of(panel);
    const char *element = name_in_panel(*panel, socket);
    const bool output = std::strstr(element, "OUTPUT") != nullptr;
    int channel;
    const SOCKET *input = output ? nullptr : input_socket_named(m.kind, element, &channel);
    if (!m || (!output && (input == nullptr || !input->cabled)) ||
        (output && !m.has_output(signal_of_output(element))))
        return nullptr;
    const SIGNAL signal = output ? signal_of_output(element) : input->signal;
    const CABLE_KIND kind = input ? cable_kind(m.kind, *input)
                            : signal == SIGNAL::GATE ? CABLE_KIND::GATE
                            : signal == SIGNAL::SYNC ? CABLE_KIND::SYNC
                                                     : CABLE_KIND::AUDIO;
    LINK *link = new LINK(panel, panel, socket, socket, cable_colour(kind));
    liens.insert(liens.begin(), link);
    return link;
}

void cree_list_liens()
{
    for (LINK *link : liens)
        delete link;
    liens.clear();
    std::printf("Begin Link Creation\n");
    for (OBJET *panel : objets_globaux)
        cables_of(panel);
    std::printf("End Link Creation\n");
}
