#pragma once

#include <array>
#include <vector>

#include "scene/Gl.h"

// The colours of every vertex that `draw` sends down the pipeline (lit and
// fogged as GL computes them), collected in feedback mode with a projection
// wide enough to keep the models unclipped.
template <typename Draw>
std::vector<std::array<float, 4>> FeedbackColours(Draw draw)
{
    static std::vector<GLfloat> buffer(1 << 22);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-100, 100, -100, 100, -1000, 1000);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);

    std::vector<std::array<float, 4>> colours;
    constexpr int kVertexFloats = 7;  // x, y, z, r, g, b, a
    auto takeVertices = [&](GLint& at, int count) {
        for (int v = 0; v < count && at + kVertexFloats <= used; ++v, at += kVertexFloats)
            colours.push_back({buffer[at + 3], buffer[at + 4], buffer[at + 5], buffer[at + 6]});
    };
    for (GLint at = 0; at < used;) {
        const auto token = static_cast<GLint>(buffer[at++]);
        if (token == GL_POLYGON_TOKEN) {
            const int count = static_cast<int>(buffer[at++]);
            takeVertices(at, count);
        } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            takeVertices(at, 2);
        } else if (token == GL_POINT_TOKEN || token == GL_BITMAP_TOKEN || token == GL_DRAW_PIXEL_TOKEN
                   || token == GL_COPY_PIXEL_TOKEN) {
            takeVertices(at, 1);
        } else if (token == GL_PASS_THROUGH_TOKEN) {
            ++at;
        } else {
            break;
        }
    }
    return colours;
}
