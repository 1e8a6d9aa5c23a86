#include "cables/cable_drop.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "cables/cable_list.h"
#include "modules/sockets.h"
#include "panels/module_panel.h"
#include "panels/panel_elements.h"

namespace {

const char WRONG_GATE[] = "Mauvais branchment : Vous essayer de mettre une connexion INPUT_GATE "
                          "dans une j'sais pas on s'en fout\n";
const char WRONG_INPUT[] =
    "Mauvais branchment : Vous essayer de mettre une connexion INPUT dans une OUTPUT\n";
const char WRONG_OUTPUT[] =
    "Mauvais branchment : Vous essayer de mettre une connexion OUTPUT dans une INPUT\n";

// What each kind of end is, indexed by the kind.
struct END {
    bool output;
    SIGNAL signal;
    const char *trace;     // when picked
    const char *wrong;     // when dropped where it cannot go
    const char *connected; // when dropped where it goes
};

const END ENDS[] = {
    {true, SIGNAL::AUDIO, "OUTPUT\n", WRONG_OUTPUT, "Branchement INPUT vers OUTPUT\n"},
    {false, SIGNAL::AUDIO, "INPUT\n", WRONG_INPUT, "Branchement OUTPUT vers INPUT\n"},
    {false, SIGNAL::GATE, "INPUT_GATE\n", WRONG_GATE, "Branchement OUTPUT_GATE vers INPUT_GATE\n"},
    {false, SIGNAL::SYNC, "INPUT_SYNC\n", WRONG_GATE, "Branchement OUTPUT_SYNC vers INPUT_SYNC\n"},
    {true, SIGNAL::GATE, "OUTPUT_GATE\n", WRONG_GATE, "Branchement OUTPUT_GATE vers INPUT_GATE\n"},
    {true, SIGNAL::SYNC, "OUTPUT_SYNC\n", WRONG_GATE, "Branchement OUTPUT_SYNC vers INPUT_SYNC\n"},
};

int kind_of_end(bool output, SIGNAL signal)
{
    for (int k = 0; k < static_cast<int>(sizeof ENDS / sizeof ENDS[0]); k++)
        if (ENDS[k].output == output && ENDS[k].signal == signal)
            return k;
    return output ? AUDIO_OUTPUT_END : AUDIO_INPUT_END;
}

// An input socket of a panel: its entry in the table and, for a mixer, its
// channel; null entry when the panel's back offers no such input.
struct INPUT_AT {
    MODULE module;
    const SOCKET *socket = nullptr;
    int channel = 0;
};

INPUT_AT input_at(OBJET *panel, const SPRITE *socket)
{
    INPUT_AT in;
    in.module = module_of(panel);
    const SOCKET *s =
        input_socket_named(in.module.kind, name_in_panel(*panel, socket), &in.channel);
    in.socket = s != nullptr && s->cabled ? s : nullptr;
    return in;
}

bool mixer_is_full(const MODULE &m)
{
    return m.kind == MIXER_MODULE && m.as<MIXER>()->count.load() >= MIXER::CHANNELS;
}

// An input end dropped on another input socket of its signal.
void move_input(LINK &link, const INPUT_AT &to, bool duplicate)
{
    const INPUT_AT from = input_at(link.input_panel, link.input_socket);
    const MODULE source = module_of(link.output_panel);
    if (from.socket != nullptr) {
        if (from.module.kind == VCO_MODULE)
            std::printf("[%s]\n", link.input_socket->NAME);
        // A mixer's channel is left plugged to nothing, and counted.
        if (!duplicate || from.socket->channels > 1)
            from.socket->plug(from.module, from.channel, MODULE());
    }
    to.socket->plug(to.module, to.socket->channels > 1 ? -1 : to.channel, source);
}

// The input socket the end would go into, for an input end.
struct TARGET {
    MODULE module;
    INPUT_AT input;
};

const char *signal_word(SIGNAL signal)
{
    switch (signal) {
    case SIGNAL::GATE:
        return "gate";
    case SIGNAL::SYNC:
        return "sync";
    case SIGNAL::AUDIO:
        break;
    }
    return "audio";
}

// Why the end may not go on socket p of target, in plain words; empty when it
// may. console is the trace line of a refusal.
std::string refusal(const LINK &link, const END &end, OBJET *target, SPRITE *p,
                    const char *&console)
{
    console = nullptr;
    if (p == nullptr || (!std::strstr(p->NAME, "OUTPUT") && !std::strstr(p->NAME, "INPUT"))) {
        console =
            p == nullptr ? "Postionn\xe9 sur rien\n" : "Postionn\xe9 sur ni OUTPUT ni INPUT\n";
        return "No socket there: the cable goes back";
    }
    if (p == (end.output ? link.output_socket : link.input_socket)) {
        console = "C le meme amateur !\n";
        return "The cable stays where it was";
    }
    const MODULE to = module_of(target);
    const std::string socket = std::string(to.name()) + " " + name_in_panel(*target, p);
    console = end.wrong;
    if (end.output) {
        if (std::strstr(name_in_panel(*target, p), "INPUT"))
            return socket + " is an input: this end of the cable goes into an output";
        if (std::strcmp(name_in_panel(*target, p), output_element(end.signal)) != 0)
            return socket + " is a " + signal_word(signal_of_output(p->NAME)) +
                   " output: this cable carries " + signal_word(end.signal);
        return "";
    }
    if (std::strstr(name_in_panel(*target, p), "OUTPUT"))
        return socket + " is an output: this end of the cable goes into an input";
    const INPUT_AT in = input_at(target, p);
    if (in.socket == nullptr)
        return socket + " takes no cable";
    if (in.socket->signal != end.signal)
        return socket + " takes " + signal_word(in.socket->signal) + " cables: this one carries " +
               signal_word(end.signal);
    if (mixer_is_full(to)) {
        console = nullptr;
        std::printf("Branchement refuse : les %d entrees de [%s] sont prises\n", MIXER::CHANNELS,
                    to.name());
        return std::string(to.name()) + " has all its " + std::to_string(MIXER::CHANNELS) +
               " channels taken";
    }
    console = nullptr;
    return "";
}

} // namespace

