#include "engine/draw.h"

#include <GL/gl.h>

#include <cmath>

#include "engine/draw_record.h"
#include "engine/video.h"

namespace {

// Pixels added around a shape's box: the rasteriser's rounding, and half the
// cable's width.
constexpr int QUAD_MARGIN = 1, CABLE_MARGIN = 3;

// The window pixels of draw_triangle's quad: its corners turned as its
// rotations turn them (about z, then y, then x), then moved to its centre.
PIXEL_BOX quad_box(float x, float y, float rot_x, float rot_y, float rot_z, float half_a,
                   float half_b)
{
    constexpr float RADIANS = static_cast<float>(M_PI / 180);
    const float cx = std::cos(rot_x * RADIANS), sx = std::sin(rot_x * RADIANS);
    const float cy = std::cos(rot_y * RADIANS), sy = std::sin(rot_y * RADIANS);
    const float cz = std::cos(rot_z * RADIANS), sz = std::sin(rot_z * RADIANS);
    POINT_SPAN span;
    for (float vx : {-half_b, half_b})
        for (float vy : {-half_a, half_a}) {
            const float px = vx * cz - vy * sz, py = vx * sz + vy * cz;
            const float qx = px * cy, qz = -px * sy;
            span.add(x + qx, y + py * cx - qz * sx);
        }
    return span.box(QUAD_MARGIN);
}

// What colours a textured quad besides its texture: blending and its factors
// (which count only while blending is on), and the current colour, which the
// texture is multiplied by.
struct QUAD_STATE {
    GLboolean blending;
    GLint source = 0, destination = 0;
    GLfloat colour[4];
    QUAD_STATE() : blending(glIsEnabled(GL_BLEND))
    {
        if (blending) {
            glGetIntegerv(GL_BLEND_SRC, &source);
            glGetIntegerv(GL_BLEND_DST, &destination);
        }
        glGetFloatv(GL_CURRENT_COLOR, colour);
    }
};

} // namespace

void draw_triangle(unsigned int *texture, float x, float y, float z, float rot_x, float rot_y,
                   float rot_z, float half_a, float half_b)
{
    const float at_x = x - offsx, at_y = y - offsy;
    auto box = [&] { return quad_box(at_x, at_y, rot_x, rot_y, rot_z, half_a, half_b); };
    if (DRAW_RECORD *record = open_record()) {
        const QUAD_STATE state;
        record->add(box(), *texture, at_x, at_y, z, rot_x, rot_y, rot_z, half_a, half_b,
                    state.blending, state.source, state.destination, state.colour);
        return;
    }
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, *texture);
    if (!drawn_within_clip(box))
        return;
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(at_x, at_y, z);
    glRotatef(rot_x, 1, 0, 0);
    glRotatef(rot_y, 0, 1, 0);
    glRotatef(rot_z, 0, 0, 1);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex3f(-half_b, half_a, 0);
    glTexCoord2f(0, 1);
    glVertex3f(half_b, half_a, 0);
    glTexCoord2f(1, 1);
    glVertex3f(half_b, -half_a, 0);
    glTexCoord2f(1, 0);
    glVertex3f(-half_b, -half_a, 0);
    glEnd();
    glPopMatrix();
}

int draw_fil(SDL_Surface *, int x1, int y1, int x2, int y2, int colour)
{
    // The middle control point takes the sum of the two heights, not their
    // mean, so that the cable hangs down between its ends.
    const GLfloat points[3][3] = {
        {static_cast<GLfloat>(x1 - offsx), static_cast<GLfloat>(y1 - offsy + 15), 0},
        {static_cast<GLfloat>((x1 + x2) / 2 - offsx), static_cast<GLfloat>(y1 + y2 - offsy + 15),
         0},
        {static_cast<GLfloat>(x2 - offsx), static_cast<GLfloat>(y2 - offsy + 15), 0},
    };
    // The curve lies within the triangle of its control points.
    auto box = [&] {
        POINT_SPAN span;
        for (const GLfloat *p : points)
            span.add(p[0], p[1]);
        return span.box(CABLE_MARGIN);
    };
    if (DRAW_RECORD *record = open_record()) {
        record->add(box(), points[0][0], points[0][1], points[1][0], points[1][1], points[2][0],
                    points[2][1], colour);
        return 1;
    }
    // The cable is plain colour: texturing, left on by the sprites, would tint
    // it with whatever texture was bound last.
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_TEXTURE_2D);
    glMap1f(GL_MAP1_VERTEX_3, 0, 1, 3, 3, &points[0][0]);
    glEnable(GL_MAP1_VERTEX_3);
    glLineWidth(3);
    glColor3ub(static_cast<GLubyte>(colour >> 16), static_cast<GLubyte>(colour >> 8),
               static_cast<GLubyte>(colour));
    if (drawn_within_clip(box)) {
        glBegin(GL_LINE_STRIP);
        for (int i = 0; i <= 30; i++)
            glEvalCoord1f(static_cast<GLfloat>(i) / 30);
        glEnd();
    }
    glColor3ub(255, 255, 255);
    glPopAttrib();
    return 1;
}
