// Every embedded mesh and material against the model tables, and the
// soundness of the geometry: indices in range, unit normals that agree with
// the winding, closed solids wound outwards.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "models/data/EmbeddedModels.h"

namespace {

struct MeshRow {
    const char* name;
    int hidden;
    int spareFlag;
    float bounds[6];  // x0, x1, y0, y1, z0, z1
};

struct MaterialRow {
    int r, g, b;
    float specular[4];
    float transparency;
};

struct ModelTable {
    const char* name;
    std::vector<MeshRow> meshes;
    std::vector<MaterialRow> materials;
};

constexpr MaterialRow kWhiteSpecular(int r, int g, int b, float transparency = 0.0f)
{
    return {r, g, b, {1, 1, 1, 0}, transparency};
}

const MeshRow kPlaceholder = {"", 1, 0, {}};

std::vector<ModelTable> Tables()
{
    const MaterialRow finLow = {0, 0, 191, {0.901961f, 0.901961f, 0.901961f, 0}, 0};
    const MaterialRow finHigh = {0, 255, 255, {0, 1, 1, 0}, 0};
    const MaterialRow vane = {101, 101, 170, {0.396078f, 0.396078f, 0.666667f, 0}, 0};
    const MaterialRow shell = {230, 230, 230, {0.745098f, 0.745098f, 0.745098f, 0}, 0};
    const MaterialRow pink = kWhiteSpecular(255, 170, 170, 0.5f);
    const MaterialRow green = kWhiteSpecular(192, 255, 170, 0.5f);
    const std::vector<MaterialRow> passer = {kWhiteSpecular(14, 219, 37, 0.8f), kWhiteSpecular(63, 249, 174, 0.2f)};
    return {
        {"A",
         {{"Obj_000001", 0, 0, {-0.60f, 0.60f, -11.25f, -11.00f, -0.60f, 0.60f}},
          {"Obj_000002", 0, 0, {-1.00f, 1.00f, -11.25f, -11.00f, -1.00f, 1.00f}},
          {"Obj_000003", 0, 1, {-3.20f, -0.92f, -11.06f, -9.13f, -0.20f, 0.20f}},
          {"Obj_000004", 0, 1, {-3.24f, -1.01f, -10.08f, -6.12f, -0.21f, 0.21f}},
          {"Obj_000005", 0, 1, {-0.18f, 0.23f, -11.06f, -9.13f, 0.92f, 3.20f}},
          {"Obj_000006", 0, 1, {-0.18f, 0.24f, -10.08f, -6.12f, 1.01f, 3.24f}},
          {"Obj_000007", 0, 1, {0.92f, 3.20f, -11.06f, -9.13f, -0.23f, 0.18f}},
          {"Obj_000008", 0, 1, {1.01f, 3.24f, -10.08f, -6.12f, -0.24f, 0.18f}},
          {"Obj_000009", 0, 1, {-0.23f, 0.18f, -11.06f, -9.13f, -3.20f, -0.92f}},
          {"Obj_000010", 0, 1, {-0.24f, 0.18f, -10.08f, -6.12f, -3.24f, -1.01f}},
          {"Obj_000011", 0, 0, {-1.65f, 1.65f, -11.00f, 2.32f, -1.65f, 1.65f}},
          {"Obj_000012", 0, 0, {-1.55f, 1.55f, 2.32f, 5.00f, -1.55f, 1.55f}}},
         {kWhiteSpecular(247, 247, 141), {194, 184, 173, {0.760784f, 0.721569f, 0.678431f, 0}, 0}, finLow, finHigh,
          finLow, finHigh, finLow, finHigh, finLow, finHigh, kWhiteSpecular(255, 255, 255),
          kWhiteSpecular(255, 0, 0)}},
        {"B1", {kPlaceholder, {"Obj_000002", 0, 0, {-4.00f, 4.00f, -3.00f, 3.00f, -4.00f, 4.00f}}}, passer},
        {"B2", {{"Obj_000001", 0, 0, {-8.11f, 7.89f, 0.02f, 0.02f, -8.00f, 8.00f}}, kPlaceholder}, passer},
        {"C",
         {{"Obj_000001", 0, 0, {-4.23f, 4.23f, -11.00f, 17.00f, -4.23f, 4.23f}},
          {"Obj_000002", 0, 0, {-3.00f, 3.00f, -11.00f, -11.00f, -3.00f, 3.00f}},
          {"Obj_000003", 0, 1, {-0.99f, 1.00f, -14.10f, -5.05f, 2.51f, 9.75f}},
          {"Obj_000004", 0, 1, {1.96f, 8.61f, -14.10f, -5.05f, -5.28f, -0.60f}},
          {"Obj_000005", 0, 1, {-8.58f, -1.95f, -14.10f, -5.05f, -5.32f, -0.61f}},
          {"Obj_000006", 0, 0, {-10.51f, -7.55f, -17.21f, -6.21f, -6.73f, -3.76f}},
          {"Obj_000007", 0, 0, {-1.49f, 1.49f, -17.21f, -6.21f, 8.95f, 11.94f}},
          {"Obj_000008", 0, 0, {7.58f, 10.54f, -17.21f, -6.21f, -6.67f, -3.71f}},
          kPlaceholder},
         {{202, 108, 108, {1, 0, 0, 0}, 0}, {202, 108, 108, {1, 0, 0, 0}, 0}, vane, vane, vane,
          kWhiteSpecular(255, 0, 0), kWhiteSpecular(255, 0, 0), {255, 0, 0, {1, 0, 0, 0}, 0},
          kWhiteSpecular(255, 255, 255)}},
        {"D",
         {{"Obj_000001", 0, 0, {-21.89f, 21.89f, -0.10f, 0.11f, -21.89f, 21.89f}},
          {"Obj_000002", 0, 0, {-7.00f, 7.00f, -5.19f, -3.70f, -7.00f, 7.00f}},
          {"Obj_000003", 0, 0, {-5.76f, 5.76f, 4.34f, 7.93f, -5.76f, 5.76f}},
          {"Obj_000004", 0, 0, {-21.73f, 21.73f, 0.08f, 4.65f, -21.73f, 21.73f}},
          {"Obj_000005", 0, 0, {-21.74f, 21.74f, -3.71f, -0.07f, -21.74f, 21.74f}},
          {"Obj_000006", 0, 0, {-15.00f, -14.16f, 2.77f, 3.46f, -0.95f, 0.95f}},
          {"Obj_000007", 0, 0, {-16.00f, -15.00f, 2.51f, 3.46f, -0.95f, 0.95f}},
          {"Obj_000008", 0, 0, {-11.28f, -9.73f, 2.77f, 3.46f, -11.28f, -9.73f}},
          {"Obj_000009", 0, 0, {-11.59f, -9.93f, 2.51f, 3.46f, -11.59f, -9.93f}},
          {"Obj_000010", 0, 0, {-0.95f, 0.95f, 2.77f, 3.46f, -15.00f, -14.16f}},
          {"Obj_000011", 0, 0, {-0.95f, 0.95f, 2.51f, 3.46f, -16.00f, -15.00f}},
          {"Obj_000012", 0, 0, {14.16f, 15.00f, 2.77f, 3.46f, -0.95f, 0.95f}},
          {"Obj_000013", 0, 0, {15.00f, 16.00f, 2.51f, 3.46f, -0.95f, 0.95f}},
          {"Obj_000014", 0, 0, {9.73f, 11.28f, 2.77f, 3.46f, 9.73f, 11.28f}},
          {"Obj_000015", 0, 0, {9.93f, 11.59f, 2.51f, 3.46f, 9.93f, 11.59f}},
          {"Obj_000016", 0, 0, {-0.95f, 0.95f, 2.77f, 3.46f, 14.16f, 15.00f}},
          {"Obj_000017", 0, 0, {-0.95f, 0.95f, 2.51f, 3.46f, 15.00f, 16.00f}}},
         {kWhiteSpecular(255, 0, 0), kWhiteSpecular(213, 255, 255, 0.8f), kWhiteSpecular(233, 214, 229, 0.69f), shell,
          shell, pink, pink, pink, pink, pink, pink, green, green, green, green, green, green}},
    };
}

struct Vec {
    double x, y, z;
};
Vec Sub(Vec a, Vec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec Cross(Vec a, Vec b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec At(const float* array, int index) { return {array[3 * index], array[3 * index + 1], array[3 * index + 2]}; }

class EmbeddedModelTest : public ::testing::TestWithParam<ModelTable> {};

TEST_P(EmbeddedModelTest, RecordsMatchTheModelTable)
{
    const ModelTable& table = GetParam();
    const ModelDescriptor* model = FindEmbeddedModel(table.name);
    ASSERT_NE(model, nullptr);
    ASSERT_EQ(model->meshCount, static_cast<int>(table.meshes.size()));
    ASSERT_EQ(model->materialCount, static_cast<int>(table.materials.size()));

    for (int k = 0; k < model->materialCount; ++k) {
        SCOPED_TRACE("material " + std::to_string(k));
        const Material& material = model->materials[k];
        const MaterialRow& row = table.materials[k];
        EXPECT_STREQ(material.name, ("mat" + std::to_string(k)).c_str());
        EXPECT_STREQ(material.textureFile, "");
        EXPECT_EQ(material.color[0], row.r);
        EXPECT_EQ(material.color[1], row.g);
        EXPECT_EQ(material.color[2], row.b);
        for (int c = 0; c < 4; ++c)
            EXPECT_FLOAT_EQ(material.specular[c], row.specular[c]);
        EXPECT_EQ(material.shininess, 0.0f);
        EXPECT_FLOAT_EQ(material.transparency, row.transparency);
        EXPECT_EQ(material.brightAmbient, 0);
        EXPECT_EQ(material.selfIndex, k);
    }

    for (int k = 0; k < model->meshCount; ++k) {
        SCOPED_TRACE("mesh " + std::to_string(k));
        const Mesh& mesh = model->meshes[k];
        const MeshRow& row = table.meshes[k];
        EXPECT_STREQ(mesh.name, row.name);
        EXPECT_EQ(mesh.materialIndex, k);
        EXPECT_EQ(mesh.hidden, row.hidden);
        EXPECT_EQ(mesh.spareFlag, row.spareFlag);
        EXPECT_EQ(mesh.textured, 0);
        EXPECT_EQ(mesh.texCoords, nullptr);
        EXPECT_EQ(mesh.reserved8, 0);
        // Placeholders borrow a neighbour's arrays but have nothing to draw.
        EXPECT_TRUE(mesh.vertices && mesh.normals && mesh.indices);
        if (row.name[0] == '\0') {
            EXPECT_EQ(mesh.vertexCount, 0);
            EXPECT_EQ(mesh.faceCount, 0);
            continue;
        }
        ASSERT_GT(mesh.faceCount, 0);
        float low[3] = {1e9f, 1e9f, 1e9f}, high[3] = {-1e9f, -1e9f, -1e9f};
        for (int v = 0; v < mesh.vertexCount; ++v)
            for (int axis = 0; axis < 3; ++axis) {
                low[axis] = std::fmin(low[axis], mesh.vertices[3 * v + axis]);
                high[axis] = std::fmax(high[axis], mesh.vertices[3 * v + axis]);
            }
        for (int axis = 0; axis < 3; ++axis) {
            EXPECT_NEAR(low[axis], row.bounds[2 * axis], 0.01) << "axis " << axis;
            EXPECT_NEAR(high[axis], row.bounds[2 * axis + 1], 0.01) << "axis " << axis;
        }
    }
}

TEST_P(EmbeddedModelTest, GeometryIsSoundAndWoundOutwards)
{
    const ModelDescriptor* model = FindEmbeddedModel(GetParam().name);
    ASSERT_NE(model, nullptr);
    for (int k = 0; k < model->meshCount; ++k) {
        SCOPED_TRACE("mesh " + std::to_string(k));
        const Mesh& mesh = model->meshes[k];
        ASSERT_LE(mesh.vertexCount, 32768);
        double volume = 0.0;
        bool flat = false;
        for (int f = 0; f < mesh.faceCount; ++f) {
            Vec corners[3];
            Vec normalSum = {0, 0, 0};
            for (int c = 0; c < 3; ++c) {
                const int index = mesh.indices[3 * f + c];
                ASSERT_GE(index, 0);
                ASSERT_LT(index, mesh.vertexCount);
                corners[c] = At(mesh.vertices, index);
                const Vec normal = At(mesh.normals, index);
                ASSERT_NEAR(std::sqrt(Dot(normal, normal)), 1.0, 1e-5) << "vertex " << index;
                normalSum = {normalSum.x + normal.x, normalSum.y + normal.y, normalSum.z + normal.z};
            }
            const Vec facing = Cross(Sub(corners[1], corners[0]), Sub(corners[2], corners[0]));
            // Counter-clockwise around the normals the vertices carry.
            ASSERT_GT(Dot(facing, normalSum), 0.0) << "face " << f;
            volume += Dot(corners[0], Cross(corners[1], corners[2])) / 6.0;
            flat = flat || std::fabs(facing.x) + std::fabs(facing.z) < 1e-9;
        }
        // Closed solids enclose a positive volume when their faces point out.
        if (mesh.faceCount > 0 && !flat) {
            EXPECT_GT(volume, 0.0);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Models, EmbeddedModelTest, ::testing::ValuesIn(Tables()),
                         [](const ::testing::TestParamInfo<ModelTable>& info) { return std::string(info.param.name); });

TEST(EmbeddedModelLookup, KnowsTheFiveNamesOnly)
{
    EXPECT_EQ(FindEmbeddedModel("A"), &modelA);
    EXPECT_EQ(FindEmbeddedModel("B1"), &modelB1);
    EXPECT_EQ(FindEmbeddedModel("B2"), &modelB2);
    EXPECT_EQ(FindEmbeddedModel("C"), &modelC);
    EXPECT_EQ(FindEmbeddedModel("D"), &modelD);
    for (const char* unknown : {"a", "B", "B3", "", "A ", "DD"})
        EXPECT_EQ(FindEmbeddedModel(unknown), nullptr) << unknown;
    EXPECT_EQ(FindEmbeddedModel(nullptr), nullptr);
    // The passer's two models keep separate material records.
    EXPECT_NE(modelB1.materials, modelB2.materials);
}

}  // namespace
