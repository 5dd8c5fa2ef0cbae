#include "actors/StarField.h"

#include <algorithm>

#include "actors/RandomColor.h"
#include "scene/Gl.h"
#include "scene/Scene.h"
#include "scene/ShowState.h"

namespace {

constexpr float kEyePlane = -5.5f;
constexpr float kFarPlane = 94.5f;

// x in [-12, 12], y in [-9, 9], z in [-5.5, 94.5]; the draws go a (y), b (x), c (z).
void PlaceInView(StarPoint& point)
{
    const double a = RandomFraction();
    const double b = RandomFraction();
    const double c = RandomFraction();
    point.x = static_cast<float>((2.0 * b - 1.0) * 12.0);
    point.y = static_cast<float>((2.0 * a - 1.0) * 9.0);
    point.z = static_cast<float>(c * 100.0 - 5.5);
}

// Each colour takes three draws a, b, c and gives (red from b, green from a, blue from c).
struct Draws {
    double a, b, c;
};
Draws DrawThree()
{
    Draws draws;
    draws.a = RandomFraction();
    draws.b = RandomFraction();
    draws.c = RandomFraction();
    return draws;
}

void SetColour(StarPoint& point, double red, double green, double blue)
{
    point.red = static_cast<float>(red);
    point.green = static_cast<float>(green);
    point.blue = static_cast<float>(blue);
}

// The matrices and viewport a star is tested against, read once per update.
struct View {
    GLdouble modelview[16];
    GLdouble projection[16];
    GLint viewport[4];
    double width;
    double height;
};

// Moves a star `speed` nearer and sends it back to the far plane, at a new
// random place, once it has passed the eye plane or left the window.
void Advance(StarPoint& point, float speed, const View& view)
{
    point.z = point.z - speed;
    GLdouble windowX = 0.0, windowY = 0.0, windowZ = 0.0;
    gluProject(point.x, point.y, point.z, view.modelview, view.projection, view.viewport, &windowX, &windowY,
               &windowZ);
    const bool stays = point.z >= kEyePlane && windowX >= 0.0 && windowX <= view.width && windowY >= 0.0
        && windowY <= view.height;
    if (stays)
        return;
    point.z = kFarPlane;
    const double a = RandomFraction();
    const double b = RandomFraction();
    point.x = static_cast<float>((2.0 * a - 1.0) * 120.0);
    point.y = static_cast<float>((2.0 * b - 1.0) * 90.0);
}

void Scatter(StarPoint& point, double shadeScale)
{
    const double v = RandomFraction();
    const double p = RandomFraction();
    const double q = RandomFraction();
    const double shade = v * shadeScale;
    point.x = static_cast<float>(p * 8.0 - 4.0);
    point.y = static_cast<float>(q * 6.0 - 3.0);
    point.z = -2.0f;
    SetColour(point, shade + 0.1, shade + 0.1, shade);
}

void DrawPoints(const StarPoint* points, int count, float size)
{
    glPointSize(size);
    glInterleavedArrays(GL_C3F_V3F, 0, points);
    glDrawArrays(GL_POINTS, 0, count);
}

}  // namespace

StarField::StarField(Scene* scene) : Actor(scene)
{
    for (StarPoint& point : blueStars) {
        PlaceInView(point);
        const Draws d = DrawThree();
        SetColour(point, (d.b + 1.0) * 0.5, d.a * 0.2 + 0.8, d.c * 0.1 + 0.9);
    }
    for (StarPoint& point : warmStars) {
        PlaceInView(point);
        const Draws d = DrawThree();
        SetColour(point, d.b * 0.1 + 0.9, d.a * 0.4 + 0.6, (d.c + 1.0) * 0.5);
    }
    for (StarPoint& point : driftPoints) {
        const double a = RandomFraction();
        const double b = RandomFraction();
        point.x = static_cast<float>((2.0 * a - 1.0) * 16.0);
        point.y = static_cast<float>((2.0 * b - 1.0) * 12.0);
        point.z = 5.0f;
        const double grey = RandomFraction() * 0.3 + 0.7;
        SetColour(point, grey, grey, grey);
    }
    for (StarPoint& point : dimStars) {
        PlaceInView(point);
        const Draws d = DrawThree();
        SetColour(point, (d.b * 0.2 + 0.8) * 0.5, (d.a * 0.2 + 0.8) * 0.5, (d.c * 0.2 + 0.8) * 0.5);
    }
    // Let the layers spread out before the first frame.
    for (int i = 0; i < kWarmUpUpdates; ++i)
        Update();
}

void StarField::Update()
{
    if (sepiaMode)
        UpdateSepia();
    else
        UpdateStars();
}

void StarField::UpdateStars()
{
    View view;
    glGetDoublev(GL_MODELVIEW_MATRIX, view.modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, view.projection);
    glGetIntegerv(GL_VIEWPORT, view.viewport);
    view.width = static_cast<double>(scene->width);
    view.height = static_cast<double>(scene->height);

    float speed = 100.0f / (scene->fps * 5.0f);
    for (StarPoint& point : blueStars)
        Advance(point, speed, view);
    for (StarPoint& point : warmStars)
        Advance(point, speed, view);
    speed = speed * 0.125f;
    for (StarPoint& point : dimStars)
        Advance(point, speed, view);
}

void StarField::UpdateSepia()
{
    const float shift = 32.0f / (scene->fps * 5.0f);
    for (StarPoint& point : driftPoints) {
        point.x = point.x + shift;
        if (point.x > 16.0f)
            point.x = point.x - 32.0f;
    }

    speckCount = static_cast<int>((RandomFraction() + 1.0) * 100.0);
    blotchCount = static_cast<int>(RandomFraction() * 4.0);
    for (int i = 0; i < speckCount; ++i)
        Scatter(specks[i], 0.35);
    for (int i = 0; i < blotchCount; ++i)
        Scatter(blotches[i], 0.6);
}

void StarField::Draw()
{
    DrawLayers(sepiaMode, speckCount, blotchCount);
}

void StarField::WarmUpDraw()
{
    DrawLayers(false, 0, 0);
    // Before sepia mode has stepped there are no specks or blotches yet; one
    // of each, wherever it lies, draws in their state.
    DrawLayers(true, std::max(speckCount, 1), std::max(blotchCount, 1));
}

void StarField::DrawLayers(bool sepia, int specksShown, int blotchesShown)
{
    glDisable(GL_DEPTH_TEST);
    glFogi(GL_FOG_START, 90);
    glFogi(GL_FOG_END, 100);
    if (sepia)
        glDisable(GL_FOG);
    else
        glEnable(GL_FOG);

    if (!sepia)
        DrawPoints(dimStars, kDimStars, 1.0f);

    glFogi(GL_FOG_START, 0);
    glFogi(GL_FOG_END, 100);
    if (sepia) {
        DrawPoints(driftPoints, kDriftPoints, 1.5f);
    } else {
        DrawPoints(warmStars, kWarmStars, 1.5f);
        DrawPoints(blueStars, kBlueStars, 0.5f);
    }

    glDisable(GL_FOG);
    glEnable(GL_DEPTH_TEST);

    if (sepia) {
        // In front of everything drawn later: they write depth 3.5 units from the eye.
        DrawPoints(specks, specksShown, 0.5f);
        DrawPoints(blotches, blotchesShown, 4.0f);
    }

    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
}
