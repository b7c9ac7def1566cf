// Rendered images: reference pictures, lighting, clipping planes, culling and shared edges.
#include "pipes/cylinder_mesh.h"
#include "pipes/elbow_mesh.h"
#include "platform/null/null_window_backend.h"
#include "platform/d3drm/d3drm.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kSize = 64;
constexpr D3DVALUE kAmbient = 10 * 0.003921569f;

// A 64 × 64 device looking along +x from the origin at a scene with an ambient light.
class ImageTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* backend = dynamic_cast<NullWindowBackend*>(&AfxGetWindowBackend());
        ASSERT_NE(backend, nullptr);
        ASSERT_EQ(Direct3DRMCreate(&rm), S_OK);
        ASSERT_EQ(rm->CreateFrame(nullptr, &scene), S_OK);
        ASSERT_EQ(rm->CreateFrame(scene, &camera), S_OK);
        ASSERT_EQ(camera->SetOrientation(scene, 1, 0, 0, 0, 1, 0), S_OK);
        ASSERT_EQ(rm->CreateFrame(scene, &objects), S_OK);
        ASSERT_EQ(DirectDrawCreateClipper(0, &clipper, nullptr), S_OK);
        clipper->SetHWnd(0, backend->CreateForeignWindow(kSize, kSize));
        ASSERT_EQ(rm->CreateDeviceFromClipper(clipper, nullptr, 0, 0, &device), S_OK);
        ASSERT_EQ(rm->CreateViewport(device, camera, 0, 0, kSize, kSize, &viewport), S_OK);
        ASSERT_EQ(viewport->SetBack(5000.0f), S_OK);
        scene->SetSceneBackgroundRGB(0.2f, 0.2f, 0.2f);
        AddLight(D3DRMLIGHT_AMBIENT, kAmbient, scene);
    }
    void TearDown() override {
        for (IUnknown* p :
             std::vector<IUnknown*>{viewport, device, clipper, objects, camera, scene, rm})
            p->Release();
        EXPECT_EQ(IDirect3DRMMesh::LiveCount(), 0);
        EXPECT_EQ(IDirect3DRMLight::LiveCount(), 0);
    }

    // A light on its own frame at `from`, shining towards `to` (ambient lights go on `on`).
    void AddLight(D3DRMLIGHTTYPE type, D3DVALUE level, IDirect3DRMFrame* on, D3DVECTOR from = {},
                  D3DVECTOR to = {1, 0, 0}) {
        IDirect3DRMLight* light = nullptr;
        ASSERT_EQ(rm->CreateLightRGB(type, level, level, level, &light), S_OK);
        IDirect3DRMFrame* frame = on;
        if (!frame) {
            ASSERT_EQ(rm->CreateFrame(scene, &frame), S_OK);
            frame->SetPosition(scene, from.x, from.y, from.z);
            frame->SetOrientation(scene, to.x - from.x, to.y - from.y, to.z - from.z, 0, 1, 0.001f);
        }
        frame->AddLight(light);
        light->Release();
        if (!on) frame->Release();
    }

    void AddCylinder(D3DVALUE radius, D3DVALUE length, D3DVECTOR centre, D3DVALUE rotX,
                     D3DVALUE rotZ, D3DCOLOR colour, int sides = 10) {
        const CYLINDERPARAMS p{radius, length, centre.x, centre.y, centre.z,
                               colour, rotX,   rotZ,     0.0f};
        CCylinderMesh cylinder;
        cylinder.SetParams(&p);
        ASSERT_TRUE(cylinder.Create(rm, sides));
        objects->AddVisual(cylinder.GetMesh());
    }

    void AddElbow(D3DVALUE radius, D3DVECTOR at, D3DCOLOR colour) {
        const ELBOWPARAMS p{
            radius, radius * 1.5f * 1.5707963f, 1.5707963f, at.x, at.y, at.z, colour, 0, 0, 0};
        CElbowMesh elbow;
        elbow.SetParams(&p);
        ASSERT_TRUE(elbow.Create(rm, 10, 10));
        objects->AddVisual(elbow.GetMesh());
    }

    // A square of half-size h at distance x facing the camera; clockwise as the camera sees it
    // unless reversed.
    void AddSquare(D3DVALUE x, D3DVALUE h, D3DCOLOR colour, bool reversed = false) {
        IDirect3DRMMesh* mesh = nullptr;
        ASSERT_EQ(rm->CreateMesh(&mesh), S_OK);
        // Screen right is world −z, up is +y: top-left, top-right, bottom-right, bottom-left.
        const unsigned clockwise[] = {0, 1, 2, 3}, anticlockwise[] = {3, 2, 1, 0};
        D3DRMGROUPINDEX g;
        ASSERT_EQ(mesh->AddGroup(4, 1, 4, reversed ? anticlockwise : clockwise, &g), S_OK);
        D3DRMVERTEX v[4]{};
        const D3DVECTOR corners[] = {{x, h, h}, {x, h, -h}, {x, -h, -h}, {x, -h, h}};
        for (int i = 0; i < 4; ++i) {
            v[i].position = corners[i];
            v[i].normal = {-1, 0, 0};
        }
        mesh->SetVertices(g, 0, 4, v);
        mesh->SetGroupColor(g, colour);
        objects->AddVisual(mesh);
        mesh->Release();
    }

    // The same wall split into n × n cells, so that per-vertex lighting can show a pool.
    void AddWall(D3DVALUE x, D3DVALUE h, int n, D3DCOLOR colour) {
        IDirect3DRMMesh* mesh = nullptr;
        ASSERT_EQ(rm->CreateMesh(&mesh), S_OK);
        const unsigned row = static_cast<unsigned>(n) + 1;
        std::vector<unsigned> faces;
        for (unsigned i = 0; i < unsigned(n); ++i)
            for (unsigned j = 0; j < unsigned(n); ++j)
                faces.insert(faces.end(), {i * row + j, i * row + j + 1, (i + 1) * row + j + 1,
                                           (i + 1) * row + j});
        D3DRMGROUPINDEX g;
        ASSERT_EQ(mesh->AddGroup(row * row, unsigned(n * n), 4, faces.data(), &g), S_OK);
        std::vector<D3DRMVERTEX> v(row * row);
        for (unsigned i = 0; i < row; ++i)
            for (unsigned j = 0; j < row; ++j) {
                const D3DVALUE step = 2 * h / static_cast<D3DVALUE>(n);
                v[i * row + j].position = {x, h - step * static_cast<D3DVALUE>(i),
                                           h - step * static_cast<D3DVALUE>(j)};
                v[i * row + j].normal = {-1, 0, 0};
            }
        mesh->SetVertices(g, 0, row * row, v.data());
        mesh->SetGroupColor(g, colour);
        objects->AddVisual(mesh);
        mesh->Release();
    }

    const swr::FrameBuffer& Draw() {
        EXPECT_EQ(viewport->Clear(), S_OK);
        EXPECT_EQ(viewport->Render(scene), S_OK);
        EXPECT_EQ(device->Update(), S_OK);
        return device->GetFrameBuffer();
    }

    uint32_t Background() const { return D3DRMCreateColorRGB(0.2f, 0.2f, 0.2f) | 0xFF000000u; }

    IDirect3DRM* rm = nullptr;
    IDirect3DRMFrame* scene = nullptr;
    IDirect3DRMFrame* camera = nullptr;
    IDirect3DRMFrame* objects = nullptr;
    IDirectDrawClipper* clipper = nullptr;
    IDirect3DRMDevice* device = nullptr;
    IDirect3DRMViewport* viewport = nullptr;
};

