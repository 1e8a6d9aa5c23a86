// Messages of the sound output's error codes.
#pragma once

// The message for an FMOD_ERR_* code; "Unknown error" for any other code.
const char *FMOD_ErrorString(int code);
