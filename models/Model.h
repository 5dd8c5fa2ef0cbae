#pragma once

#include "models/ModelRecords.h"
#include "scene/Gl.h"

// The in-memory copy of a model that an actor embeds: the descriptor's
// fields, a texture per material index and a block of display lists. The
// Material and Mesh records stay the shared static data; edits to them take
// effect at the next compilation. Every operation needs a current GL context.
class Model {
public:
    Model();
    // Deletes the display lists reserved by compile.
    ~Model();
    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;

    // Copies the descriptor and compiles: textures, listCount list names, list 0.
    void copyFrom(const ModelDescriptor& descriptor, int listCount);
    // Loads textures, sets selfIndex, reserves listCount lists, compiles list 0.
    void compile(int listCount);
    // Records emit() into list `list` (0-based) of the block.
    void compileList(int list);
    void callList(int list) const;
    // Issues the model's GL commands: into the open list, or at once. The
    // triangles of each mesh come from its geometry list once compile has
    // made them, else they are issued one by one.
    void emit() const;

    std::int32_t meshCount;
    std::int32_t materialCount;
    Material* materials;
    Mesh* meshes;
    GLuint textures[kMaxModelMaterials];
    GLuint listBase;
    // One list per mesh holding only its triangles, made once by compile:
    // a restyle recompiles colours and state, not every vertex. 0 when none.
    GLuint geometryBase = 0;

private:
    void BuildGeometryLists();

    GLsizei reservedLists_ = 0;
    GLsizei geometryLists_ = 0;
};
