#include "scene/FrameCamera.h"

#include "scene/Gl.h"

void PlaceFrameCamera()
{
    gluLookAt(0.0, 0.0, 5.5, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    glScalef(1.0f, 1.0f, -1.0f);
    glFrontFace(GL_CW);
}
