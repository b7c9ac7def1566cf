// A root object for the piece and pipe tests.
#pragma once

#include "platform/d3drm/d3drm.h"

#include <gtest/gtest.h>

class SceneTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(Direct3DRMCreate(&rm), S_OK);
        ASSERT_EQ(rm->CreateFrame(nullptr, &scene), S_OK);
    }
    void TearDown() override {
        scene->Release();
        rm->Release();
    }
    IDirect3DRM* rm = nullptr;
    IDirect3DRMFrame* scene = nullptr;
};
