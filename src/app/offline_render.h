// Rendering a patch into a WAV file, without sound card, dialog or network.
#pragma once

#include <cstdint>
#include <string>

struct CommandLine;

// Makes the patch of path the running patch gen, wired as start-up wires it
// (output tap and output delay), and lets the callback compute. Returns false,
// with a message on standard error, when the file cannot be read or holds a
// fatal fault; status then holds the exit status to end with.
bool start_patch_offline(const std::string &path, int &status);

// Stops the callback and frees the running patch.
void stop_patch_offline();

// Computes frames of sound into interleaved stereo samples through
// instrument_callback, in blocks of BufferSize bytes, the last one cut short.
void render_frames(int16_t *samples, long frames);

// Renders cmd.seconds of cmd.patch (never empty, the command line sees to
// that) into cmd.render_path. Returns the exit
// status: 0 on success, non-zero after a message on any error.
int render_offline(const CommandLine &cmd);
