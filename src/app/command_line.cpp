#include "app/command_line.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <utility>

#include "remote/remote_server.h"

namespace {

constexpr double MAX_RENDER_SECONDS = 3600.0;
constexpr int MAX_PORT = 65535;

// How an option's value is read.
enum class Kind {
    FLAG,   // no value
    TEXT,   // any text but an empty one
    WHOLE,  // a whole number from low to high
    REAL,   // a number above low and at most high
    OUTPUTS // the answers to the sound dialog (app/output_choice.h)
};

struct Value {
    const char *text;
    double number;
    std::vector<OutputChoice> outputs;
};

// One option, as the parser reads it and --help shows it.
struct Option {
    const char *name;
    const char *argument; // the value's name in --help; null for a FLAG
    Kind kind;
    const char *needs; // what the value is, for the error message
    // The --help text, lines apart by '\n'; "{low}", "{high}" and "{default}"
    // stand for the numbers below.
    const char *help;
    void (*store)(CommandLine &cmd, const Value &value);
    double low = 0, high = 0, fallback = 0; // a number's limits and default
};

// In the order --help lists them.
const Option OPTIONS[] = {
    {"--help", nullptr, Kind::FLAG, nullptr, "show this text and exit",
     [](CommandLine &cmd, const Value &) { cmd.help = true; }},
    {"--render", "OUT.wav", Kind::TEXT, "a file name",
     "render the patch offline into OUT.wav (44100 Hz,\n"
     "16-bit stereo) without sound card, dialog or network",
     [](CommandLine &cmd, const Value &v) { cmd.render_path = v.text; }},
    {"--seconds", "S", Kind::REAL, "a number of seconds",
     "length of the offline rendering in seconds\n"
     "(default {default}, at most {high})",
     [](CommandLine &cmd, const Value &v) {
         cmd.seconds = v.number;
         cmd.seconds_given = true;
     },
     0, MAX_RENDER_SECONDS, DEFAULT_RENDER_SECONDS},
    {"--remote-port", "N", Kind::WHOLE, "a port number",
     "TCP port of the remote control (default {default})",
     [](CommandLine &cmd, const Value &v) { cmd.remote_port = static_cast<int>(v.number); }, 1,
     MAX_PORT, DEFAULT_REMOTE_PORT},
    {"--remote-local", nullptr, Kind::FLAG, nullptr,
     "accept remote-control clients from this machine only",
     [](CommandLine &cmd, const Value &) { cmd.remote_local = true; }},
    {"--no-remote", nullptr, Kind::FLAG, nullptr, "run without the remote control",
     [](CommandLine &cmd, const Value &) { cmd.remote = false; }},
    {"--block", "N", Kind::WHOLE, "a number of frames",
     "frames per block of the sound output, {low} to {high}\n"
     "(default {default}, 69.7 ms): smaller blocks make the\n"
     "keys sound sooner and cost more processor time; for\n"
     "OSS, ALSA and No sound (JACK plays in the server's\n"
     "period)",
     [](CommandLine &cmd, const Value &v) {
         cmd.block_frames = static_cast<int>(v.number);
         cmd.block_given = true;
     },
     MIN_BLOCK_FRAMES, MAX_BLOCK_FRAMES, DEFAULT_BLOCK_FRAMES},
    {"--midi-in", "NAME", Kind::TEXT, "a part of a MIDI port name",
     "connect the program's MIDI input to the first MIDI\n"
     "source port whose name contains NAME",
     [](CommandLine &cmd, const Value &v) { cmd.midi_source = v.text; }},
    {"--midi-clock", nullptr, Kind::FLAG, nullptr,
     "the sequencers follow the MIDI clock coming in (a\n"
     "divider of 1 plays a step each sixteenth note)",
     [](CommandLine &cmd, const Value &) { cmd.midi_clock = true; }},
    {"--no-window", nullptr, Kind::FLAG, nullptr, "play without a window, on the console only",
     [](CommandLine &cmd, const Value &) { cmd.window = false; }},
    {"--autosave", "S", Kind::WHOLE, "a number of seconds",
     "write unsaved edits to the recovery file every S\n"
     "seconds, {low} to {high} (default {default})",
     [](CommandLine &cmd, const Value &v) { cmd.autosave_seconds = static_cast<int>(v.number); },
     1, MAX_AUTOSAVE_SECONDS, DEFAULT_AUTOSAVE_SECONDS},
    {"--record-float", nullptr, Kind::FLAG, nullptr,
     "record (F7) in 32-bit float samples instead of\n16-bit",
     [](CommandLine &cmd, const Value &) { cmd.record_float = true; }},
    {"--output", "TYPE[:DRIVER][,...]", Kind::OUTPUTS, nullptr,
     "answer the sound dialog: TYPE is oss, jack (the\n"
     "sound daemon entry), alsa or none; DRIVER is the\n"
     "driver's number in the dialog's list or (part of)\n"
     "its name, by default the one called \"default\" or\n"
     "else the first. Choices separated by commas are\n"
     "tried in order (e.g. jack,alsa,none); when none is\n"
     "available the dialog asks",
     [](CommandLine &cmd, const Value &v) { cmd.outputs = v.outputs; }},
};

// --help: the names in a column of HEAD_WIDTH after two spaces, the help
// text two spaces further; a longer name has its text on the next lines.
constexpr int HEAD_WIDTH = 18;
constexpr int HELP_INDENT = 2 + HEAD_WIDTH + 2;

const Option *find_option(const std::string &name)
{
    for (const Option &option : OPTIONS)
        if (name == option.name)
            return &option;
    return nullptr;
}

// text with the option's numbers in place of "{low}", "{high}" and "{default}".
std::string with_numbers(const std::string &text, const Option &option)
{
    const std::pair<const char *, double> numbers[] = {
        {"{low}", option.low}, {"{high}", option.high}, {"{default}", option.fallback}};
    std::string filled = text;
    for (const auto &[mark, number] : numbers) {
        char digits[32];
        std::snprintf(digits, sizeof digits, "%g", number);
        for (std::size_t at = filled.find(mark); at != std::string::npos; at = filled.find(mark))
            filled.replace(at, std::strlen(mark), digits);
    }
    return filled;
}

bool read_whole(const char *text, double &number)
{
    char *end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0')
        return false;
    number = static_cast<double>(value);
    return true;
}

bool read_real(const char *text, double &number)
{
    char *end = nullptr;
    errno = 0;
    number = std::strtod(text, &end);
    return errno == 0 && end != text && *end == '\0';
}

// Reads text as the option's value; false with the reason in error when it
// is not one. A number's reason gives its limits and quotes what was given.
bool read_value(const Option &option, const char *text, Value &value, std::string &error)
{
    value.text = text;
    const char *limits = "";
    switch (option.kind) {
    case Kind::FLAG:
        return true;
    case Kind::TEXT:
        if (*text != '\0')
            return true;
        break;
    case Kind::WHOLE:
        if (read_whole(text, value.number) && value.number >= option.low &&
            value.number <= option.high)
            return true;
        limits = " from {low} to {high}";
        break;
    case Kind::REAL:
        // A value that is not a number (nan) fails both comparisons.
        if (read_real(text, value.number) && value.number > option.low &&
            value.number <= option.high)
            return true;
        limits = " above {low} and at most {high}";
        break;
    case Kind::OUTPUTS:
        return parse_output_choices(text, value.outputs, error);
    }
    error = std::string(option.name) + " needs " +
            with_numbers(std::string(option.needs) + limits, option);
    if (*limits != '\0')
        error += ", not '" + std::string(text) + "'";
    return false;
}

void print_option(FILE *out, const Option &option)
{
    std::string head = option.name;
    if (option.argument)
        head += std::string(" ") + option.argument;
    std::istringstream lines(with_numbers(option.help, option));
    std::string line;
    // A head too wide for its column stands on a line of its own.
    if (head.size() > static_cast<std::size_t>(HEAD_WIDTH))
        std::fprintf(out, "  %s\n", head.c_str());
    else if (std::getline(lines, line))
        std::fprintf(out, "  %-*s  %s\n", HEAD_WIDTH, head.c_str(), line.c_str());
    while (std::getline(lines, line))
        std::fprintf(out, "%*s%s\n", HELP_INDENT, "", line.c_str());
}

} // namespace

bool parse_command_line(int argc, char **argv, CommandLine &cmd, std::string &error)
{
    int i = 1;
    for (; i < argc && std::strncmp(argv[i], "--", 2) == 0; ++i) {
        const std::string name = argv[i];
        const Option *option = find_option(name);
        if (!option) {
            error = "unknown option " + name;
            return false;
        }
        if (option->argument && i + 1 >= argc) {
            error = name + " needs a value";
            return false;
        }
        Value value;
        if (!read_value(*option, option->argument ? argv[++i] : "", value, error))
            return false;
        option->store(cmd, value);
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
    if (cmd.seconds_given && cmd.render_path.empty()) {
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
                 "Options:\n",
                 program);
    for (const Option &option : OPTIONS)
        print_option(out, option);
    std::fprintf(out,
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
                 MAX_REMOTE_CLIENTS, EXIT_USAGE);
}
