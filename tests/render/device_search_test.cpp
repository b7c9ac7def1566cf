// The device search: depth flags and the selection rules over enumeration orders.
#include "render/device_search.h"

#include <gtest/gtest.h>

namespace {

constexpr DWORD kAllDepths = DDBD_8 | DDBD_16 | DDBD_24 | DDBD_32;

D3DDeviceEntry Device(DWORD id, bool hardware, D3DCOLORMODEL model, DWORD depths = kAllDepths) {
    D3DDeviceEntry e{{id, 0, 0, {}}, "test device", "test", {}, {}};
    D3DDEVICEDESC& judged = hardware ? e.hardware : e.software;
    judged.dcmColorModel = model;
    judged.dwDeviceRenderBitDepth = depths;
    if (hardware) {
        // The emulation description of a hardware device does not count.
        e.software.dcmColorModel = D3DCOLOR_MONO;
        e.software.dwDeviceRenderBitDepth = kAllDepths;
    }
    return e;
}

class DeviceSearchTest : public ::testing::Test {
protected:
    void TearDown() override { D3DSetDeviceListForTesting(nullptr); }

    // Runs a search over the list; returns the id of the selected device, 0 for none.
    DWORD Select(std::vector<D3DDeviceEntry> list, BOOL hard, int depth = 32) {
        D3DSetDeviceListForTesting(&list);
        SearchDevices(depth, hard);
        const GUID* g = SelectedDeviceGuid();
        return g ? g->Data1 : 0;
    }
    // One search record, as a render context owns it.
    BOOL SearchDevices(int depth, BOOL hard) { return ::SearchDevices(m_search, depth, hard); }
    const DEVICESEARCH& GetDeviceSearch() const { return m_search; }
    const GUID* SelectedDeviceGuid() const { return ::SelectedDeviceGuid(m_search); }

    DEVICESEARCH m_search{};
};

TEST_F(DeviceSearchTest, DepthFlags) {
    EXPECT_EQ(DepthToRenderFlag(1), 0x4000u);
    EXPECT_EQ(DepthToRenderFlag(8), 0x800u);
    EXPECT_EQ(DepthToRenderFlag(16), 0x400u);
    EXPECT_EQ(DepthToRenderFlag(24), 0x200u);
    EXPECT_EQ(DepthToRenderFlag(32), 0x100u);
    EXPECT_EQ(DepthToRenderFlag(15), 0u);
}

TEST_F(DeviceSearchTest, BuiltInListGivesSoftwareRgb) {
    SearchDevices(32, FALSE);
    EXPECT_EQ(GetDeviceSearch().count, 2);
    ASSERT_NE(SelectedDeviceGuid(), nullptr);
    EXPECT_EQ(*SelectedDeviceGuid(), IID_IDirect3DRGBDevice);
    EXPECT_FALSE(GetDeviceSearch().selectedMono);
    EXPECT_FALSE(SearchDevices(8, FALSE)) << "no built-in device renders at 8 bits";
}

TEST_F(DeviceSearchTest, HardOnPrefersHardwareRgbOverSoftware) {
    const std::vector<D3DDeviceEntry> list{Device(1, false, D3DCOLOR_MONO),
                                           Device(2, false, D3DCOLOR_RGB),
                                           Device(3, true, D3DCOLOR_RGB)};
    EXPECT_EQ(Select(list, TRUE), 3u);
    EXPECT_TRUE(GetDeviceSearch().selectedHardware);
    EXPECT_EQ(Select(list, FALSE), 2u);
    EXPECT_FALSE(GetDeviceSearch().selectedHardware);
}

TEST_F(DeviceSearchTest, HardOffMovesToSoftwareWhateverItsColourModel) {
    EXPECT_EQ(Select({Device(1, true, D3DCOLOR_RGB), Device(2, false, D3DCOLOR_MONO)}, FALSE), 2u);
    EXPECT_TRUE(GetDeviceSearch().selectedMono);
    // With Hard on the hardware device stays: mono never displaces RGB.
    EXPECT_EQ(Select({Device(1, true, D3DCOLOR_RGB), Device(2, false, D3DCOLOR_MONO)}, TRUE), 1u);
}

TEST_F(DeviceSearchTest, RgbDisplacesMonoAndEqualsKeepTheEarlier) {
    EXPECT_EQ(Select({Device(1, true, D3DCOLOR_MONO), Device(2, true, D3DCOLOR_RGB)}, FALSE), 2u);
    EXPECT_EQ(Select({Device(1, false, D3DCOLOR_RGB), Device(2, false, D3DCOLOR_RGB)}, FALSE), 1u);
    EXPECT_EQ(Select({Device(1, true, D3DCOLOR_RGB), Device(2, true, D3DCOLOR_RGB)}, TRUE), 1u);
}

TEST_F(DeviceSearchTest, DevicesThatCannotRenderAtTheDepthAreNotCounted) {
    EXPECT_EQ(
        Select({Device(1, false, D3DCOLOR_RGB, DDBD_16), Device(2, false, D3DCOLOR_MONO, DDBD_32)},
               FALSE),
        2u);
    EXPECT_EQ(GetDeviceSearch().count, 1);
    EXPECT_EQ(GetDeviceSearch().selected, 0);
    EXPECT_EQ(Select({Device(1, false, D3DCOLOR_RGB)}, FALSE, 15), 0u)
        << "a depth without a flag accepts nothing";
    EXPECT_EQ(GetDeviceSearch().count, 0);
}

TEST_F(DeviceSearchTest, OnlyTheFirstFiveAcceptableDevicesAreConsidered) {
    std::vector<D3DDeviceEntry> list;
    for (DWORD i = 1; i <= 5; ++i)
        list.push_back(Device(i, false, D3DCOLOR_MONO));
    list.push_back(Device(6, false, D3DCOLOR_RGB)); // would displace the mono selection
    EXPECT_EQ(Select(list, FALSE), 1u);
    EXPECT_EQ(GetDeviceSearch().count, 5);
}

} // namespace
