#include "models/MaterialColor.h"

#include <cstring>

#include "models/ModelRecords.h"
#include "scene/Gl.h"

namespace {

constexpr float kByteToFloat = 0.003921569f;
// The weights sum to 0.9999, so white turns into grey 254, not 255.
constexpr float kRedWeight = 0.3333f;
constexpr float kGreenWeight = 0.4444f;
constexpr float kBlueWeight = 0.2222f;
constexpr float kFloatLift = 0.1f;
constexpr int kByteLift = 25;

}  // namespace

SepiaTone SepiaToneOf(float red, float green, float blue)
{
    const float grey = kRedWeight * red + kGreenWeight * green + kBlueWeight * blue;
    return SepiaTone{grey + kFloatLift, grey + kFloatLift, grey};
}

void SetMaterialColour(Material& material, const std::uint8_t colour[3])
{
    std::memcpy(material.color, colour, sizeof material.color);
}

MeshColor ColorOfMaterial(const Material& material, bool sepia)
{
    MeshColor color;
    const std::uint8_t r = material.color[0];
    const std::uint8_t g = material.color[1];
    const std::uint8_t b = material.color[2];

    if (material.transparency > 0.0f) {
        color.translucent = true;
        const float rf = r * kByteToFloat;
        const float gf = g * kByteToFloat;
        const float bf = b * kByteToFloat;
        const float alpha = 1.0f - material.transparency;
        if (sepia) {
            const SepiaTone tone = SepiaToneOf(rf, gf, bf);
            color.floats[0] = tone.red;
            color.floats[1] = tone.green;
            color.floats[2] = tone.blue;
        } else {
            color.floats[0] = rf;
            color.floats[1] = gf;
            color.floats[2] = bf;
        }
        color.floats[3] = alpha;
        return color;
    }

    if (sepia) {
        const float weighted = kRedWeight * static_cast<float>(r) + kGreenWeight * static_cast<float>(g)
                             + kBlueWeight * static_cast<float>(b);
        const int grey = static_cast<int>(weighted);  // 0..254
        const int lift = grey + kByteLift > 255 ? 255 : grey + kByteLift;
        color.bytes[0] = static_cast<std::uint8_t>(lift);
        color.bytes[1] = static_cast<std::uint8_t>(lift);
        color.bytes[2] = static_cast<std::uint8_t>(grey);
    } else {
        color.bytes[0] = r;
        color.bytes[1] = g;
        color.bytes[2] = b;
    }
    return color;
}

void EmitMeshColor(const MeshColor& color)
{
    if (color.translucent)
        glColor4f(color.floats[0], color.floats[1], color.floats[2], color.floats[3]);
    else
        glColor3ub(color.bytes[0], color.bytes[1], color.bytes[2]);
}
