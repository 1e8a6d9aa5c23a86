// The output types of the sound layer (audio/fsound.h), by the numbers of the
// FSOUND calls, and so of the sound dialog. Apart from fsound.h so that the
// device lists (audio/output_devices.h) can name them without the layer
// built on those lists.
#pragma once

enum {
    FSOUND_OUTPUT_NOSOUND = 0,
    FSOUND_OUTPUT_WINMM = 1,
    FSOUND_OUTPUT_DSOUND = 2,
    FSOUND_OUTPUT_A3D = 3,
    FSOUND_OUTPUT_OSS = 4,
    FSOUND_OUTPUT_ESD = 5,
    FSOUND_OUTPUT_ALSA = 6,
    FSOUND_OUTPUT_ASIO = 7,
};
