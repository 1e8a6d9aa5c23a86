// Start-up of the synthesis side, the sound output and the remote-control
// listener, and their shutdown.
#pragma once

#include "audio/fsound.h"

struct CommandLine;

// "Vorn ENGINE & Q_Modular - Synthesizer [<patch>]", for the window.
extern char window_title[1024];
// The running output stream; null before start-up and after shutdown.
extern FSOUND_STREAM *output_stream;

// Builds the patch of cmd.patch into gen with the output tap on its output mixer,
// runs the sound dialog, opens the remote-control listener (unless disabled),
// starts the output stream in blocks of cmd.block_frames (a JACK output plays
// in the server's period and says so), which stays silent until
// CALLBACK_READY is 1, and opens the MIDI input (saying what it opened).
// Returns 1 on success, 0 when no patch file was given (after a message and a
// key). Every other failure prints its message and ends the process (status
// 1 for a patch file that cannot be read, before the sound dialog).
int init_Q_MODULAR(const CommandLine &cmd);

// Closes the MIDI input, the stream and the sound output, the remote
// control, and frees the patch.
void shutdown_Q_MODULAR();
