#include <gtest/gtest.h>

#include <string>

#include "engine/qbiblio.h"
#include "qbiblio_files_helpers.h"

namespace {

const Rgba RED = {255, 0, 0, 255}, GREEN = {0, 255, 0, 255}, BLUE = {0, 0, 255, 255};
const Rgba BLACK = {0, 0, 0, 255}, ORANGE = {250, 120, 10, 255};

// Image libraries here store surfaces only: no OpenGL context exists.
struct Library : QBIBLIO {
    Library() { upload_textures = false; }
};

class ArchiveTest : public ::testing::Test {
protected:
    TempDir dir;
    Library library;

    // Loads an archive made of a header, the given entries and "END".
    bool load(const std::string &entries)
    {
        return library.load_QIM(dir.write("test.qim", "QIM 1\n" + entries + "\nEND\n").c_str());
    }
};

TEST_F(ArchiveTest, HeaderAndEndOnlyLoadsNothing)
{
    load("");
    EXPECT_EQ(library.nb_images, 0);
}

TEST_F(ArchiveTest, SimplePartBecomesOneEntry)
{
    const std::string file = write_bmp24(dir, "a.bmp", Picture(4, 3, RED));
    load("A " + file + " SIMPLEPART");
    ASSERT_EQ(library.nb_images, 1);
    EXPECT_EQ(library.get_index_image("A"), 0);
    SDL_Surface *a = library.get_image("A");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->w, 4);
    EXPECT_EQ(a->h, 3);
    EXPECT_EQ(library.get_index_image("B"), -1);
    EXPECT_EQ(library.get_image("B"), nullptr);
}

TEST_F(ArchiveTest, LineBreaksCarryNoMeaning)
{
    const std::string file = write_bmp24(dir, "a.bmp", Picture(2, 2, RED));
    library.load_QIM(dir.write("test.qim", "H1\tH2 A\n\n" + file + "\n  SIMPLEPART END").c_str());
    EXPECT_EQ(library.get_index_image("A"), 0);
}

TEST_F(ArchiveTest, SheetIsCutRowMajorWithGaps)
{
    // W=10 H=20, 2 rows x 3 columns, gaps 1 and 2: frame 4 (row 1, column 1)
    // starts at x = 11, y = 22.
    Picture sheet(3 * 11, 2 * 22, BLACK);
    sheet.fill(11, 22, 10, 20, GREEN);
    sheet.at(11, 22) = RED;
    sheet.at(20, 41) = BLUE;
    const std::string file = write_png(dir, "sheet.png", sheet, false);
    load("NAME " + file + " MULTIPART 10 20 2 3 1 2");

    ASSERT_EQ(library.nb_images, 6);
    for (int i = 0; i < 6; i++)
        EXPECT_EQ(library.get_index_image(("NAME_" + std::to_string(i)).c_str()), i);
    SDL_Surface *frame = library.get_image("NAME_4");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->w, 10);
    EXPECT_EQ(frame->h, 20);
    EXPECT_TRUE(QBIBLIO::is_bgr24(frame));
    EXPECT_EQ(bgr_pixel(frame, 0, 0), RED);
    EXPECT_EQ(bgr_pixel(frame, 9, 19), BLUE);
    EXPECT_EQ(bgr_pixel(frame, 5, 5), GREEN);
    EXPECT_EQ(bgr_pixel(library.get_image("NAME_3"), 5, 5), BLACK);
}

TEST_F(ArchiveTest, SheetFramesPastTheSheetAreBlackThere)
{
    const std::string file = write_bmp24(dir, "small.bmp", Picture(15, 10, ORANGE));
    load("S " + file + " SHEET 10 10 1 2 0 0");
    ASSERT_EQ(library.nb_images, 2);
    SDL_Surface *second = library.get_image("S_1");
    EXPECT_EQ(bgr_pixel(second, 4, 5), ORANGE);
    EXPECT_EQ(bgr_pixel(second, 5, 5), BLACK);
}

TEST_F(ArchiveTest, RepeatedNameKeepsTheFirstImage)
{
    const std::string first = write_bmp24(dir, "first.bmp", Picture(2, 2, RED));
    const std::string second = write_bmp24(dir, "second.bmp", Picture(3, 3, BLUE));
    load("A " + first + " SIMPLEPART A " + second + " SIMPLEPART");
    ASSERT_EQ(library.nb_images, 1);
    EXPECT_EQ(library.get_image("A")->w, 2);
    EXPECT_EQ(bgr_pixel(library.get_image("A"), 0, 0), RED);
}

