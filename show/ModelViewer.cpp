#include "show/ModelViewer.h"

#include <algorithm>
#include <cmath>

#include "scene/Gl.h"
#include "scene/ShowLighting.h"
#include "scene/ShowState.h"

namespace {

const GLfloat kWhite[] = {1.0f, 1.0f, 1.0f, 1.0f};

// Where the model sits (frame coordinates: the eye plane is at z = -5.5) and
// how large it is drawn: a radius of 8 at distance 10 fills most of a 90
// degree view.
constexpr float kModelDepth = 4.5f;
constexpr float kShownRadius = 8.0f;
constexpr float kTiltDegrees = -25.0f;  // top towards the viewer
constexpr float kFirstTurnDegrees = 30.0f;
constexpr float kTurnPerFrameDegrees = 10.0f;

struct Bounds {
    float low[3] = {1e30f, 1e30f, 1e30f};
    float high[3] = {-1e30f, -1e30f, -1e30f};
    bool empty = true;
};

// Bounds of the vertices that visible triangles use.
Bounds VisibleBounds(const ModelDescriptor& descriptor)
{
    Bounds bounds;
    for (int m = 0; descriptor.meshes && m < descriptor.meshCount; ++m) {
        const Mesh& mesh = descriptor.meshes[m];
        if (mesh.hidden || !mesh.indices || !mesh.vertices)
            continue;
        const long long corners = 3LL * mesh.faceCount;
        for (long long i = 0; i < corners; ++i) {
            const int index = mesh.indices[i];
            if (index < 0 || index >= mesh.vertexCount)
                continue;
            for (int axis = 0; axis < 3; ++axis) {
                const float value = mesh.vertices[3 * index + axis];
                bounds.low[axis] = std::min(bounds.low[axis], value);
                bounds.high[axis] = std::max(bounds.high[axis], value);
            }
            bounds.empty = false;
        }
    }
    return bounds;
}

}  // namespace

ModelViewer::ModelViewer(const ModelDescriptor& descriptor, int width, int height, bool sepia)
    : previousSepia_(sepiaMode)
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(90.0, height > 0 ? static_cast<double>(width) / height : 1.0, 1.0, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, kWhite);

    const Bounds bounds = VisibleBounds(descriptor);
    if (!bounds.empty) {
        float radius = 0.0f;
        for (int axis = 0; axis < 3; ++axis) {
            centre_[axis] = 0.5f * (bounds.low[axis] + bounds.high[axis]);
            const float half = 0.5f * (bounds.high[axis] - bounds.low[axis]);
            radius += half * half;
        }
        radius = std::sqrt(radius);
        if (radius > 0.0f)
            scale_ = kShownRadius / radius;
    }

    // The compiler freezes the mode into the list.
    sepiaMode = sepia;
    model_.copyFrom(descriptor, 1);
}

ModelViewer::~ModelViewer()
{
    sepiaMode = previousSepia_;
}

void ModelViewer::DrawFrame(int frame)
{
    glLoadIdentity();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    gluLookAt(0.0, 0.0, 5.5, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    glScalef(1.0f, 1.0f, -1.0f);
    glFrontFace(GL_CW);

    BeginShowLighting();
    PlaceShowLight();

    const float turn = kTurnPerFrameDegrees * static_cast<float>(frame);
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, kModelDepth);
    glRotatef(kTiltDegrees, 1.0f, 0.0f, 0.0f);
    glRotatef(kFirstTurnDegrees + turn, 0.0f, 1.0f, 0.0f);
    glScalef(scale_, scale_, scale_);
    glTranslatef(-centre_[0], -centre_[1], -centre_[2]);
    model_.callList(0);
    glPopMatrix();

    glDisable(GL_BLEND);
    glDisable(GL_COLOR_MATERIAL);
    glColor3f(1.0f, 1.0f, 1.0f);
    glFlush();
}
