#include "tests/models/GlRecorder.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

#include "scene/Gl.h"

namespace {

GlRecorder* activeRecorder = nullptr;

std::string EnumName(GLenum value)
{
    switch (value) {
    case GL_LIGHTING: return "GL_LIGHTING";
    case GL_NORMALIZE: return "GL_NORMALIZE";
    case GL_BLEND: return "GL_BLEND";
    case GL_TEXTURE_2D: return "GL_TEXTURE_2D";
    case GL_FRONT: return "GL_FRONT";
    case GL_FRONT_AND_BACK: return "GL_FRONT_AND_BACK";
    case GL_AMBIENT: return "GL_AMBIENT";
    case GL_DIFFUSE: return "GL_DIFFUSE";
    case GL_SPECULAR: return "GL_SPECULAR";
    case GL_SHININESS: return "GL_SHININESS";
    case GL_POSITION: return "GL_POSITION";
    case GL_LIGHT0: return "GL_LIGHT0";
    case GL_TRIANGLES: return "GL_TRIANGLES";
    case GL_COMPILE: return "GL_COMPILE";
    default: {
        char text[16];
        std::snprintf(text, sizeof text, "0x%04X", value);
        return text;
    }
    }
}

// Floats in the shortest form that reads back to the same value.
std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", value);
    return text;
}

std::string Floats(const GLfloat* values, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += (i ? ", " : "") + Number(values[i]);
    return text;
}

void Record(const std::string& call)
{
    if (activeRecorder)
        activeRecorder->Add(call);
}

// The real entry point of the GL library loaded after this program.
template <typename Function>
Function Real(Function, const char* name)
{
    void* symbol = dlsym(RTLD_NEXT, name);
    if (!symbol) {
        std::fprintf(stderr, "GlRecorder: no GL entry point %s\n", name);
        std::abort();
    }
    return reinterpret_cast<Function>(symbol);
}

#define QM_FORWARD(name, ...)                                        \
    do {                                                             \
        static const auto real = Real(&::name, #name);               \
        real(__VA_ARGS__);                                           \
    } while (0)

}  // namespace

GlRecorder::GlRecorder() { activeRecorder = this; }
GlRecorder::~GlRecorder()
{
    if (activeRecorder == this)
        activeRecorder = nullptr;
}

std::vector<std::string> GlRecorder::CallsNamed(const std::string& prefix) const
{
    return Filter(calls_, prefix);
}

std::vector<std::string> GlRecorder::Filter(const std::vector<std::string>& calls, const std::string& prefix)
{
    std::vector<std::string> named;
    for (const std::string& call : calls)
        if (call.compare(0, prefix.size(), prefix) == 0)
            named.push_back(call);
    return named;
}

extern "C" {

void GLAPIENTRY glEnable(GLenum cap)
{
    Record("glEnable(" + EnumName(cap) + ")");
    QM_FORWARD(glEnable, cap);
}

void GLAPIENTRY glDisable(GLenum cap)
{
    Record("glDisable(" + EnumName(cap) + ")");
    QM_FORWARD(glDisable, cap);
}

void GLAPIENTRY glMaterialfv(GLenum face, GLenum name, const GLfloat* params)
{
    Record("glMaterialfv(" + EnumName(face) + ", " + EnumName(name) + ", "
           + Floats(params, name == GL_SHININESS ? 1 : 4) + ")");
    QM_FORWARD(glMaterialfv, face, name, params);
}

void GLAPIENTRY glMaterialf(GLenum face, GLenum name, GLfloat param)
{
    Record("glMaterialf(" + EnumName(face) + ", " + EnumName(name) + ", " + Number(param) + ")");
    QM_FORWARD(glMaterialf, face, name, param);
}

void GLAPIENTRY glLightfv(GLenum light, GLenum name, const GLfloat* params)
{
    Record("glLightfv(" + EnumName(light) + ", " + EnumName(name) + ", " + Floats(params, 4) + ")");
    QM_FORWARD(glLightfv, light, name, params);
}

void GLAPIENTRY glColor3ub(GLubyte red, GLubyte green, GLubyte blue)
{
    Record("glColor3ub(" + std::to_string(red) + ", " + std::to_string(green) + ", " + std::to_string(blue) + ")");
    QM_FORWARD(glColor3ub, red, green, blue);
}

void GLAPIENTRY glColor4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha)
{
    Record("glColor4f(" + Number(red) + ", " + Number(green) + ", " + Number(blue) + ", " + Number(alpha) + ")");
    QM_FORWARD(glColor4f, red, green, blue, alpha);
}

void GLAPIENTRY glBindTexture(GLenum target, GLuint texture)
{
    Record("glBindTexture(" + EnumName(target) + ", " + std::to_string(texture) + ")");
    QM_FORWARD(glBindTexture, target, texture);
}

void GLAPIENTRY glBegin(GLenum mode)
{
    Record("glBegin(" + EnumName(mode) + ")");
    QM_FORWARD(glBegin, mode);
}

void GLAPIENTRY glEnd(void)
{
    Record("glEnd()");
    QM_FORWARD(glEnd);
}

void GLAPIENTRY glTexCoord2f(GLfloat s, GLfloat t)
{
    Record("glTexCoord2f(" + Number(s) + ", " + Number(t) + ")");
    QM_FORWARD(glTexCoord2f, s, t);
}

void GLAPIENTRY glNormal3fv(const GLfloat* v)
{
    Record("glNormal3fv(" + Floats(v, 3) + ")");
    QM_FORWARD(glNormal3fv, v);
}

void GLAPIENTRY glVertex3fv(const GLfloat* v)
{
    Record("glVertex3fv(" + Floats(v, 3) + ")");
    QM_FORWARD(glVertex3fv, v);
}

GLuint GLAPIENTRY glGenLists(GLsizei range)
{
    static const auto real = Real(&::glGenLists, "glGenLists");
    const GLuint base = real(range);
    Record("glGenLists(" + std::to_string(range) + ") = " + std::to_string(base));
    return base;
}

void GLAPIENTRY glNewList(GLuint list, GLenum mode)
{
    Record("glNewList(" + std::to_string(list) + ", " + EnumName(mode) + ")");
    QM_FORWARD(glNewList, list, mode);
}

void GLAPIENTRY glEndList(void)
{
    Record("glEndList()");
    QM_FORWARD(glEndList);
}

void GLAPIENTRY glCallList(GLuint list)
{
    Record("glCallList(" + std::to_string(list) + ")");
    QM_FORWARD(glCallList, list);
}

void GLAPIENTRY glDeleteLists(GLuint list, GLsizei range)
{
    Record("glDeleteLists(" + std::to_string(list) + ", " + std::to_string(range) + ")");
    QM_FORWARD(glDeleteLists, list, range);
}

}  // extern "C"
