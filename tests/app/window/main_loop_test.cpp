// The window's main loop built as the program builds it, over a real patch,
// driven pass by pass with real SDL events: what a pass draws, the front
// view's event list, the lazy cable list, the oscilloscope, and loading a
// patch through F3 and the dialog.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

#include "app/main_loop.h"
#include "app/oscilloscope.h"
#include "app/patch_load.h"
#include "app/patch_swap.h"
#include "app/render_callback.h"
#include "ui/views/view_test_helpers.h"
#include "app/scope_feed.h"
#include "app/view_painting.h"
#include "cables/cable_list.h"
#include "engine/kept_frame.h"
#include "engine/slider.h"
#include "engine/video.h"
#include "panels/info_dash.h"
#include "panels/module_dash.h"
#include "panels/panel_drawing.h"
#include "panels/panel_lists.h"
#include "panels/system_dash.h"
#include "ui/views/status_line.h"
#include "ui/views/view_state.h"
#include "support/temp_dir.h"
#include "synth/generator.h"
#include "synth/note2freq.h"
#include "ui/dialogs/load_dialog.h"
#include "ui/dialogs/file_listing.h"

namespace {

const char *const PATCH = "BEGIN_OBJECTS_DECLARE\n"
                          "VCO_1;TYPE=1;FREQ=440.000000;AMOUNT=0.50;PHASE=0;\n"
                          "VCO_2;TYPE=1;FREQ=2.000000;AMOUNT=0.50;PHASE=0;\n"
                          "MIXER_4;;\n"
                          "END_OBJECTS_DECLARE\n"
                          "BEGIN_LINKS_DECLARE\n"
                          "VCO_1;MOD_AMP=VCO_2;\n"
                          "MIXER_4;ADD_CHANELL=VCO_1;\n"
                          "END_LINKS_DECLARE\n";

// The program's window over PATCH, built by the first test and closed, as
// the program closes it, after the last.
struct PROGRAM {
    TempDir dir;
    PROGRAM()
    {
        fill_NOTE2FREQ();
        EXPECT_EQ(0, load_running_patch(dir.write("LOOP.QSY", PATCH).c_str(), stdout));
        build_visible_side();
    }
    ~PROGRAM()
    {
        close_window();
        stop_rendering();
        discard_patch(gen);
        gen = nullptr;
    }
};
PROGRAM *program = nullptr;

struct CLOSE_AT_THE_END : ::testing::Environment {
    void TearDown() override { delete program; }
};
const auto *const close_at_the_end = ::testing::AddGlobalTestEnvironment(new CLOSE_AT_THE_END);

void press(SDLKey sym) { view_test::key(SDL_KEYDOWN, sym); }

// The front view in the front window, nothing waiting, nothing owed.
class MainLoop : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (program == nullptr)
            program = new PROGRAM;
        DISPLAY_OSCILLO = 0;
        if (BACK_VIEW_TOGGLE)
            toggle_FILS_view();
        for (int i = 0; i < 3 && main_loop_pass() != DREW_NOTHING; i++) {
        }
        view_test::drain();
        ASSERT_EQ(DREW_NOTHING, main_loop_pass());
    }
};

TEST_F(MainLoop, APassWithoutEventsDrawsNothingInEitherView)
{
    for (SDLKey view_key : {SDLK_F11, SDLK_F6}) {
        // F11 does nothing but ask for a redraw, which finds nothing changed
        // and shows no frame; F6 turns to the back, shown whole.
        press(view_key);
        const unsigned long frames = main_loop.frames + (view_key == SDLK_F6);
        EXPECT_EQ(view_key == SDLK_F6 ? DREW_BACK_VIEW : DREW_FRONT_VIEW, main_loop_pass());
        EXPECT_EQ(frames, main_loop.frames);
        for (int i = 0; i < 3; i++)
            EXPECT_EQ(DREW_NOTHING, main_loop_pass());
        EXPECT_EQ(frames, main_loop.frames);
    }
}

TEST_F(MainLoop, TheFrontViewsEventsGoToInformationSystemModuleThenThePanels)
{
    const std::vector<OBJET *> list = front_event_list();
    ASSERT_EQ(3 + objets_globaux.size(), list.size());
    EXPECT_EQ(information_dash, list[0]);
    EXPECT_NE(nullptr, dynamic_cast<SYSTEM_DASH *>(list[1]));
    EXPECT_NE(nullptr, dynamic_cast<MODULE_DASH *>(list[2]));
    EXPECT_TRUE(std::equal(objets_globaux.begin(), objets_globaux.end(), list.begin() + 3));
}

