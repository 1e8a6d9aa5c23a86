#include "app/sound_dialog.h"

#include <cstdio>
#include <string>

#include "app/console.h"
#include "app/fmod_errors.h"
#include "app/output_choice.h"
#include "app/render_callback.h"
#include "audio/fsound.h"

namespace {

constexpr float NEEDED_VERSION = 3.74f;
const char *const RULE = "---------------------------------------------------------\n";
const char *const CHOOSE = "Press a corresponding number or ESC to quit\n";

const char *output_name(int output_type)
{
    switch (output_type) {
    case FSOUND_OUTPUT_NOSOUND:
        return "NoSound";
    case FSOUND_OUTPUT_WINMM:
        return "Windows Multimedia Waveout";
    case FSOUND_OUTPUT_DSOUND:
        return "Direct Sound";
    case FSOUND_OUTPUT_OSS:
        return "Open Sound System";
    case FSOUND_OUTPUT_ESD:
        return "Enlightment Sound Daemon";
    case FSOUND_OUTPUT_ALSA:
        return "Alsa";
    case FSOUND_OUTPUT_ASIO:
        return "ASIO";
    default:
        return "";
    }
}

// False when the user leaves the dialog.
bool choose_output_type()
{
    std::printf("%sOutput Type\n%s", RULE, RULE);
    std::printf("1 - OSS - Open Sound System\n");
    std::printf("2 - ESD - Elightment Sound Daemon\n");
    std::printf("3 - ALSA 0.9 - Advanced Linux Sound Architecture\n");
    std::printf("4 - NoSound\n");
    std::printf("%s%s", RULE, CHOOSE);

    switch (getch()) {
    case '1':
        FSOUND_SetOutput(FSOUND_OUTPUT_OSS);
        break;
    case '2':
        FSOUND_SetOutput(FSOUND_OUTPUT_ESD);
        break;
    case '3':
        FSOUND_SetOutput(FSOUND_OUTPUT_ALSA);
        break;
    case '4':
        FSOUND_SetOutput(FSOUND_OUTPUT_NOSOUND);
        break;
    default:
        return false;
    }
    return true;
}

// What the driver menu came to.
enum DRIVER_MENU_END { DRIVER_CHOSEN, NO_DRIVER, MENU_LEFT };

// NO_DRIVER when the output type has no driver to offer, after saying so.
DRIVER_MENU_END choose_driver()
{
    std::printf("%s%s Driver list\n%s", RULE, output_name(FSOUND_GetOutput()), RULE);
    // The sound daemon is the JACK server: it is refused, in one line, when
    // none runs or when it runs at another rate than the stream's (its
    // outputs would play at the wrong pitch).
    if (FSOUND_GetOutput() == FSOUND_OUTPUT_ESD) {
        std::string problem = jack_server_problem(Frequency);
        if (!problem.empty()) {
            std::printf("%s\n", problem.c_str());
            return NO_DRIVER;
        }
    }
    int count = FSOUND_GetNumDrivers();
    for (int i = 0; i < count; ++i)
        std::printf("%d - %s\n", i + 1, FSOUND_GetDriverName(i));
    std::printf("%s", RULE);
    if (count == 0) {
        std::printf("No driver found for this output type\n");
        return NO_DRIVER;
    }
    std::printf("%s", CHOOSE);

    for (;;) {
        int key = getch();
        if (key == KEY_ESCAPE || key == KEY_FAILED)
            return MENU_LEFT;
        int driver = key - '1';
        if (driver >= 0 && driver < count) {
            FSOUND_SetDriver(driver);
            return DRIVER_CHOSEN;
        }
    }
}

// The first of the command line's choices that opens, saying which; false
// when none does, after saying why each did not.
bool open_first_choice(const std::vector<OutputChoice> &choices)
{
    for (const OutputChoice &choice : choices) {
        int driver = 0;
        std::string problem = open_output_choice(choice, Frequency, driver);
        if (problem.empty()) {
            std::printf("Sound output %s: %s, driver %d - %s\n", choice.text.c_str(),
                        output_name(FSOUND_GetOutput()), driver + 1, FSOUND_GetDriverName(driver));
            return true;
        }
        std::printf("Sound output %s is not available: %s\n", choice.text.c_str(), problem.c_str());
    }
    return false;
}

} // namespace

SOUND_DIALOG_END init_sound(const std::vector<OutputChoice> &choices)
{
    if (FSOUND_GetVersion() < NEEDED_VERSION) {
        std::printf(
            "Error : You are using the wrong DLL version!  You should be using FMOD %.02f\n",
            NEEDED_VERSION);
        return SOUND_NOT_OPENED;
    }
    if (open_first_choice(choices))
        return SOUND_OPENED;
    // A type this machine has no driver for, or a sound daemon that cannot
    // be used, sends the user back to the first menu to pick another one.
    DRIVER_MENU_END driver = NO_DRIVER;
    while (driver == NO_DRIVER) {
        if (!choose_output_type())
            return SOUND_DIALOG_LEFT;
        driver = choose_driver();
    }
    if (driver == MENU_LEFT)
        return SOUND_DIALOG_LEFT;
    if (!FSOUND_Init(Frequency, 32, 0)) {
        std::printf("Error!\n%s\n", FMOD_ErrorString(FSOUND_GetError()));
        return SOUND_NOT_OPENED;
    }
    return SOUND_OPENED;
}
