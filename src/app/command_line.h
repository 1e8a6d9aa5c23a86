// The program's command line: options first, then the patch file.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "app/output_choice.h"

constexpr int DEFAULT_REMOTE_PORT = 9999;
// Exit status of a command line that cannot be used (EX_USAGE of sysexits.h),
// apart from the statuses of start-up (1 failure, 2 remote port taken).
constexpr int EXIT_USAGE = 64;
// The range of --block, in frames, and its default: the largest blocks,
// safe on a busy machine.
constexpr int MIN_BLOCK_FRAMES = 64;
constexpr int MAX_BLOCK_FRAMES = 3072;
constexpr int DEFAULT_BLOCK_FRAMES = MAX_BLOCK_FRAMES;
constexpr double DEFAULT_RENDER_SECONDS = 10.0;
// How often unsaved edits are written to the recovery file, in seconds.
constexpr int DEFAULT_AUTOSAVE_SECONDS = 30;
constexpr int MAX_AUTOSAVE_SECONDS = 3600;

struct CommandLine {
    std::string patch; // empty when none was given
    bool help = false;
    std::string render_path;                 // --render: offline rendering into this WAV file
    double seconds = DEFAULT_RENDER_SECONDS; // --seconds: length of the offline rendering
    bool seconds_given = false;              // --seconds was given: it needs --render
    int remote_port = DEFAULT_REMOTE_PORT;
    bool remote_local = false;               // listen on 127.0.0.1 only
    bool remote = true;                      // --no-remote clears it
    int block_frames = DEFAULT_BLOCK_FRAMES; // --block: frames per block of the sound output
    bool block_given = false;
    bool midi_clock = false;           // --midi-clock: the sequencers follow the MIDI clock
    std::string midi_source;           // --midi-in: connect the first MIDI source holding this
    bool window = true;                // --no-window clears it: the console loop plays
    std::vector<OutputChoice> outputs; // --output: answers to the sound dialog, in order
    int autosave_seconds = DEFAULT_AUTOSAVE_SECONDS; // --autosave
    bool record_float = false;                       // --record-float: recordings in 32-bit float
};

// Reads argv into cmd, the options from one table that --help reads too.
// Returns false with a message in error when the command
// line is not valid; --render without a patch file is not.
bool parse_command_line(int argc, char **argv, CommandLine &cmd, std::string &error);

// The --help text.
void print_usage(FILE *out, const char *program);