int Grey(uint32_t p) {
    return static_cast<int>(((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF));
}

std::vector<uint32_t> Pixels(const swr::FrameBuffer& fb) {
    return std::vector<uint32_t>(fb.Pixels(),
                                 fb.Pixels() + static_cast<size_t>(fb.Width()) * fb.Height());
}

void WritePpm(const std::string& path, const std::vector<uint32_t>& pixels) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << kSize << " " << kSize << "\n255\n";
    for (uint32_t p : pixels) {
        const char rgb[3] = {static_cast<char>(p >> 16), static_cast<char>(p >> 8),
                             static_cast<char>(p)};
        out.write(rgb, 3);
    }
}

std::vector<uint32_t> ReadPpm(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int w = 0, h = 0, max = 0;
    in >> magic >> w >> h >> max;
    in.get();
    std::vector<uint32_t> pixels;
    if (magic != "P6" || w != kSize || h != kSize || max != 255) return pixels;
    for (int i = 0; i < w * h; ++i) {
        unsigned char rgb[3];
        if (!in.read(reinterpret_cast<char*>(rgb), 3)) return {};
        pixels.push_back(0xFF000000u | (uint32_t{rgb[0]} << 16) | (uint32_t{rgb[1]} << 8) | rgb[2]);
    }
    return pixels;
}

