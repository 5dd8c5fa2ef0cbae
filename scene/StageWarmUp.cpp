#include "scene/StageWarmUp.h"

#include "scene/FrameCamera.h"
#include "scene/Gl.h"
#include "scene/Stage.h"

namespace {

constexpr int kWarmUpViewportSize = 16;

}  // namespace

void WarmUpStage(Stage& stage)
{
    // The projection is changed only by the overlay's own push and pop; the
    // modelview is the one matrix the camera and the cast move.
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();

    glDrawBuffer(GL_BACK);
    // Shader variants do not depend on the viewport, filling pixels does:
    // a corner of the picture is enough.
    glViewport(0, 0, kWarmUpViewportSize, kWarmUpViewportSize);
    glLoadIdentity();
    PlaceFrameCamera();
    stage.WarmUp();

    // Nothing of it may show: the back buffer goes back to the clear colour
    // and depth that set-up chose.
    glMatrixMode(GL_MODELVIEW);
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glDrawBuffer(GL_BACK);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    glPopMatrix();
    glPopClientAttrib();
    glPopAttrib();
}
