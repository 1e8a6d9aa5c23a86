#include "engine/draw.h"

#include <GL/gl.h>

#include "engine/video.h"

void draw_triangle(unsigned int *texture, float x, float y, float z, float rot_x, float rot_y,
                   float rot_z, float half_a, float half_b)
{
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(x - offsx, y - offsy, z);
    glRotatef(rot_x, 1, 0, 0);
    glRotatef(rot_y, 0, 1, 0);
    glRotatef(rot_z, 0, 0, 1);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, *texture);
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
    // The cable is plain colour: texturing, left on by the sprites, would tint
    // it with whatever texture was bound last.
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_TEXTURE_2D);
    glMap1f(GL_MAP1_VERTEX_3, 0, 1, 3, 3, &points[0][0]);
    glEnable(GL_MAP1_VERTEX_3);
    glLineWidth(3);
    glColor3ub(static_cast<GLubyte>(colour >> 16), static_cast<GLubyte>(colour >> 8),
               static_cast<GLubyte>(colour));
    glBegin(GL_LINE_STRIP);
    for (int i = 0; i <= 30; i++)
        glEvalCoord1f(static_cast<GLfloat>(i) / 30);
    glEnd();
    glColor3ub(255, 255, 255);
    glPopAttrib();
    return 1;
}