// Compares with a checked-in picture: each channel within 2 levels, and at most 8 pixels (a
// rounding at an edge) further off. QUORVEL_WRITE_REFERENCES=1 writes the picture instead.
void ExpectMatchesReference(const std::vector<uint32_t>& pixels, const std::string& name) {
    const std::string path = std::string(QUORVEL_REFERENCE_DIR) + "/" + name + ".ppm";
    if (const char* write = std::getenv("QUORVEL_WRITE_REFERENCES");
        write && std::string(write) == "1") {
        WritePpm(path, pixels);
        return;
    }
    const std::vector<uint32_t> reference = ReadPpm(path);
    ASSERT_EQ(reference.size(), pixels.size()) << "missing or malformed " << path;
    int off = 0;
    for (size_t i = 0; i < pixels.size(); ++i)
        for (int shift : {0, 8, 16})
            if (std::abs(static_cast<int>((pixels[i] >> shift) & 0xFF) -
                         static_cast<int>((reference[i] >> shift) & 0xFF)) > 2) {
                ++off;
                break;
            }
    EXPECT_LE(off, 8) << name << ": " << off << " pixels differ from the reference";
}

TEST_F(ImageTest, CylinderAndElbowMatchTheirReferences) {
    AddLight(D3DRMLIGHT_DIRECTIONAL, 1.0f, nullptr, {0, 20, 0}, {100, 0, 0});
    AddCylinder(1.2f, 5.0f, {12, 1.5f, 0}, 0, 0, 0xFFE04020u);
    AddElbow(1.2f, {12, -2.5f, 1.0f}, 0xFF2080E0u);
    ExpectMatchesReference(Pixels(Draw()), "cylinder_elbow_directional");
}

TEST_F(ImageTest, SpotLitCylinderMatchesItsReference) {
    AddLight(D3DRMLIGHT_SPOT, 1.0f, nullptr, {0, 3, 0}, {12, 0, 0});
    AddCylinder(1.2f, 8.0f, {12, 0, 0}, 0, 1.5707963f, 0xFF40C040u);
    ExpectMatchesReference(Pixels(Draw()), "cylinder_spot");
}

TEST_F(ImageTest, BackgroundIsExactlyTheSceneGrey) {
    AddCylinder(1.0f, 2.0f, {10, 0, 0}, 0, 0, 0xFFFFFFFFu);
    const swr::FrameBuffer& fb = Draw();
    EXPECT_EQ(fb.Pixel(0, 0), Background());
    EXPECT_EQ(fb.Pixel(kSize - 1, kSize - 1), Background());
    EXPECT_EQ(Background(), 0xFF333333u); // floor(0.2 × 255) = 51
    EXPECT_NE(fb.Pixel(kSize / 2, kSize / 2), Background());
}

