// The save command end to end in a real window: a click on the system
// dashboard's SAVE button opens the name entry, the keys typed there name the
// file, and the patch is written into QSY/; a failed save asks again.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "cables/cable_test_helpers.h"
#include "cables/patch_writer.h"
#include "cables/save_command.h"
#include "engine/font_data.h"
#include "engine/video.h"
#include "panels/panel_drawing.h"
#include "panels/panel_elements.h"
#include "panels/system_dash.h"

using namespace cable_test;

namespace {

void push_key(SDLKey sym, char c)
{
    for (Uint8 type : {SDL_KEYDOWN, SDL_KEYUP}) {
        SDL_Event e = {};
        e.type = type;
        e.key.keysym.sym = sym;
        e.key.keysym.unicode = type == SDL_KEYDOWN ? static_cast<Uint16>(c) : 0;
        SDL_PushEvent(&e);
    }
}

void push_text(const std::string &text)
{
    for (char c : text)
        push_key(static_cast<SDLKey>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c), c);
}

int queued_events()
{
    SDL_Event events[64];
    SDL_PumpEvents();
    return SDL_PeepEvents(events, 64, SDL_PEEKEVENT, SDL_ALLEVENTS);
}

std::string contents(const std::string &path)
{
    std::string text;
    if (FILE *f = std::fopen(path.c_str(), "rb")) {
        for (int c; (c = std::fgetc(f)) != EOF;)
            text += static_cast<char>(c);
        std::fclose(f);
    }
    return text;
}

std::string patch_as_written()
{
    char *text = nullptr;
    size_t size = 0;
    FILE *f = open_memstream(&text, &size);
    write_patch(f);
    std::fclose(f);
    std::string out(text, size);
    std::free(text);
    return out;
}

// The program's directory is left for a temporary one holding QSY/, so that
// the saves land there.
class SaveCommand : public ::testing::Test {
protected:
    TempDir dir;
    std::string data;

    static void SetUpTestSuite()
    {
        initGL(VIEW_WIDTH, VIEW_HEIGHT, "save", "grfx/opengl.qim");
        our_font_7.init("Fonts/04b_03b_.ttf", 6);
        our_font_14.init("Fonts/04b_03b_.ttf", 12);
    }

    void SetUp() override
    {
        data = std::filesystem::current_path().string();
        ASSERT_EQ(mkdir(dir.path("QSY").c_str(), 0755), 0);
        SDL_Event e;
        while (SDL_PollEvent(&e)) {
        }
    }

    void enter_temporary_directory() { ASSERT_EQ(chdir(dir.path("").c_str()), 0); }
    void TearDown() override { ASSERT_EQ(chdir(data.c_str()), 0); }
};

TEST_F(SaveCommand, ReleasedSaveClickAsksForTheNameAndSavesIntoQSY)
{
    LOADED_PATCH patch("QSY/MODULAR.QSY");
    SYSTEM_DASH dash({load_dialog_stand_in, SAVE_QSY, toggle_FILS_view});
    SPRITE *save = dash.get_SPRITE_by_name("BUTTON_SAVE");
    ASSERT_NE(save, nullptr);
    enter_temporary_directory();
    push_text("MINE.QSY");
    push_key(SDLK_RETURN, '\r');
    const int typed = queued_events();

    SDL_Event click = {};
    click.type = SDL_MOUSEBUTTONDOWN;
    dash.ajoute_message(MESSAGE(1, &click, nullptr, save));
    dash.evolue();
    EXPECT_EQ(queued_events(), typed); // a press opens nothing
    EXPECT_FALSE(std::filesystem::exists("QSY/MINE.QSY"));

    click.type = SDL_MOUSEBUTTONUP;
    dash.ajoute_message(MESSAGE(1, &click, nullptr, save));
    dash.evolue();
    EXPECT_EQ(contents("QSY/MINE.QSY"), patch_as_written());
    EXPECT_EQ(queued_events(), 2); // Enter's release, and the request to redraw
}

TEST_F(SaveCommand, FailedSaveAsksAgainAndEscapeGivesUp)
{
    LOADED_PATCH patch("QSY/KEYS.QSY");
    enter_temporary_directory();
    ASSERT_EQ(mkdir("QSY/TAKEN", 0755), 0); // a file cannot replace it
    push_text("TAKEN");
    push_key(SDLK_RETURN, '\r');
    push_key(SDLK_ESCAPE, 27);
    EXPECT_EQ(SAVE_QSY(), 0);
    EXPECT_TRUE(std::filesystem::is_directory("QSY/TAKEN"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("QSY"),
                            std::filesystem::directory_iterator()),
              1);
}

// The back view's save writes the same patch to the name as typed, without
// the directory.
TEST_F(SaveCommand, TheNameAloneSavesIntoTheWorkingDirectory)
{
    LOADED_PATCH patch("QSY/DEMO.QSY");
    enter_temporary_directory();
    push_text("HERE.QSY");
    push_key(SDLK_RETURN, '\r');
    EXPECT_EQ(save_patch_with_entry(""), 1);
    EXPECT_EQ(contents("HERE.QSY"), patch_as_written());
}

} // namespace
