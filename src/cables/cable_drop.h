// Picking up a cable end at a socket and dropping it on another: the kinds of
// ends, and the rewiring a drop makes for each kind. Which socket takes which
// end, and how it is plugged, come from the sockets table (modules/sockets.h).
#pragma once

#include <string>

#include "cables/link.h"
#include "engine/objet.h"

// The kinds of cable end (LINKS_VIEW::clicked_link_type).
enum CABLE_END {
    AUDIO_OUTPUT_END = 0,
    AUDIO_INPUT_END = 1,
    GATE_INPUT_END = 2,
    SYNC_INPUT_END = 3,
    GATE_OUTPUT_END = 4,
    SYNC_OUTPUT_END = 5,
};

// The kind of the end picked at a socket: side 1 is the output end, 0 the
// input end; a socket named with "_GATE" or "_SYNC" holds a gate or sync
// end, any other an audio end. Prints the kind's trace line.
int cable_end_kind(const char *socket_name, int side);

// Why the picked end (of kind `kind`) of the cable may not go on `socket` of
// `target` (null when the pointer is over none), in plain words; empty when
// it may. An input end goes on an input socket of its signal that the
// target's back offers (any socket of a mixer adds a channel, while one is
// free); an output end on the target's output of its signal.
std::string drop_refusal(const LINK &link, int kind, OBJET *target, SPRITE *socket);

// Drops the end there: where it may go, an input end moves the cable's input
// to the target's socket (with duplicate set the old input keeps its source,
// except a mixer channel), an output end gives the cable's input the
// target's output (a new cable from a mixer's free socket takes its next
// channel). Either end of a plugged cable dropped on no panel at all (target
// null) pulls the cable out, unless duplicate is set: the input it fed is
// plugged into nothing (a mixer channel stays counted). Elsewhere nothing changes. Returns what the window should
// say: drop_refusal's answer, or that the cable was pulled out; the console
// gets a trace line either way. The cable list must be rebuilt afterwards in every case
// (link_not_created).
std::string drop_cable_end(LINK &link, int kind, bool duplicate, OBJET *target, SPRITE *socket);
