#include "platform/d3drm/d3drm.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

namespace {

class LightMaterialTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(Direct3DRMCreate(&rm), S_OK); }
    void TearDown() override { rm->Release(); }
    IDirect3DRM* rm = nullptr;
};

TEST_F(LightMaterialTest, ANewLightHasTheDefaultConeRangeAndAttenuation) {
    IDirect3DRMLight* light = nullptr;
    ASSERT_EQ(rm->CreateLightRGB(D3DRMLIGHT_SPOT, 0.25f, 0.5f, 2.0f, &light), S_OK);
    EXPECT_EQ(light->Type(), D3DRMLIGHT_SPOT);
    EXPECT_EQ(light->Color().r, 0.25f);
    EXPECT_EQ(light->Color().b, 2.0f); // kept as given; the renderer clamps
    EXPECT_FLOAT_EQ(light->Umbra(), 0.4f);
    EXPECT_FLOAT_EQ(light->Penumbra(), 0.5f);
    EXPECT_EQ(light->Range(), FLT_MAX);
    EXPECT_EQ(light->ConstantAttenuation(), 1.0f);
    EXPECT_EQ(light->LinearAttenuation(), 0.0f);
    EXPECT_EQ(light->QuadraticAttenuation(), 0.0f);

    const uint64_t stamp = IDirect3DRMObject::CurrentRevision();
    ASSERT_EQ(light->SetRange(100.0f), S_OK);
    ASSERT_EQ(light->SetPenumbra(0.7f), S_OK);
    EXPECT_GT(light->Revision(), stamp);
    EXPECT_EQ(light->Range(), 100.0f);
    EXPECT_EQ(light->Penumbra(), 0.7f);
    EXPECT_EQ(light->SetRange(-1.0f), D3DRMERR_BADVALUE);
    EXPECT_EQ(light->SetPenumbra(NAN), D3DRMERR_BADVALUE);
    EXPECT_EQ(light->Range(), 100.0f);
    light->Release();
}

TEST_F(LightMaterialTest, CreationRefusesBadArguments) {
    IDirect3DRMLight* light = nullptr;
    EXPECT_EQ(rm->CreateLightRGB(static_cast<D3DRMLIGHTTYPE>(9), 1, 1, 1, &light),
              D3DRMERR_BADVALUE);
    EXPECT_EQ(light, nullptr);
    EXPECT_EQ(rm->CreateLightRGB(D3DRMLIGHT_AMBIENT, 1, 1, 1, nullptr), D3DRMERR_BADVALUE);
    IDirect3DRMMaterial* material = nullptr;
    EXPECT_EQ(rm->CreateMaterial(-1.0f, &material), D3DRMERR_BADVALUE);
    EXPECT_EQ(material, nullptr);
    EXPECT_EQ(rm->CreateFrame(nullptr, nullptr), D3DRMERR_BADVALUE);
    EXPECT_EQ(rm->CreateMesh(nullptr), D3DRMERR_BADVALUE);
    EXPECT_EQ(Direct3DRMCreate(nullptr), D3DRMERR_BADVALUE);
}

TEST_F(LightMaterialTest, MaterialParametersAreKeptAndStamped) {
    IDirect3DRMMaterial* material = nullptr;
    ASSERT_EQ(rm->CreateMaterial(5.0f, &material), S_OK);
    EXPECT_EQ(material->Power(), 5.0f);
    EXPECT_EQ(material->Specular().g, 0.0f);
    const uint64_t stamp = IDirect3DRMObject::CurrentRevision();
    ASSERT_EQ(material->SetPower(1.5f), S_OK);
    ASSERT_EQ(material->SetSpecular(0.5f, 0.5f, 0.5f), S_OK);
    ASSERT_EQ(material->SetEmissive(0.0f, 0.1f, 0.0f), S_OK);
    EXPECT_GT(material->Revision(), stamp);
    EXPECT_EQ(material->Power(), 1.5f);
    EXPECT_EQ(material->Specular().b, 0.5f);
    EXPECT_EQ(material->Emissive().g, 0.1f);
    EXPECT_EQ(material->SetPower(-2.0f), D3DRMERR_BADVALUE);
    EXPECT_EQ(material->SetSpecular(INFINITY, 0, 0), D3DRMERR_BADVALUE);
    EXPECT_EQ(material->Power(), 1.5f);
    material->Release();
}

} // namespace
