#include "app/command_line.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "remote/remote_server.h"

namespace {

constexpr double MAX_RENDER_SECONDS = 3600.0;

bool read_int(const char *text, long low, long high, int &out)
{
    char *end = nullptr;
    errno = 0;
    long value = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || value < low || value > high)
        return false;
    out = static_cast<int>(value);
    return true;
}

bool read_seconds(const char *text, double &seconds)
{
    char *end = nullptr;
    errno = 0;
    double value = std::strtod(text, &end);
    if (errno != 0 || end == text || *end != '\0' || !(value > 0.0) || value > MAX_RENDER_SECONDS)
        return false;
    seconds = value;
    return true;
}

} // namespace

bool parse_command_line(int argc, char **argv, CommandLine &cmd, std::string &error)
{
    bool seconds_given = false;
    int i = 1;
    for (; i < argc && std::strncmp(argv[i], "--", 2) == 0; ++i) {
        std::string option = argv[i];
        bool takes_value = option == "--render" || option == "--seconds" ||
                           option == "--remote-port" || option == "--block" ||
                           option == "--midi-in" || option == "--output";
        if (takes_value && i + 1 >= argc) {
            error = option + " needs a value";
            return false;
        }
        if (option == "--help") {
            cmd.help = true;
        } else if (option == "--render") {
            cmd.render_path = argv[++i];
            if (cmd.render_path.empty()) {
                error = "--render needs a file name";
                return false;
            }
        } else if (option == "--seconds") {
            if (!read_seconds(argv[++i], cmd.seconds)) {
                error = "--seconds needs a number of seconds above 0 and at most 3600, not '" +
                        std::string(argv[i]) + "'";
                return false;
            }
            seconds_given = true;
        } else if (option == "--remote-port") {
            if (!read_int(argv[++i], 1, 65535, cmd.remote_port)) {
                error = "--remote-port needs a port number from 1 to 65535, not '" +
                        std::string(argv[i]) + "'";
                return false;
            }
        } else if (option == "--block") {
            if (!read_int(argv[++i], MIN_BLOCK_FRAMES, MAX_BLOCK_FRAMES, cmd.block_frames)) {
                error = "--block needs a number of frames from 64 to 3072, not '" +
                        std::string(argv[i]) + "'";
                return false;
            }
            cmd.block_given = true;
        } else if (option == "--midi-in") {
            cmd.midi_source = argv[++i];
            if (cmd.midi_source.empty()) {
                error = "--midi-in needs a part of a MIDI port name";
                return false;
            }
        } else if (option == "--output") {
            if (!parse_output_choices(argv[++i], cmd.outputs, error))
                return false;
        } else if (option == "--remote-local") {
            cmd.remote_local = true;
        } else if (option == "--no-remote") {
            cmd.remote = false;
        } else if (option == "--no-window") {
            cmd.window = false;
        } else {
            error = "unknown option " + option;
            return false;
        }
    }
    if (i < argc && argv[i][0] == '-' && argv[i][1] != '\0') {
        error = "unknown option " + std::string(argv[i]) + " (a patch named so: ./" + argv[i] + ")";
        return false;
    }
    if (i < argc)
        cmd.patch = argv[i++];
    if (i < argc) {
        error = "unexpected argument '" + std::string(argv[i]) +
                "' after the patch file (options come first)";
        return false;
    }
    if (!cmd.render_path.empty() && cmd.patch.empty() && !cmd.help) {
        error = "--render needs a patch file";
        return false;
    }
    if (seconds_given && cmd.render_path.empty()) {
        error = "--seconds is only used with --render";
        return false;
    }
    if (!cmd.render_path.empty() &&
        (cmd.block_given || !cmd.midi_source.empty() || !cmd.outputs.empty())) {
        error = "--block, --midi-in and --output are only used when playing, not with --render";
        return false;
    }
    return true;
}

void print_usage(FILE *out, const char *program)
{
    std::fprintf(out,
                 "Usage: %s [OPTIONS] PATCH.QSY\n"
                 "Plays the modular synthesizer patch PATCH.QSY. At start-up the console asks\n"
                 "for the sound output and its driver (one key each; Escape quits), then the\n"
                 "window opens with the panels of the patch, which plays until Escape (in the\n"
                 "window or on the console) or the end of the console input.\n"
                 "\n"
                 "Options:\n"
                 "  --help              show this text and exit\n"
                 "  --render OUT.wav    render the patch offline into OUT.wav (44100 Hz,\n"
                 "                      16-bit stereo) without sound card, dialog or network\n"
                 "  --seconds S         length of the offline rendering in seconds\n"
                 "                      (default 10, at most 3600)\n"
                 "  --remote-port N     TCP port of the remote control (default %d)\n"
                 "  --remote-local      accept remote-control clients from this machine only\n"
                 "  --no-remote         run without the remote control\n"
                 "  --block N           frames per block of the sound output, 64 to 3072\n"
                 "                      (default 3072, 69.7 ms): smaller blocks make the\n"
                 "                      keys sound sooner and cost more processor time; for\n"
                 "                      OSS, ALSA and No sound (JACK plays in the server's\n"
                 "                      period)\n"
                 "  --midi-in NAME      connect the program's MIDI input to the first MIDI\n"
                 "                      source port whose name contains NAME\n"
                 "  --no-window         play without a window, on the console only\n"
                 "  --output TYPE[:DRIVER][,...]\n"
                 "                      answer the sound dialog: TYPE is oss, jack (the\n"
                 "                      sound daemon entry), alsa or none; DRIVER is the\n"
                 "                      driver's number in the dialog's list or (part of)\n"
                 "                      its name, by default the one called \"default\" or\n"
                 "                      else the first. Choices separated by commas are\n"
                 "                      tried in order (e.g. jack,alsa,none); when none is\n"
                 "                      available the dialog asks\n"
                 "\n"
                 "Sound daemon (menu entry 2) lists the outputs of the running JACK server\n"
                 "(also PipeWire's JACK layer), then the ALSA devices of sound servers. The\n"
                 "JACK client is called \"qmodular\"; the server must run at 44100 Hz.\n"
                 "\n"
                 "MIDI: the program opens the MIDI input port \"midi_in\" (client\n"
                 "\"qmodular-midi\" on JACK when a server runs, else \"qmodular\" on the ALSA\n"
                 "sequencer). Notes play the patch's keyboard modules at their exact pitch,\n"
                 "the newest held note sounding; channels 1, 2 and 3 play KEY_1, KEY_2 and\n"
                 "KEY_3, and a patch with one keyboard hears every channel.\n"
                 "\n"
                 "Installed, the program works in ~/.local/share/qmodular (or\n"
                 "$XDG_DATA_HOME/qmodular), made on first start with the demo patches in its\n"
                 "QSY/: the patches are loaded from there and saved there. A relative\n"
                 "PATCH.QSY is looked for in the current folder first.\n"
                 "\n"
                 "The remote control serves at most %d clients at once; a further client is\n"
                 "told so in one line and disconnected.\n"
                 "\n"
                 "Exit status: 0 after playing or rendering, and when the sound dialog is\n"
                 "left with Escape; 1 on a failure of start-up or of the rendering; 2 when\n"
                 "the remote-control port is taken; 255 without any argument or for a fatal\n"
                 "fault in the patch file; %d for a command line that cannot be used.\n",
                 program, DEFAULT_REMOTE_PORT, MAX_REMOTE_CLIENTS, EXIT_USAGE);
}
