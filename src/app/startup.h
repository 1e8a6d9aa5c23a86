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
// Returns true when the patch plays. Otherwise, after the message, false
// with the exit status in status: 1 when no patch file was given (after a
// key), or it cannot be read or is not a patch (before the sound dialog), or
// the stream cannot start; the load status of a fatal fault in the patch
// (both refusals of the file say why on the error output); 0 when the user
// leaves the sound dialog; the remote listener's status when it cannot
// listen. What was opened before stays open for shutdown_Q_MODULAR().
bool init_Q_MODULAR(const CommandLine &cmd, int &status);

// Closes the MIDI input, the stream and the sound output, the remote
// control, and frees the patch; whatever of them start-up opened.
void shutdown_Q_MODULAR();
