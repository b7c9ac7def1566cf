#include "render/levels.h"
#include "render/rm_light.h"
#include "render/rm_material.h"

#include "failing_rm.h"

#include <gtest/gtest.h>

namespace {

class WrapperTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(Direct3DRMCreate(&rm), S_OK); }
    void TearDown() override { rm->Release(); }
    IDirect3DRM* rm = nullptr;
};

TEST_F(WrapperTest, LightLevelsAreClampedAndScaled) {
    EXPECT_EQ(255.0f * kLevelToChannel, 1.0f);

    CRMLight dark, bright, ambient;
    ASSERT_TRUE(dark.CreateDirectional(rm, -5));
    EXPECT_EQ(dark.GetLight()->Type(), D3DRMLIGHT_DIRECTIONAL);
    EXPECT_EQ(dark.GetLight()->Color().r, 0.0f);
    EXPECT_EQ(dark.GetLight()->Color().b, 0.0f);

    ASSERT_TRUE(bright.CreateSpot(rm, 300));
    EXPECT_EQ(bright.GetLight()->Type(), D3DRMLIGHT_SPOT);
    EXPECT_EQ(bright.GetLight()->Color().r, 1.0f);
    EXPECT_EQ(bright.GetLight()->Color().g, 1.0f);
    EXPECT_EQ(bright.GetLight()->Color().b, 1.0f);

    ASSERT_TRUE(ambient.CreateAmbient(rm, 10));
    EXPECT_EQ(ambient.GetLight()->Type(), D3DRMLIGHT_AMBIENT);
    EXPECT_NEAR(ambient.GetLight()->Color().g, 0.0392157f, 1e-7f);
}

TEST_F(WrapperTest, ASecondLightCreateIsRefusedAndTheLightStays) {
    CRMLight light;
    ASSERT_TRUE(light.Create(rm, D3DRMLIGHT_SPOT, 255, 0, 0));
    IDirect3DRMLight* held = light.GetLight();
    light.status = 5;
    EXPECT_FALSE(light.CreateAmbient(rm, 10));
    EXPECT_EQ(light.status, 0);
    EXPECT_EQ(light.GetLight(), held);
    EXPECT_EQ(held->Type(), D3DRMLIGHT_SPOT);

    EXPECT_TRUE(light.SetRange(50.0f));
    EXPECT_TRUE(light.SetPenumbra(0.8f));
    EXPECT_EQ(held->Range(), 50.0f);
    EXPECT_EQ(held->Penumbra(), 0.8f);
    EXPECT_FALSE(light.SetRange(-1.0f));
    EXPECT_EQ(light.status, 1);
}

TEST_F(WrapperTest, EmptyLightWrappersCallNothingAndReleaseNothing) {
    const long before = IDirect3DRMLight::LiveCount();
    {
        CRMLight empty;
        EXPECT_EQ(empty.GetLight(), nullptr);
        EXPECT_FALSE(empty.CreateDirectional(nullptr, 100));
        EXPECT_EQ(empty.status, 0);
        EXPECT_FALSE(empty.SetPenumbra(0.5f));
        EXPECT_EQ(empty.status, 0);
        FailingRM* failing = new FailingRM;
        EXPECT_FALSE(empty.CreateSpot(failing, 100));
        EXPECT_EQ(empty.status, 1);
        failing->Release();
    }
    EXPECT_EQ(IDirect3DRMLight::LiveCount(), before);
}

TEST_F(WrapperTest, MaterialCreateStoresThePlatformCode) {
    CRMMaterial material;
    ASSERT_TRUE(material.Create(rm));
    EXPECT_EQ(material.status, 0);
    EXPECT_EQ(material.GetMaterial()->Power(), 5.0f);
    EXPECT_TRUE(material.SetPower(1.0f));
    EXPECT_TRUE(material.SetEmissive(0.0f, 0.0f, 0.0f));
    EXPECT_TRUE(material.SetSpecular(1.0f, 1.0f, 1.0f));
    EXPECT_EQ(material.GetMaterial()->Power(), 1.0f);
    EXPECT_EQ(material.GetMaterial()->Specular().r, 1.0f);
    EXPECT_FALSE(material.SetPower(-1.0f));
    EXPECT_EQ(material.status, 1);

    // A second material would leak the first one's reference: refused.
    IDirect3DRMMaterial* held = material.GetMaterial();
    EXPECT_FALSE(material.Create(rm));
    EXPECT_EQ(material.GetMaterial(), held);

    CRMMaterial failed;
    FailingRM* failing = new FailingRM;
    EXPECT_FALSE(failed.Create(failing));
    EXPECT_EQ(failed.status, FailingRM::kCode);
    EXPECT_EQ(failed.GetMaterial(), nullptr);
    EXPECT_FALSE(failed.SetSpecular(1, 1, 1));
    EXPECT_EQ(failed.status, 0);
    EXPECT_FALSE(failed.Create(nullptr));
    EXPECT_EQ(failed.status, 0);
    failing->Release();
}

} // namespace
