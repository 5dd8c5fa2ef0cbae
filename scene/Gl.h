#pragma once
// The one place the portable code takes OpenGL 1.1 and GLU from.
#include <GL/gl.h>
#include <GL/glu.h>