int cable_end_kind(const char *socket_name, int side)
{
    const SIGNAL signal = signal_of_output(socket_name);
    const int kind = kind_of_end(side == 1, signal);
    std::printf("%s", ENDS[kind].trace);
    return kind;
}

std::string drop_refusal(const LINK &link, int kind, OBJET *target, SPRITE *socket)
{
    const char *console;
    return refusal(link, ENDS[kind], target, socket, console);
}

std::string drop_cable_end(LINK &link, int kind, bool duplicate, OBJET *target, SPRITE *p)
{
    link_not_created = 1;
    const END &end = ENDS[kind];
    const INPUT_AT fed = input_at(link.input_panel, link.input_socket);
    if (target == nullptr && !duplicate && fed.socket != nullptr &&
        fed.socket->source(fed.module, fed.channel) != nullptr) {
        const char *socket = name_in_panel(*link.input_panel, link.input_socket);
        fed.socket->plug(fed.module, fed.channel, MODULE());
        std::printf("Debranche [%s]\n", socket);
        return std::string("Cable pulled out: ") + fed.module.name() + " " + socket +
               " hears nothing there";
    }
    const char *console;
    const std::string why = refusal(link, end, target, p, console);
    if (p != nullptr && (std::strstr(p->NAME, "INPUT") || std::strstr(p->NAME, "OUTPUT")))
        std::printf("Atterri sur qlq chose [%s]\n", p->NAME);
    if (console != nullptr)
        std::printf("%s", console);
    if (!why.empty())
        return why;
    const MODULE to = module_of(target);
    if (end.output) {
        // A new cable from a mixer's free socket takes its next channel.
        const bool new_channel = fed.socket != nullptr && fed.socket->channels > 1 &&
                                 fed.channel >= fed.socket->channels_in_use(fed.module);
        if (fed.socket != nullptr &&
            !fed.socket->plug(fed.module, new_channel ? -1 : fed.channel, to))
            return std::string(fed.module.name()) + " has all its " +
                   std::to_string(MIXER::CHANNELS) + " channels taken";
    } else {
        move_input(link, input_at(target, p), duplicate);
    }
    std::printf("%s", end.connected);
    return "";
}