TEST_F(ArchiveTest, RepeatedSheetFrameKeepsTheFirstImage)
{
    const std::string red = write_bmp24(dir, "red.bmp", Picture(4, 4, RED));
    const std::string blue = write_bmp24(dir, "blue.bmp", Picture(4, 4, BLUE));
    load("L " + red + " M 4 4 1 1 0 0 L " + blue + " M 4 4 1 1 0 0");
    ASSERT_EQ(library.nb_images, 1);
    EXPECT_EQ(bgr_pixel(library.get_image("L_0"), 0, 0), RED);
}

TEST_F(ArchiveTest, MissingSheetIsSkipped)
{
    const std::string file = write_bmp24(dir, "a.bmp", Picture(2, 2, RED));
    load("GONE " + dir.path("none.png") + " M 4 4 1 1 0 0 A " + file + " SIMPLEPART");
    EXPECT_EQ(library.nb_images, 1);
    EXPECT_EQ(library.get_index_image("A"), 0);
}

TEST_F(ArchiveTest, PathStartingWithHashEndsTheArchive)
{
    const std::string file = write_bmp24(dir, "a.bmp", Picture(2, 2, RED));
    load("A " + file + " SIMPLEPART STOP #rest B " + file + " SIMPLEPART");
    EXPECT_EQ(library.nb_images, 1);
}

TEST_F(ArchiveTest, EndOfFileEndsTheArchive)
{
    const std::string file = write_bmp24(dir, "a.bmp", Picture(2, 2, RED));
    library.load_QIM(dir.write("test.qim", "H H A " + file + " SIMPLEPART B " + file).c_str());
    EXPECT_EQ(library.nb_images, 1);
    // A sheet whose numbers are cut short by the end of the file adds nothing.
    library.load_QIM(dir.write("cut.qim", "H H C " + file + " M 2 2 1").c_str());
    EXPECT_EQ(library.nb_images, 1);
}

TEST_F(ArchiveTest, OverlongTokensAreReadInBoundedPieces)
{
    // A 200-character token is read as pieces of at most 59 characters (here
    // name, path and kind of a sheet whose numbers run out); nothing longer
    // reaches the library.
    const std::string file = write_bmp24(dir, "a.bmp", Picture(2, 2, RED));
    load(std::string(200, 'N') + " " + file + " SIMPLEPART");
    for (int i = 0; i < library.nb_images; i++)
        EXPECT_LE(std::string(library.names[i]).size(), 59u);
    EXPECT_EQ(library.get_index_image(std::string(59, 'N').c_str()), -1);
}

TEST_F(ArchiveTest, MissingArchiveFailsTheLoad)
{
    EXPECT_FALSE(library.load_QIM(dir.path("none.qim").c_str()));
}

TEST_F(ArchiveTest, MissingSimplePartFailsTheLoad)
{
    EXPECT_FALSE(load("A " + dir.path("none.bmp") + " SIMPLEPART"));
}

// Every file format comes out in the 24-bit BGR layout with its own colours.
TEST_F(ArchiveTest, ImagesOfEveryFormatAreConvertedToBgr)
{
    Picture p(3, 2, RED);
    p.at(1, 0) = GREEN;
    p.at(2, 0) = BLUE;
    p.at(0, 1) = ORANGE;
    p.at(1, 1) = {10, 20, 30, 0};     // fully transparent
    p.at(2, 1) = {200, 100, 50, 128}; // half transparent
    load("BMP " + write_bmp24(dir, "p.bmp", p) + " SIMPLEPART PNG " +
         write_png(dir, "p.png", p, false) + " SIMPLEPART PNGA " +
         write_png(dir, "pa.png", p, true) + " SIMPLEPART");
    ASSERT_EQ(library.nb_images, 3);
    for (const char *name : {"BMP", "PNG", "PNGA"}) {
        SCOPED_TRACE(name);
        SDL_Surface *s = library.get_image(name);
        ASSERT_TRUE(QBIBLIO::is_bgr24(s));
        EXPECT_EQ(bgr_pixel(s, 0, 0), RED);
        EXPECT_EQ(bgr_pixel(s, 1, 0), GREEN);
        EXPECT_EQ(bgr_pixel(s, 2, 0), BLUE);
        EXPECT_EQ(bgr_pixel(s, 0, 1), ORANGE);
    }
    // Transparent parts are laid over black.
    EXPECT_EQ(bgr_pixel(library.get_image("PNG"), 1, 1), (Rgba{10, 20, 30, 255}));
    EXPECT_EQ(bgr_pixel(library.get_image("PNGA"), 1, 1), BLACK);
    EXPECT_EQ(bgr_pixel(library.get_image("PNGA"), 2, 1), (Rgba{100, 50, 25, 255}));
}

