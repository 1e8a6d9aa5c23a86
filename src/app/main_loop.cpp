#include "app/main_loop.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include "app/console.h"
#include "app/load_meter.h"
#include "app/midi_duties.h"
#include "app/output_tap.h"
#include "app/pass_duties.h"
#include "app/patch_history.h"
#include "app/recorder.h"
#include "app/patch_load.h"
#include "app/render_callback.h"
#include "app/scope_view.h"
#include "app/startup.h"
#include "app/stop_signals.h"
#include "app/view_painting.h"
#include "ui/views/back_view.h"
#include "ui/window_sections.h"
#include "ui/dialogs/save_command.h"
#include "engine/font_data.h"
#include "engine/kept_frame.h"
#include "engine/qbiblio.h"
#include "engine/video.h"
#include "panels/controller_bindings.h"
#include "panels/dashboard_row.h"
#include "panels/info_dash.h"
#include "panels/module_dash.h"
#include "ui/dialogs/help_overlay.h"
#include "ui/dialogs/modal_loop.h"
#include "ui/dialogs/name_entry.h"
#include "panels/panel_drawing.h"
#include "panels/panel_lists.h"
#include "panels/sampler_gui.h"
#include "panels/system_dash.h"
#include "ui/views/view_state.h"
#include "synth/generator.h"
#include "ui/views/front_view.h"
#include "ui/views/module_commands.h"
#include "ui/views/sample_command.h"
#include "ui/views/status_line.h"

MAIN_LOOP main_loop;

namespace {

using CLOCK = std::chrono::steady_clock;

// The drawing and event functions take a surface that none of them uses.
SDL_Surface *const buffer = nullptr;
const char *const FONT_FILE = "Fonts/04b_03b_.ttf";

// The CABLES pad: the dashboards take their clicks while the front view is
// drawn, so the switch waits for the start of the next pass, where F6 makes
// it, and the view is drawn whole from there.
void ask_for_other_view() { main_loop.switch_view_owed = true; }

SYSTEM_DASH *system_dash = nullptr; // owned by objets_panel_front

void show_load(int percent)
{
    if (system_dash != nullptr)
        system_dash->show_load(percent);
}

// F7 and the REC pad: a recording of the sound starts, or the one running
// stops; the status line says where it goes, or why it cannot.
void toggle_recording()
{
    if (recorder.recording()) {
        recorder.stop();
        say_in_window("Recorded " + recorder.path());
        return;
    }
    std::string why;
    const std::string path = recording_path(gen->patch_path);
    if (recorder.start(path, main_loop.record_float, why))
        say_in_window("Recording into " + path + ": F7 again stops");
    else
        say_in_window(why);
}

// Every pass: the time recorded on the system dashboard; a recording the disk
// refused stops, saying why.
void follow_recording()
{
    const std::string failure = recorder.failure();
    if (!failure.empty() && recorder.recording()) {
        recorder.stop();
        say_in_window(failure, 10);
        std::printf("%s\n", failure.c_str());
    }
    const double seconds = recorder.recording() ? recorder.seconds() : -1;
    static int shown = -2; // the whole seconds shown
    if (static_cast<int>(seconds) != shown) {
        shown = static_cast<int>(seconds);
        main_loop.redraw_owed = true;
    }
    if (system_dash != nullptr)
        system_dash->show_recording(seconds);
}

// Each inserted at the front of objets_panel_front: the list ends up module,
// system, information; placed in a row under the panels.
void create_dashboards()
{
    information_dash = new INFO_DASH();
    information_dash->remove = ask_to_remove_module;
    OBJET *module_dash = new MODULE_DASH();
    system_dash =
        new SYSTEM_DASH({open_load_dialog, SAVE_QSY, ask_for_other_view, open_help,
                         start_empty_patch, browse_modules, toggle_recording, toggle_midi_clock});
    for (OBJET *dash : {static_cast<OBJET *>(information_dash), static_cast<OBJET *>(system_dash),
                        module_dash})
        objets_panel_front.insert(objets_panel_front.begin(), dash);
    place_dashboards();
}

// The window was uncovered: its picture must be painted again. Peeked only;
// the view's handler takes the event.
bool window_exposed()
{
    SDL_Event e;
    SDL_PumpEvents();
    return SDL_PeepEvents(&e, 1, SDL_PEEKEVENT, SDL_VIDEOEXPOSEMASK) > 0;
}

void swap(bool whole)
{
    SDL_GL_SwapBuffers();
    main_loop.frames++;
    main_loop.whole_frames += whole;
}

// Shows what a paint of a view painted, unless it painted nothing: the parts
// alone where they can be copied to the window, else by a swap.
void show(const REPAINT &painted)
{
    if (!painted.whole && painted.parts.empty())
        return;
    if (painted.whole || !show_parts(painted.parts))
        swap(painted.whole);
    else
        main_loop.frames++;
}

PASS_DRAWING trace_pass()
{
    trace_frame(!main_loop.trace_shown);
    main_loop.trace_shown = true;
    forget_shown_frame();
    swap(true);
    return DREW_TRACE;
}

} // namespace