TEST_F(ImageTest, DirectionalLightBrightensTheSideFacingIt) {
    // Shining along +z: it lights surfaces facing −z, which is the right of the screen.
    AddLight(D3DRMLIGHT_DIRECTIONAL, 1.0f, nullptr, {10, 0, -20}, {10, 0, 20});
    AddCylinder(3.0f, 8.0f, {10, 0, 0}, 0, 0, 0xFFFFFFFFu, 24);
    const swr::FrameBuffer& fb = Draw();
    const int left = Grey(fb.Pixel(kSize / 2 - 12, kSize / 2)),
              right = Grey(fb.Pixel(kSize / 2 + 12, kSize / 2));
    EXPECT_GT(right, left + 100);
    // The side facing away gets the ambient light only.
    EXPECT_EQ(fb.Pixel(kSize / 2 - 12, kSize / 2),
              D3DRMCreateColorRGB(kAmbient, kAmbient, kAmbient) | 0xFF000000u);
}

TEST_F(ImageTest, SpotPoolFallsOffToAmbientOutsideThePenumbra) {
    // From the eye straight at a white wall at distance 10: umbra 0.4 and penumbra 0.5 (full
    // angles) give radii of about 2.0 and 2.5 units, 13 and 16 pixels.
    AddLight(D3DRMLIGHT_SPOT, 1.0f, nullptr, {0, 0, 0}, {10, 0, 0});
    AddWall(10.0f, 5.0f, 32, 0xFFFFFFFFu);
    const swr::FrameBuffer& fb = Draw();
    const int y = kSize / 2;
    EXPECT_EQ(fb.Pixel(kSize / 2, y), 0xFFFFFFFFu);
    int previous = Grey(fb.Pixel(kSize / 2, y));
    for (int x = kSize / 2 + 1; x < kSize; ++x) {
        const int grey = Grey(fb.Pixel(x, y));
        EXPECT_LE(grey, previous) << "at column " << x;
        previous = grey;
    }
    EXPECT_LT(Grey(fb.Pixel(kSize / 2 + 14, y)), Grey(fb.Pixel(kSize / 2, y)));
    EXPECT_GT(Grey(fb.Pixel(kSize / 2 + 14, y)), Grey(fb.Pixel(kSize - 1, y)));
    const uint32_t ambientOnly = D3DRMCreateColorRGB(kAmbient, kAmbient, kAmbient) | 0xFF000000u;
    EXPECT_EQ(fb.Pixel(kSize - 1, y), ambientOnly);
    EXPECT_EQ(fb.Pixel(0, 0), ambientOnly);
}

TEST_F(ImageTest, NothingBeyondTheBackPlaneOrBeforeTheFrontPlane) {
    viewport->SetBack(20.0f);
    AddSquare(25.0f, 20.0f, 0xFFFFFFFFu); // beyond the back plane
    AddSquare(0.5f, 0.3f, 0xFFFFFFFFu);   // nearer than the front plane at 1.0
    const std::vector<uint32_t> pixels = Pixels(Draw());
    for (uint32_t p : pixels)
        ASSERT_EQ(p, Background());
}

TEST_F(ImageTest, SquareAcrossTheBackPlaneIsCutThere) {
    // A floor from distance 5 to 40 under the eye; the back plane at 20 cuts it along a line.
    IDirect3DRMMesh* mesh = nullptr;
    ASSERT_EQ(rm->CreateMesh(&mesh), S_OK);
    const unsigned face[] = {0, 1, 2, 3};
    D3DRMGROUPINDEX g;
    mesh->AddGroup(4, 1, 4, face, &g);
    D3DRMVERTEX v[4]{};
    const D3DVECTOR corners[] = {{40, -2, 30}, {40, -2, -30}, {5, -2, -30}, {5, -2, 30}};
    for (int i = 0; i < 4; ++i) {
        v[i].position = corners[i];
        v[i].normal = {0, 1, 0};
    }
    mesh->SetVertices(g, 0, 4, v);
    objects->AddVisual(mesh);
    mesh->Release();
    viewport->SetBack(20.0f);
    const swr::FrameBuffer& fb = Draw();
    // The floor at distance d shows at 32 + 64 × 2 / d rows below the centre: 20 → row 35.2.
    EXPECT_NE(fb.Pixel(kSize / 2, 40), Background());
    EXPECT_EQ(fb.Pixel(kSize / 2, 34), Background());
}

