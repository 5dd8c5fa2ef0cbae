#include "scene/ShowLighting.h"

#include "scene/Gl.h"

namespace {

const GLfloat kWhite[] = {1.0f, 1.0f, 1.0f, 1.0f};
const GLfloat kBlack[] = {0.0f, 0.0f, 0.0f, 1.0f};
const GLfloat kNoSpecular[] = {0.0f, 0.0f, 0.0f, 0.0f};
const GLfloat kLightPosition[] = {100.0f, 100.0f, 0.0f, 1.0f};

}  // namespace

void BeginShowLighting()
{
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, kNoSpecular);
    glLightfv(GL_LIGHT0, GL_AMBIENT, kBlack);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, kWhite);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHTING);
    glCullFace(GL_BACK);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_NORMALIZE);
}

void PlaceShowLight()
{
    glLightfv(GL_LIGHT0, GL_POSITION, kLightPosition);
}
