#pragma once
// The compiled-in model format: a descriptor pointing at Material and Mesh
// records, which point at vertex, normal, texture-coordinate and index
// arrays. The byte layout is fixed; the checks below keep it so.

#include <cstddef>
#include <cstdint>

struct Material;
struct Mesh;

struct ModelDescriptor {
    std::int32_t meshCount;
    std::int32_t materialCount;
    Material* materials;
    Mesh* meshes;
};

struct Material {
    char name[255];                // "mat0", "mat1", ...; never read
    char textureFile[255];         // image file name; empty: no texture
    std::uint8_t color[3];         // red, green, blue
    std::uint8_t reserved513[3];
    float specular[4];             // RGBA, used when shininess is non-zero
    std::uint8_t reserved532[16];
    float shininess;               // 0: no highlight; else GL_SHININESS = shininess * 120
    float transparency;            // > 0: blended with alpha 1 - transparency
    std::uint8_t brightAmbient;    // non-zero: light 0 ambient white for this mesh on
    std::uint8_t reserved557[3];
    std::int32_t selfIndex;        // the record's index in its model; rewritten at compile
    std::uint8_t reserved564[16];
};

struct Mesh {
    std::int32_t vertexCount;      // elements of vertices, normals and texCoords
    std::int32_t faceCount;        // triangles in indices
    std::int32_t reserved8;
    std::int32_t materialIndex;    // negative: the mesh has no material
    std::uint8_t textured;         // non-zero: drawn with the material's texture
    char name[255];                // "Obj_000001", ...; empty for placeholders
    std::uint8_t spareFlag;        // 0 or 1 in the stored data; never read
    std::uint8_t hidden;           // non-zero: drawn not at all
    std::uint8_t reserved274[2];
    const float* vertices;         // vertexCount x (x, y, z)
    const float* normals;          // vertexCount x (x, y, z)
    const float* texCoords;        // vertexCount x (s, t), or null
    const std::int16_t* indices;   // faceCount x 3 vertex indices
};

// A model addresses its textures by material index in a fixed table.
inline constexpr int kMaxModelMaterials = 32;

// Offsets that hold on every target.
static_assert(offsetof(ModelDescriptor, meshCount) == 0);
static_assert(offsetof(ModelDescriptor, materialCount) == 4);
static_assert(offsetof(ModelDescriptor, materials) == 8);

static_assert(sizeof(Material) == 580);
static_assert(offsetof(Material, name) == 0);
static_assert(offsetof(Material, textureFile) == 255);
static_assert(offsetof(Material, color) == 510);
static_assert(offsetof(Material, specular) == 516);
static_assert(offsetof(Material, shininess) == 548);
static_assert(offsetof(Material, transparency) == 552);
static_assert(offsetof(Material, brightAmbient) == 556);
static_assert(offsetof(Material, selfIndex) == 560);
static_assert(offsetof(Material, reserved564) == 564);

static_assert(offsetof(Mesh, vertexCount) == 0);
static_assert(offsetof(Mesh, faceCount) == 4);
static_assert(offsetof(Mesh, materialIndex) == 12);
static_assert(offsetof(Mesh, textured) == 16);
static_assert(offsetof(Mesh, name) == 17);
static_assert(offsetof(Mesh, spareFlag) == 272);
static_assert(offsetof(Mesh, hidden) == 273);
static_assert(offsetof(Mesh, reserved274) == 274);

// With 32-bit pointers the whole records keep their stored layout.
#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(ModelDescriptor) == 16);
static_assert(offsetof(ModelDescriptor, meshes) == 12);
static_assert(sizeof(Mesh) == 292);
static_assert(offsetof(Mesh, vertices) == 276);
static_assert(offsetof(Mesh, normals) == 280);
static_assert(offsetof(Mesh, texCoords) == 284);
static_assert(offsetof(Mesh, indices) == 288);
#endif