TEST_F(MainLoop, TheCableListIsRebuiltOnceAfterAChange)
{
    press(SDLK_F6);
    main_loop_pass();
    link_not_created = 1;
    const unsigned long rebuilds = cable_list_rebuilds;
    for (int i = 0; i < 3; i++) {
        press(SDLK_F11);
        EXPECT_EQ(DREW_BACK_VIEW, main_loop_pass());
    }
    EXPECT_EQ(rebuilds + 1, cable_list_rebuilds);
    EXPECT_EQ(2u, liens.size()); // the modulation and the mixer channel
}

// The CABLES pad shows exactly what F6 shows: the backs, the cables, no
// dashboard, drawn whole at once.
TEST_F(MainLoop, TheCablesPadShowsWhatF6Shows)
{
    press(SDLK_F6);
    ASSERT_EQ(DREW_BACK_VIEW, main_loop_pass());
    const std::vector<uint32_t> by_key = view_test::window_picture();
    press(SDLK_F6);
    ASSERT_EQ(DREW_FRONT_VIEW, main_loop_pass());
    OBJET *system = front_event_list()[1];
    const SPRITE *pad = system->get_SPRITE_by_name("BUTTON_FILS");
    ASSERT_NE(nullptr, pad);
    const view_test::POINT at = {static_cast<int>(system->x + pad->x + pad->w / 2),
                                 static_cast<int>(system->y + pad->y + pad->h / 2)};
    offsy = std::max(0, at.y - 600); // the dashboards' row in view
    view_test::motion(at);
    view_test::button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, at);
    view_test::button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, at);
    main_loop_pass(); // the front view takes the click as it draws
    offsy = 0;
    EXPECT_EQ(DREW_BACK_VIEW, main_loop_pass());
    EXPECT_TRUE(view_test::window_picture() == by_key);
}

TEST_F(MainLoop, TheOscilloscopeShowsOnlyTheTraceAndStillTakesEvents)
{
    press(SDLK_F1);
    EXPECT_EQ(DREW_TRACE, main_loop_pass());
    std::vector<unsigned char> block(BufferSize);
    for (int i = 0; i < 30; i++) // about two seconds of sound
        instrument_callback(nullptr, block.data(), BufferSize, nullptr);
    const unsigned long frames = main_loop.frames;
    EXPECT_EQ(DREW_TRACE, main_loop_pass()); // every pass, events or not
    EXPECT_EQ(frames + 1, main_loop.frames);

    const std::vector<uint32_t> picture = view_test::window_picture();
    const int end = static_cast<int>(30 * 3072 * 0.004f); // where the trace has got to
    std::set<uint32_t> colours;
    int bars = 0;
    for (int y = 40; y < VIEW_HEIGHT; y++) // below the zoom text
        for (int x = 0; x < VIEW_WIDTH; x++) {
            const uint32_t c = picture[y * VIEW_WIDTH + x];
            colours.insert(c);
            bars += c == OSCILLOSCOPE::BAR;
            if (x > end + 1) {
                EXPECT_EQ(OSCILLOSCOPE::BACKGROUND, c) << x << "," << y;
            }
        }
    // Nothing but the trace: no tile, no panel.
    for (uint32_t c : {OSCILLOSCOPE::BACKGROUND, OSCILLOSCOPE::BAR, OSCILLOSCOPE::TIP})
        colours.erase(c);
    EXPECT_TRUE(colours.empty()) << colours.size() << " other colours";
    EXPECT_GT(bars, end * 20);

    press(SDLK_F1);
    EXPECT_EQ(DREW_FRONT_VIEW, main_loop_pass());
    instrument_callback(nullptr, block.data(), BufferSize, nullptr);
    float sample;
    EXPECT_EQ(0, scope_feed.read(&sample, 1)); // nobody watches any more
}

// The row of the load dialog that shows name, the listing as the dialog reads it.
int dialog_row(const char *name)
{
    const std::vector<std::string> names = list_patches(PATCH_DIRECTORY).names;
    const auto at = std::find(names.begin(), names.end(), name);
    EXPECT_NE(names.end(), at) << name;
    return static_cast<int>(at - names.begin());
}

void click_dialog_row(int row)
{
    const view_test::POINT p = {LOAD_DIALOG::WINDOW_X + LOAD_DIALOG::ROW_X + 60,
                                LOAD_DIALOG::WINDOW_Y + LOAD_DIALOG::ROW_Y +
                                    LOAD_DIALOG::ROW_PITCH * row + 3};
    view_test::motion(p);
    view_test::button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, p);
    view_test::button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, p);
}

