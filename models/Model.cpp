#include "models/Model.h"

#include <cstring>

#include "models/MaterialColor.h"
#include "models/TextureLoader.h"
#include "scene/ShowState.h"

namespace {

const GLfloat kBlack[] = {0.0f, 0.0f, 0.0f, 1.0f};
const GLfloat kWhite[] = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr float kShininessScale = 120.0f;

// White, or in sepia mode white with blue one step down.
void EmitNeutralColor()
{
    glColor3ub(255, 255, sepiaMode ? 254 : 255);
}

void EmitMaterialState(const Material& material)
{
    EmitMeshColor(ColorOfMaterial(material, sepiaMode));

    if (material.shininess == 0.0f) {
        glMaterialfv(GL_FRONT, GL_SPECULAR, kBlack);
        glMaterialf(GL_FRONT, GL_SHININESS, 0.0f);
    } else {
        glMaterialfv(GL_FRONT, GL_SPECULAR, sepiaMode ? kWhite : material.specular);
        glMaterialf(GL_FRONT, GL_SHININESS, material.shininess * kShininessScale);
    }

    if (material.transparency > 0.0f)
        glEnable(GL_BLEND);
    else
        glDisable(GL_BLEND);

    glLightfv(GL_LIGHT0, GL_AMBIENT, material.brightAmbient ? kWhite : kBlack);
}

bool FaceInRange(const std::int16_t* corners, std::int32_t vertexCount)
{
    for (int c = 0; c < 3; ++c)
        if (corners[c] < 0 || corners[c] >= vertexCount)
            return false;
    return true;
}

void EmitTriangles(const Mesh& mesh)
{
    const bool withTexCoords = mesh.textured && mesh.texCoords;
    glBegin(GL_TRIANGLES);
    if (mesh.indices && mesh.vertices && mesh.normals) {
        for (std::int32_t face = 0; face < mesh.faceCount; ++face) {
            const std::int16_t* corners = mesh.indices + 3 * static_cast<std::ptrdiff_t>(face);
            // A face that names a vertex the mesh does not have is left out whole.
            if (!FaceInRange(corners, mesh.vertexCount))
                continue;
            for (int c = 0; c < 3; ++c) {
                const std::ptrdiff_t index = corners[c];
                if (withTexCoords)
                    glTexCoord2f(mesh.texCoords[2 * index], mesh.texCoords[2 * index + 1]);
                glNormal3fv(mesh.normals + 3 * index);
                glVertex3fv(mesh.vertices + 3 * index);
            }
        }
    }
    glEnd();
}

}  // namespace

Model::Model()
    : meshCount(0), materialCount(0), materials(nullptr), meshes(nullptr), textures{}, listBase(0)
{
}

Model::~Model()
{
    if (listBase != 0)
        glDeleteLists(listBase, reservedLists_ > 0 ? reservedLists_ : 1);
    if (geometryBase != 0)
        glDeleteLists(geometryBase, geometryLists_);
}

void Model::copyFrom(const ModelDescriptor& descriptor, int listCount)
{
    meshCount = descriptor.meshCount;
    materialCount = descriptor.materialCount;
    materials = descriptor.materials;
    meshes = descriptor.meshes;
    compile(listCount);
}

void Model::compile(int listCount)
{
    const TextureLoader loader = CurrentTextureLoader();
    for (std::int32_t i = 0; materials && i < materialCount; ++i) {
        Material& material = materials[i];
        // Materials past the texture table are drawn, but get no texture.
        if (material.textureFile[0] != '\0' && loader && i < kMaxModelMaterials) {
            char file[sizeof material.textureFile + 1] = {};
            std::memcpy(file, material.textureFile, sizeof material.textureFile);
            loader(textures, file, i);
        }
        material.selfIndex = i;
    }

    // A second compile replaces the block instead of leaking it.
    if (listBase != 0 && reservedLists_ > 0)
        glDeleteLists(listBase, reservedLists_);
    BuildGeometryLists();
    listBase = glGenLists(listCount);
    reservedLists_ = listCount;
    compileList(0);
}

void Model::BuildGeometryLists()
{
    if (geometryBase != 0)
        glDeleteLists(geometryBase, geometryLists_);
    geometryBase = 0;
    geometryLists_ = 0;
    if (!meshes || meshCount <= 0)
        return;
    const GLuint base = glGenLists(meshCount);
    if (base == 0)
        return;  // no names left: emit issues the triangles itself
    // Hidden meshes too: a restyle may show them.
    for (std::int32_t m = 0; m < meshCount; ++m) {
        glNewList(base + static_cast<GLuint>(m), GL_COMPILE);
        EmitTriangles(meshes[m]);
        glEndList();
    }
    geometryBase = base;
    geometryLists_ = meshCount;
}

void Model::compileList(int list)
{
    glNewList(listBase + static_cast<GLuint>(list), GL_COMPILE);
    emit();
    glEndList();
}

void Model::callList(int list) const
{
    glCallList(listBase + static_cast<GLuint>(list));
}

void Model::emit() const
{
    glEnable(GL_LIGHTING);
    glEnable(GL_NORMALIZE);
    glMaterialfv(GL_FRONT, GL_AMBIENT, kBlack);
    glDisable(GL_BLEND);
    glLightfv(GL_LIGHT0, GL_AMBIENT, kBlack);

    for (std::int32_t m = 0; meshes && m < meshCount; ++m) {
        const Mesh& mesh = meshes[m];
        if (mesh.hidden)
            continue;

        const bool hasMaterial = materials && mesh.materialIndex >= 0 && mesh.materialIndex < materialCount;
        if (mesh.textured) {
            // Material, blend and light state stay as the previous mesh left them.
            const bool hasTextureSlot = hasMaterial && mesh.materialIndex < kMaxModelMaterials;
            glEnable(GL_TEXTURE_2D);
            EmitNeutralColor();
            glBindTexture(GL_TEXTURE_2D, hasTextureSlot ? textures[mesh.materialIndex] : 0);
        } else if (!hasMaterial) {
            glColor3ub(255, 255, 255);
        } else {
            EmitMaterialState(materials[mesh.materialIndex]);
        }
        if (geometryBase != 0)
            glCallList(geometryBase + static_cast<GLuint>(m));
        else
            EmitTriangles(mesh);
    }

    glLightfv(GL_LIGHT0, GL_AMBIENT, kBlack);
    glDisable(GL_BLEND);
    EmitNeutralColor();
}
