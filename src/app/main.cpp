// The synthesizer's entry: plays a patch file live, or renders it offline.
#include <csignal>
#include <cstdio>
#include <string>

#include "app/command_line.h"
#include "app/console.h"
#include "app/console_loop.h"
#include "app/main_loop.h"
#include "app/offline_render.h"
#include "app/patch_history.h"
#include "app/recovery.h"
#include "app/render_callback.h"
#include "app/startup.h"
#include "app/user_folder.h"
#include "ui/views/status_line.h"
#include "ui/views/view_state.h"

namespace {

// What start-up has to tell the user, on the console and in the window for
// a while.
void tell(const std::string &news)
{
    if (news.empty())
        return;
    std::printf("%s\n", news.c_str());
    std::fflush(stdout);
    say_in_window(news, 20);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::printf("Supply a synthethiseur file .QSY (QSYOrgue.QSY for eg)");
        getch();
        return -1;
    }

    CommandLine cmd;
    std::string error;
    if (!parse_command_line(argc, argv, cmd, error)) {
        std::fprintf(stderr, "qmodular: %s\nTry '%s --help' for the options.\n", error.c_str(),
                     argv[0]);
        return EXIT_USAGE;
    }
    if (cmd.help) {
        print_usage(stdout, argv[0]);
        return 0;
    }
    // The title names the patch as the user gave it.
    std::snprintf(window_title, sizeof window_title, "Vorn ENGINE & Q_Modular - Synthesizer [%s]",
                  cmd.patch.c_str());
    if (!enter_user_folder(cmd, error)) {
        std::fprintf(stderr, "qmodular: %s\n", error.c_str());
        return 1;
    }
    if (!cmd.render_path.empty())
        return render_offline(cmd);

    MOVING_OBJET = -1;
    DISPLAY_OSCILLO = 0;
    // A file grown past the process's size limit is a failed write the
    // recorder reports, not the end of the program.
    std::signal(SIGXFSZ, SIG_IGN);
    // Edits a crash or a kill left in the recovery file come back first.
    const std::string recovered = recover_edits(cmd.patch);
    set_autosave_seconds(cmd.autosave_seconds);
    main_loop.record_float = cmd.record_float;
    // A failure anywhere in start-up ends the program with its status, once
    // what was opened (the stream, the remote control's threads, the window)
    // is closed.
    int status = 0;
    const bool playing = init_Q_MODULAR(cmd, status);
    const bool windowed = playing && cmd.window;
    if (windowed) {
        status = build_visible_side();
        if (status == 0) {
            tell(recovered);
            run_main_loop();
        }
    } else if (playing) {
        tell(recovered);
        play_until_escape();
    }
    shutdown_Q_MODULAR();
    if (windowed)
        close_window();
    return status;
}