TEST_F(MainLoop, EscapeInTheLoadDialogKeepsThePatchAndTheProgram)
{
    GENERATOR *playing = gen;
    press(SDLK_F3);
    view_test::key(SDL_KEYDOWN, SDLK_ESCAPE);
    view_test::key(SDL_KEYUP, SDLK_ESCAPE);
    main_loop_pass();
    EXPECT_EQ(DREW_NOTHING, main_loop_pass());
    EXPECT_EQ(playing, gen);
    EXPECT_EQ(1, quit);
}

TEST_F(MainLoop, AFileThatCannotReplaceThePatchLeavesItPlaying)
{
    TempDir dir;
    dir.write("BROKEN.QSY", "BEGIN_OBJECTS_DECLARE\nVCO_1;;TYPE=2;\nEND_OBJECTS_DECLARE\n");
    mkdir(dir.path("FOLDER.QSY").c_str(), 0755);
    GENERATOR *playing = gen;
    const std::string caption = SDL_GetVideoSurface() ? gen->patch_path : "";
    struct CASE {
        const char *file, *why;
    } cases[] = {
        {"BROKEN.QSY", "BROKEN.QSY, line 2: empty field in the declaration of VCO_1"},
        {"MISSING.QSY", "Cannot read"},
        {"FOLDER.QSY", "is not a patch file"},
    };
    for (const CASE &c : cases) {
        std::string why;
        EXPECT_EQ(nullptr, build_patch_for_loading(dir.path(c.file), why)) << c.file;
        EXPECT_NE(std::string::npos, why.find(c.why)) << why;
        char *title = nullptr;
        SDL_WM_GetCaption(&title, nullptr);
        EXPECT_STREQ(caption.c_str(), title) << c.file;
    }
    EXPECT_FALSE(install_loaded_patch());
    EXPECT_EQ(playing, gen);
}

// A file of random bytes chosen in the load dialog with real events: the
// dialog and the console say why, and the patch playing goes on.
TEST_F(MainLoop, TheLoadDialogRefusesAFileThatIsNotAPatchAndSaysWhy)
{
    const std::string data = std::filesystem::current_path();
    TempDir dir;
    ASSERT_EQ(0, symlink((data + "/RC").c_str(), dir.path("RC").c_str()));
    mkdir(dir.path("QSY").c_str(), 0755);
    std::mt19937 bytes(7);
    std::string random(2048, ' ');
    for (char &c : random)
        c = static_cast<char>(bytes());
    dir.write("QSY/RANDOM.QSY", random);
    ASSERT_EQ(0, chdir(dir.path("").c_str()));
    GENERATOR *playing = gen;
    LOAD_DIALOG dialog(list_patches(PATCH_DIRECTORY));
    click_dialog_row(0);
    view_test::key(SDL_KEYDOWN, SDLK_ESCAPE);
    view_test::key(SDL_KEYUP, SDLK_ESCAPE);

    testing::internal::CaptureStdout();
    EXPECT_FALSE(run_load_dialog(dialog, load_chosen_patch));
    const std::string console = testing::internal::GetCapturedStdout();
    ASSERT_EQ(0, chdir(data.c_str()));

    const std::string why = "QSY/RANDOM.QSY, not a patch file: it declares no module";
    EXPECT_EQ(why, dialog.message->text);
    EXPECT_NE(std::string::npos, console.find(why + "\n")) << console;
    EXPECT_FALSE(install_loaded_patch());
    EXPECT_EQ(playing, gen);
}

TEST_F(MainLoop, ALoadedPatchReplacesTheRunningOneAtTheNextPassAsStartUpShowsItWithItsCables)
{
    press(SDLK_F6); // from the back view
    main_loop_pass();
    press(SDLK_F3);
    click_dialog_row(dialog_row("MODULAR.QSY"));
    main_loop_pass(); // the dialog ran inside the back view's handler
    EXPECT_STRNE("QSY/MODULAR.QSY", gen->patch_path);

    EXPECT_EQ(DREW_FRONT_VIEW, main_loop_pass());
    EXPECT_STREQ("QSY/MODULAR.QSY", gen->patch_path);
    char *title = nullptr;
    SDL_WM_GetCaption(&title, nullptr);
    EXPECT_STREQ("QSY/MODULAR.QSY", title);
    EXPECT_EQ(0, BACK_VIEW_TOGGLE);
    EXPECT_EQ(12u, objets_globaux.size()); // one panel per module
    for (OBJET *panel : objets_globaux)
        EXPECT_EQ(OBJET::VIEW_FRONT, panel->view_mode) << panel->name;
    EXPECT_EQ(nullptr, information_dash->cible);

    press(SDLK_F6);
    EXPECT_EQ(DREW_BACK_VIEW, main_loop_pass());
    // Every connection of the file but the sequencer's sync input.
    EXPECT_EQ(16u, liens.size());
    for (const LINK *cable : liens)
        for (OBJET *end : {cable->input_panel, cable->output_panel})
            EXPECT_NE(objets_globaux.end(),
                      std::find(objets_globaux.begin(), objets_globaux.end(), end));
}

} // namespace

