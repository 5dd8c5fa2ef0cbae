#pragma once

#include <cstdint>

struct Material;

// The colour a material gives its mesh, in colour or sepia mode. Opaque
// materials keep byte colours; translucent ones use floats with alpha
// 1 - transparency. Sepia is a warm grey: red and green lifted above blue.
struct MeshColor {
    bool translucent = false;
    std::uint8_t bytes[3] = {};   // opaque: glColor3ub
    float floats[4] = {};         // translucent: glColor4f
};

MeshColor ColorOfMaterial(const Material& material, bool sepia);

// The sepia form of a float colour: its weighted grey with red and green
// lifted by 0.1 above blue. Not clamped: GL clamps colours above 1.
struct SepiaTone {
    float red, green, blue;
};
SepiaTone SepiaToneOf(float red, float green, float blue);

// Copies a byte colour into a material; it takes effect at the next compile.
void SetMaterialColour(Material& material, const std::uint8_t colour[3]);

// Issues the colour with glColor3ub or glColor4f.
void EmitMeshColor(const MeshColor& color);