TEST_F(ImageTest, BackFacesAreCulled) {
    AddSquare(10.0f, 2.0f, 0xFFFFFFFFu, /*reversed=*/true);
    for (uint32_t p : Pixels(Draw()))
        ASSERT_EQ(p, Background());
    AddSquare(10.0f, 2.0f, 0xFFFFFFFFu);
    EXPECT_NE(Draw().Pixel(kSize / 2, kSize / 2), Background());
}

TEST_F(ImageTest, ClosedTubeHasNoCracksFromAnyAngle) {
    scene->SetSceneBackgroundRGB(1.0f, 0.0f, 1.0f);
    AddLight(D3DRMLIGHT_DIRECTIONAL, 1.0f, nullptr, {0, 20, 0}, {100, 0, 0});
    AddCylinder(1.5f, 6.0f, {0, 0, 0}, 0, 0, 0xFF20A020u, 16);
    const uint32_t background = 0xFFFF00FFu;
    int cracks = 0, emptyViews = 0;
    for (int a = 0; a < 12; ++a) {
        for (int b = 0; b < 6; ++b) {
            const float yaw = 0.5236f * a + 0.1f, pitch = 0.5236f * b + 0.05f;
            // The tube's frame turned about its centre, ten units in front of the eye.
            const D3DVECTOR forward{std::cos(pitch) * std::cos(yaw), std::sin(pitch),
                                    std::cos(pitch) * std::sin(yaw)};
            ASSERT_EQ(
                objects->SetOrientation(scene, forward.x, forward.y, forward.z, 0.3f, 1.0f, 0.2f),
                S_OK);
            ASSERT_EQ(objects->SetPosition(scene, 10.0f, 0.0f, 0.0f), S_OK);
            const swr::FrameBuffer& fb = Draw();
            // A cylinder is convex: its silhouette covers each row in one run.
            int covered = 0;
            for (int y = 0; y < kSize; ++y) {
                int first = -1, last = -1;
                for (int x = 0; x < kSize; ++x)
                    if (fb.Pixel(x, y) != background) {
                        if (first < 0) first = x;
                        last = x;
                        ++covered;
                    }
                for (int x = first + 1; x < last; ++x)
                    cracks += fb.Pixel(x, y) == background;
            }
            // Seen from any side the tube, 3 units wide, fills a good part of the view.
            emptyViews += covered < kSize * kSize / 20;
        }
    }
    EXPECT_EQ(emptyViews, 0);
    EXPECT_EQ(cracks, 0);
}

TEST_F(ImageTest, MonoDeviceQuantisesToItsShades) {
    viewport->Release();
    device->Release();
    GUID ramp = IID_IDirect3DRampDevice;
    ASSERT_EQ(rm->CreateDeviceFromClipper(clipper, &ramp, 0, 0, &device), S_OK);
    ASSERT_EQ(rm->CreateViewport(device, camera, 0, 0, kSize, kSize, &viewport), S_OK);
    ASSERT_EQ(device->SetShades(4), S_OK);
    // Light at 60° to the wall's normal: intensity 0.5 + ambient 0.039, which four shades
    // (0, 1/3, 2/3, 1) round to 2/3; the RGB device would show floor(0.539 × 255) = 137.
    AddLight(D3DRMLIGHT_DIRECTIONAL, 1.0f, nullptr, {0, 0, 0}, {0.5f, 0, 0.8660254f});
    AddSquare(10.0f, 5.0f, 0xFFFFFFFFu);
    const swr::FrameBuffer& fb = Draw();
    EXPECT_EQ(fb.Pixel(kSize / 2, kSize / 2), 0xFFAAAAAAu);
    EXPECT_EQ(fb.Pixel(3, 60), 0xFFAAAAAAu);
}

} // namespace
