#pragma once
// Small hand-made models for the compiler tests.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "models/Model.h"
#include "models/ModelRecords.h"
#include "scene/Gl.h"

// One triangle in the z = 0 plane facing +z, with texture coordinates.
struct Triangle {
    float vertices[9] = {0, 0, 0, 1, 0, 0, 0, 1, 0};
    float normals[9] = {0, 0, 1, 0, 0, 1, 0, 0, 1};
    float texCoords[6] = {0, 0, 1, 0, 0, 1};
    std::int16_t indices[3] = {0, 1, 2};
};

inline Material MakeMaterial(std::uint8_t r, std::uint8_t g, std::uint8_t b, float transparency = 0.0f)
{
    Material material;
    std::memset(&material, 0, sizeof material);
    material.color[0] = r;
    material.color[1] = g;
    material.color[2] = b;
    material.specular[0] = material.specular[1] = material.specular[2] = material.specular[3] = 1.0f;
    material.transparency = transparency;
    return material;
}

inline Mesh MakeMesh(std::int32_t materialIndex, const Triangle& triangle)
{
    Mesh mesh;
    std::memset(&mesh, 0, sizeof mesh);
    mesh.vertexCount = 3;
    mesh.faceCount = 1;
    mesh.materialIndex = materialIndex;
    mesh.vertices = triangle.vertices;
    mesh.normals = triangle.normals;
    mesh.texCoords = triangle.texCoords;
    mesh.indices = triangle.indices;
    return mesh;
}

// Materials and meshes held in exactly sized vectors, so that a read past
// either shows up under the address sanitizer.
struct HandModel {
    std::vector<Material> materials;
    std::vector<Mesh> meshes;

    ModelDescriptor descriptor()
    {
        return {static_cast<std::int32_t>(meshes.size()), static_cast<std::int32_t>(materials.size()),
                materials.empty() ? nullptr : materials.data(), meshes.data()};
    }
};

// A square over the whole view with the picture the right way up on it.
struct TexturedSquare {
    float vertices[12] = {-1, -1, 0, 1, -1, 0, 1, 1, 0, -1, 1, 0};
    float normals[12] = {0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1};
    float texCoords[8] = {0, 0, 1, 0, 1, 1, 0, 1};
    std::int16_t indices[6] = {0, 1, 2, 0, 2, 3};
    Triangle unused;
    HandModel hand{{MakeMaterial(10, 20, 30)}, {MakeMesh(0, unused)}};

    explicit TexturedSquare(const std::string& bitmap)
    {
        std::strncpy(hand.materials[0].textureFile, bitmap.c_str(), sizeof hand.materials[0].textureFile - 1);
        Mesh& mesh = hand.meshes[0];
        mesh.vertexCount = 4, mesh.faceCount = 2, mesh.textured = 1;
        mesh.vertices = vertices, mesh.normals = normals, mesh.texCoords = texCoords, mesh.indices = indices;
    }
};

// Draws the square, compiled with the installed texture loader, filling a
// square viewport, lit by a white light straight at it so that the texels
// keep their colours.
inline void DrawLitTexturedSquare(TexturedSquare& square, Model& model)
{
    const GLfloat white[] = {1, 1, 1, 1}, towardViewer[] = {0, 0, 1, 0};
    glOrtho(-1, 1, -1, 1, -1, 1);
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_POSITION, towardViewer);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, white);
    model.copyFrom(square.hand.descriptor(), 1);
    model.callList(0);
    glFinish();
}

// Where quadrants.bmp's four colours land in a 64 x 64 picture of the square:
// red and green above, blue and white below.
struct QuadrantPixel {
    int x, y;
    std::uint8_t rgb[3];
};
inline constexpr QuadrantPixel kQuadrantPixels[] = {
    {16, 48, {255, 0, 0}}, {48, 48, {0, 255, 0}}, {16, 16, {0, 0, 255}}, {48, 16, {255, 255, 255}}};
