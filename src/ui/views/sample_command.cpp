#include "ui/views/sample_command.h"

#include "panels/sampler_gui.h"
#include "patch/sample_loader.h"
#include "ui/dialogs/sample_chooser.h"
#include "ui/views/status_line.h"
#include "ui/views/view_state.h"

void change_recording(SAMPLER &sampler)
{
    const std::string path = choose_sample(sampler.name, sampler.file);
    forget_view_picks();
    if (!path.empty())
        play_recording_file(sampler, path);
}

bool play_recording_file(SAMPLER &sampler, const std::string &path)
{
    const std::string kept = file_display(sampler.file, SAMPLER_GUI::FILE_CHARS);
    const std::string why = load_sample(sampler, path.c_str());
    const std::string name = sampler.name;
    if (why.empty())
        say_in_window(name + " plays " + path);
    else if (sampler.recording() == nullptr)
        say_in_window(name + " stays silent: " + why);
    else
        say_in_window(name + " keeps " + kept + ": " + why);
    return why.empty();
}