int build_visible_side()
{
    end_loop_on_signals();
    if (int status = initGL(VIEW_WIDTH, VIEW_HEIGHT, window_title, "grfx/opengl.qim"))
        return status;
    SDL_WM_SetCaption(gen->patch_path, nullptr);
    std::printf("A3\n");
    initialise_gui_from_current();
    read_window_sections(gen->patch_path);
    draw_all_modules(4, 0, objets_globaux, buffer, offsx, offsy, 1);
    std::printf("KK\n");
    create_background_tile();
    std::printf("KK-2\n");
    cover_start_up_screen();
    for (OBJET *panel : objets_globaux) {
        panel->evolue();
        panel->calcule_lasurfaceoccupee();
        panel->toggle_all_draw_flag(1);
        panel->Draw_Scene(buffer);
    }
    offsx = offsy = 0;
    insert_output_delay(gen);
    std::printf("FreeType - Loading all Fonts\n");
    our_font_7.init(FONT_FILE, 6);
    our_font_14.init(FONT_FILE, 12);
    create_dashboards();
    load_dialog = LOAD_QSY;
    patch_orders = {start_empty_patch, undo_patch_edit, redo_patch_edit, toggle_recording};
    patch_saved = note_patch_saved;
    start_patch_history();
    choose_recording = change_recording;
    modal_hooks = {modal_box_duties, paint_current_view, nullptr};
    clear_console();
    CALLBACK_READY.store(1);
    std::printf("Playing [%s]. Press Escape in the window to quit.\n", gen->patch_path);
    std::fflush(stdout);
    main_loop.redraw_owed = true;
    return 0;
}

std::vector<OBJET *> front_event_list()
{
    std::vector<OBJET *> list(objets_panel_front.rbegin(), objets_panel_front.rend());
    list.insert(list.end(), objets_globaux.begin(), objets_globaux.end());
    return list;
}

PASS_DRAWING main_loop_pass()
{
    // Module orders first: they name modules of the patch a load replaces.
    const bool edited = carry_out_module_orders() | carry_out_history_orders();
    bool whole = install_loaded_patch() || edited;
    const bool owed = main_loop.redraw_owed;
    main_loop.redraw_owed = false;
    if (main_loop.switch_view_owed) {
        main_loop.switch_view_owed = false;
        toggle_FILS_view();
        whole = true;
    }
    run_pass_duties();
    if (window_exposed())
        whole = true;
    int r;
    if (DISPLAY_OSCILLO || BACK_VIEW_TOGGLE) {
        r = SDL_PollEVENT_Links(objets_globaux, 1, buffer);
    } else {
        std::vector<OBJET *> list = front_event_list();
        r = SDL_PollEVENT(list, 1, buffer);
    }
    if (DISPLAY_OSCILLO)
        return trace_pass();
    if (main_loop.trace_shown) {
        main_loop.trace_shown = false;
        leave_trace();
        whole = true;
    }
    if (status_changed() || owed || whole)
        r |= VIEW_REDRAW;
    if (r == 0)
        return DREW_NOTHING;
    if (BACK_VIEW_TOGGLE) {
        show(paint_back_view(whole));
        return DREW_BACK_VIEW;
    }
    if (r & VIEW_SCROLLED)
        std::printf("Request of Scroll\n");
    show(paint_front_view(whole));
    return DREW_FRONT_VIEW;
}

void wait_after_pass(PASS_DRAWING drew)
{
    if (drew == DREW_TRACE) {
        CLOCK::time_point &next = main_loop.next_trace;
        next = std::max(next + std::chrono::milliseconds(TRACE_FRAME_MS), CLOCK::now());
        std::this_thread::sleep_until(next);
    } else if (drew == DREW_NOTHING) {
        std::this_thread::sleep_for(std::chrono::milliseconds(IDLE_MS));
    }
}

void run_main_loop()
{
    while (quit) {
        const PASS_DRAWING drew = main_loop_pass();
        // Edits are noted where they show, and when a MIDI controller rests.
        if (drew == DREW_FRONT_VIEW || drew == DREW_BACK_VIEW || controller_came_to_rest())
            note_patch_edits();
        write_recovery_when_due();
        watch_load(show_load);
        follow_recording();
        if (show_midi_clock(system_dash) | take_control_changes())
            main_loop.redraw_owed = true;
        const int key = poll_key(0);
        if (key == KEY_ESCAPE || key == KEY_FAILED || stop_signal)
            quit = 0;
        wait_after_pass(drew);
    }
    write_recovery_now();
    recorder.stop();
}

void close_window()
{
    leave_trace();
    forget_painted_frames();
    release_patch_panels();
    for (OBJET *dash : objets_panel_front)
        delete dash;
    objets_panel_front.clear();
    information_dash = nullptr;
    system_dash = nullptr;
    free_background_tile();
    free_scope();
    our_font_7.clean();
    our_font_14.clean();
    delete bibliotheque_graphique;
    bibliotheque_graphique = nullptr;
    load_dialog = nullptr;
    patch_orders = {};
    patch_saved = nullptr;
    choose_recording = nullptr;
    modal_hooks = MODAL_HOOKS();
    SDL_Quit();
}
