#include <GL/gl.h>

#include <vector>

#include "engine/draw_window_helpers.h"
#include "engine/qbiblio.h"

namespace {

class QbiblioWindowTest : public GlWindowTest {
protected:
    QbiblioWindowTest()
    {
        add_image("SQUARE", Picture(64, 64, {255, 0, 0, 255}));
        add_image("WIDE", Picture(100, 64, {255, 0, 0, 255}));
    }

    static GLint level_width(GLuint texture, int level)
    {
        glBindTexture(GL_TEXTURE_2D, texture);
        GLint w = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &w);
        return w;
    }
    static Rgba first_texel(GLuint texture, int level)
    {
        glBindTexture(GL_TEXTURE_2D, texture);
        const GLint w = level_width(texture, level);
        std::vector<GLubyte> texels(3 * w * w);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, level, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
        return {texels[0], texels[1], texels[2], 255};
    }
};

TEST_F(QbiblioWindowTest, AddingBuildsMipmapsAndRefreshingOnlyTheImage)
{
    QBIBLIO &library = *bibliotheque_graphique;
    const GLuint square = library.get_texture(library.get_index_image("SQUARE"));
    const GLuint wide = library.get_texture(library.get_index_image("WIDE"));
    EXPECT_EQ(level_width(square, 1), 32) << "added images get mipmaps";
    // 100 is not a texture-friendly width: mipmaps rescale it to a power of two.
    const GLint wide_width = level_width(wide, 0);
    EXPECT_TRUE(wide_width == 64 || wide_width == 128) << wide_width;

    SDL_Surface *s = library.get_image("SQUARE");
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, 0, 0, 255));
    library.refresh_GLimage("SQUARE");
    EXPECT_EQ(first_texel(square, 0), (Rgba{0, 0, 255, 255}));
    EXPECT_EQ(first_texel(square, 1), (Rgba{255, 0, 0, 255})) << "no new mipmaps";
}

} // namespace