// The window manager's close button comes as SDL_QUIT: the loop ends as after
// Escape, in either view and with a box open.
TEST_F(MainLoop, TheWindowsCloseButtonEndsTheLoopInEitherViewAndThroughABox)
{
    SDL_Event close = {};
    close.type = SDL_QUIT;
    for (SDLKey before : {SDLK_F11, SDLK_F6, SDLK_F12}) { // front, back, the help box
        quit = 1;
        press(before);
        SDL_PushEvent(&close);
        main_loop_pass();
        main_loop_pass(); // the box, when one was open, put the event back
        EXPECT_EQ(quit, 0) << before;
    }
    quit = 1;
}

namespace {

// The centre of a knob of a panel in view, on the work area at scroll 0.
bool knob_in_view(view_test::POINT &at)
{
    for (OBJET *panel : objets_globaux)
        for (SPRITE *s : *panel->current) {
            at = {static_cast<int>(panel->x + s->x + s->w / 2),
                  static_cast<int>(panel->y + s->y + s->h / 2)};
            if (dynamic_cast<SLIDER *>(s) && at.x < VIEW_WIDTH - 40 && at.y < VIEW_HEIGHT - 40)
                return true;
        }
    return false;
}

// The centre of a cable's input end in view, on the work area at scroll 0.
bool cable_end_in_view(view_test::POINT &at)
{
    for (const LINK *cable : liens) {
        at = {cable->corde.x1, cable->corde.y1};
        if (at.x < VIEW_WIDTH - 40 && at.y < VIEW_HEIGHT - 40)
            return true;
    }
    return false;
}

} // namespace

// What a pass shows, painted in parts, is pixel for pixel what a whole paint
// of the same frame shows: on every demo patch, in both views, after steps
// of the sequencers, a word on the status line, a knob turned or a cable end
// dragged; and most of those passes paint in parts. Shown by copying the
// parts to the window, then with every frame swapped (as where parts cannot
// be copied), the back buffer scribbled over after every other swap as
// hardware drivers may lose it: the kept frame must then be painted first.
class PartsPainting : public MainLoop, public ::testing::WithParamInterface<bool> {};

TEST_P(PartsPainting, APassPaintingInPartsShowsWhatAWholePaintShows)
{
    const bool copies = GetParam();
    use_part_copies(copies);
    const unsigned long parts_before = main_loop.frames - main_loop.whole_frames;
    int checks = 0;
    std::vector<unsigned char> block(BufferSize);
    for (const std::string &name : list_patches(PATCH_DIRECTORY).names) {
        std::string why;
        ASSERT_TRUE(load_chosen_patch(name, why)) << why;
        main_loop_pass();
        for (int back : {0, 1}) {
            if (BACK_VIEW_TOGGLE != back) {
                press(SDLK_F6);
                main_loop_pass();
            }
            const std::string where = name + (back ? ", back view: " : ", front view: ");
            auto check = [&](const char *change) {
                if (!copies && checks % 2) {
                    glPushAttrib(GL_COLOR_BUFFER_BIT);
                    glClearColor(1, 0, 1, 1);
                    glClear(GL_COLOR_BUFFER_BIT);
                    glPopAttrib();
                }
                main_loop_pass();
                const std::vector<uint32_t> shown = view_test::window_picture();
                forget_shown_frame();
                main_loop.redraw_owed = true;
                main_loop_pass();
                EXPECT_TRUE(view_test::window_picture() == shown) << where << change;
                checks++;
            };
            for (int i = 0; i < 8; i++)
                instrument_callback(nullptr, block.data(), BufferSize, nullptr);
            check("the sequencers stepped");
            say_in_window("A word on the status line");
            check("a word on the status line");
            say_in_window("");
            check("the status line cleared");
            view_test::POINT at;
            if (back ? cable_end_in_view(at) : knob_in_view(at)) {
                view_test::motion(at);
                view_test::button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, at);
                view_test::motion({at.x + 20, at.y - 12});
                check(back ? "a cable end dragged" : "a knob turned");
                view_test::motion(at);
                view_test::button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, at);
                check(back ? "the cable end put back" : "the knob turned back and let go");
            }
        }
    }
    use_part_copies(true);
    const unsigned long in_parts = main_loop.frames - main_loop.whole_frames - parts_before;
    EXPECT_GT(2 * in_parts, static_cast<unsigned long>(checks));
}

INSTANTIATE_TEST_SUITE_P(CopiedOrSwapped, PartsPainting, ::testing::Bool());