SDL_Surface *small_surface() { return QBIBLIO::new_bgr24_surface(2, 2); }

TEST(QbiblioTest, AddingAnExistingNameReplacesInPlace)
{
    Library library;
    library.add_image("A", small_surface(), 2, 2);
    library.add_image("B", small_surface(), 2, 2);
    SDL_Surface *replacement = QBIBLIO::new_bgr24_surface(5, 5);
    testing::internal::CaptureStdout();
    EXPECT_EQ(library.add_image("A", replacement, 5, 5), 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Ref\n");
    EXPECT_EQ(library.nb_images, 2);
    EXPECT_EQ(library.get_index_image("A"), 0);
    EXPECT_EQ(library.get_image("A"), replacement);
}

TEST(QbiblioTest, SurfaceFormKeepsAnExistingImage)
{
    Library library;
    SDL_Surface *first = small_surface();
    SDL_Surface *second = small_surface();
    EXPECT_EQ(library.load_image_and_store_it(first, "A"), 1);
    EXPECT_EQ(library.load_image_and_store_it(second, "A"), 1);
    EXPECT_EQ(library.get_image("A"), first);
    EXPECT_EQ(library.load_image_and_store_it(static_cast<SDL_Surface *>(nullptr), "B"), 0);
    SDL_FreeSurface(second);
}

TEST(QbiblioTest, CapacityIsFourHundredAndMoreIsRefused)
{
    Library library;
    for (int i = 0; i < QBIBLIO::MAX_IMAGES; i++)
        ASSERT_EQ(library.add_image(("I" + std::to_string(i)).c_str(), small_surface(), 2, 2), 1);
    SDL_Surface *extra = small_surface();
    EXPECT_EQ(library.add_image("ONE_TOO_MANY", extra, 2, 2), 0);
    EXPECT_EQ(library.load_image_and_store_it(extra, "ONE_TOO_MANY"), 0);
    EXPECT_EQ(library.nb_images, QBIBLIO::MAX_IMAGES);
    EXPECT_EQ(library.get_index_image("ONE_TOO_MANY"), -1);
    SDL_FreeSurface(extra);
    // Replacing an existing image still works when full.
    EXPECT_EQ(library.add_image("I399", small_surface(), 2, 2), 1);
}

TEST(QbiblioTest, LongNamesAreCutTo79Characters)
{
    Library library;
    const std::string name(100, 'L');
    library.add_image(name.c_str(), small_surface(), 2, 2);
    EXPECT_EQ(std::string(library.names[0]), name.substr(0, 79));
    EXPECT_EQ(library.get_index_image(name.substr(0, 79).c_str()), 0);
}

TEST(QbiblioTest, RemovedImageCannotBeFoundAndIndexesStay)
{
    Library library;
    library.add_image("A", small_surface(), 2, 2);
    library.add_image("B", small_surface(), 2, 2);
    EXPECT_EQ(library.remove_image("A"), 1);
    EXPECT_EQ(library.remove_image("A"), -1);
    EXPECT_EQ(library.get_image("A"), nullptr);
    EXPECT_EQ(library.get_index_image(""), -1);
    EXPECT_EQ(library.get_index_image("B"), 1);
    // Its name may be taken again, by a new slot.
    SDL_Surface *again = small_surface();
    EXPECT_EQ(library.add_image("A", again, 2, 2), 1);
    EXPECT_EQ(library.get_index_image("A"), 2);
    EXPECT_EQ(library.get_image("A"), again);
}

} // namespace
