#include "fake_dialog_backend.h"
#include "platform/afx/data_exchange.h"
#include "platform/afx/dialog.h"
#include "platform/afx/int_text.h"
#include "platform/afx/resources.h"
#include "platform/afx/updown.h"

#include <gtest/gtest.h>
#include <iterator>

namespace {

constexpr int kEdit = 10, kFirst = 11, kSecond = 12, kAfterGroup = 13, kCheck = 14, kSlider = 15;
constexpr DWORD kRadio = WS_CHILD | BS_AUTORADIOBUTTON;

const DLGITEMDATA kItems[] = {
    {DlgItemClass::Static, IDC_STATIC, "Value", 0, 0, 20, 8, WS_CHILD | WS_GROUP},
    {DlgItemClass::Edit, kEdit, "", 20, 0, 20, 12, WS_CHILD | WS_TABSTOP | WS_BORDER},
    {DlgItemClass::Button, kFirst, "a", 0, 20, 40, 10, kRadio | WS_GROUP | WS_TABSTOP},
    {DlgItemClass::Button, IDC_STATIC, "box", 0, 30, 40, 10, WS_CHILD | BS_GROUPBOX},
    {DlgItemClass::Button, kSecond, "b", 0, 40, 40, 10, kRadio},
    {DlgItemClass::Button, kAfterGroup, "c", 0, 50, 40, 10, kRadio | WS_GROUP},
    {DlgItemClass::Button, kCheck, "d", 0, 60, 40, 10, WS_CHILD | BS_AUTOCHECKBOX | WS_TABSTOP},
    {DlgItemClass::Trackbar, kSlider, "", 0, 70, 40, 10, WS_CHILD | WS_TABSTOP},
    {DlgItemClass::Button, IDOK, "OK", 0, 80, 20, 10, WS_CHILD | BS_DEFPUSHBUTTON | WS_TABSTOP},
    {DlgItemClass::Button, IDCANCEL, "Cancel", 20, 80, 20, 10, WS_CHILD | WS_TABSTOP},
};
const DLGTEMPLATEDATA kTemplate = {900, "Test", 100, 100, WS_POPUP, "Sans", 10, kItems, std::size(kItems)};
const DLGTEMPLATEDATA kInnerTemplate = {901, "Inner", 50, 50, WS_POPUP, "Sans", 10, kItems + 8, 1};
const DLGTEMPLATEDATA* const kDialogs[] = {&kTemplate, &kInnerTemplate};
const AfxStringResource kStrings[] = {
    {57344, "Title"}, {61712, "not a number"}, {61714, "from %1 to %2, %1!"}};
const AfxResourceModule kModule = {.strings = kStrings, .stringCount = std::size(kStrings),
                                   .dialogs = kDialogs, .dialogCount = std::size(kDialogs)};

class CTestDlg : public CDialog {
public:
    CTestDlg() : CDialog(900) {}
    int value = 0, choice = 0, checked = 0;
    int destroyed = 0;
    std::vector<std::pair<int, WPARAM>> scrolls; // control id, wParam

    BOOL DestroyWindow() override {
        ++destroyed;
        return CDialog::DestroyWindow();
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, kEdit, value);
        DDV_MinMaxInt(pDX, value, -5, 50);
        DDX_Radio(pDX, kFirst, choice);
        DDX_Check(pDX, kCheck, checked);
    }
    LRESULT OnHScroll(WPARAM wParam, LPARAM lParam) {
        scrolls.emplace_back(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)), wParam);
        return Default();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDlg, CDialog)
ON_MESSAGE(WM_HSCROLL, OnHScroll)
END_MESSAGE_MAP()

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override { AfxSetResourceModule(&kModule); }
    void TearDown() override { AfxSetDialogBackend(nullptr); }
    FakeDialogBackend& fake = InstallFakeDialogBackend();
};

TEST(IntTextTest, AcceptsBlanksAtBothEndsAndOneSign) {
    const std::pair<const char*, int> good[] = {{"7", 7},   {" 7 ", 7},  {"\t-12\t", -12}, {"+3", 3},
                                                {"-0", 0},  {"007", 7},  {"2147483647", 2147483647},
                                                {"-2147483648", -2147483647 - 1}};
    for (auto [text, expected] : good) {
        int value = -99;
        EXPECT_TRUE(AfxParseInt(text, &value)) << text;
        EXPECT_EQ(value, expected) << text;
    }
}

TEST(IntTextTest, RejectsEverythingElseAndNeverWraps) {
    const char* bad[] = {"", "  ", "+", "-", "12a", "1 2", "+-1", "0x10", "1.0", "\n5",
                         "７", "99999999999", "2147483648", "-2147483649", "4294967297"};
    for (const char* text : bad) {
        int value = 42;
        EXPECT_FALSE(AfxParseInt(text, &value)) << text;
        EXPECT_EQ(value, 42) << text;
    }
}

TEST(UpDownTest, StepsTheBuddyNumberWithinTheRange) {
    EXPECT_EQ(UpDownStep("7", 1, {1, 20}, true), 8);
    EXPECT_EQ(UpDownStep("7", 1, {1, 20}, false), 6);
    EXPECT_EQ(UpDownStep("20", 1, {1, 20}, true), 20);
    EXPECT_EQ(UpDownStep("1", 1, {1, 20}, false), 1);
    // A typed value beyond the arrows' range is pulled back into it.
    EXPECT_EQ(UpDownStep("75", 1, {1, 50}, true), 50);
    // Text that is no number steps from the last position.
    EXPECT_EQ(UpDownStep("abc", 4, {1, 50}, true), 5);
    // A reversed range: up moves towards the upper bound, which is the smaller number.
    EXPECT_EQ(UpDownStep("5", 0, {10, 1}, true), 4);
}

TEST_F(DialogTest, OkExchangesEveryKindOfControlBothWays) {
    CTestDlg dlg;
    dlg.value = 12;
    dlg.choice = 1;
    dlg.checked = 1;
    fake.users.push_back([](FakeDialogHost& host) {
        EXPECT_EQ(host.controls[kEdit].text, "12");
        EXPECT_EQ(host.controls[kFirst].check, 0);
        EXPECT_EQ(host.controls[kSecond].check, 1); // the group box between them is no button
        EXPECT_EQ(host.controls[kAfterGroup].check, 0);
        EXPECT_EQ(host.controls[kCheck].check, 1);
        EXPECT_EQ(host.focus, kEdit); // the first tab stop
        host.Type(kEdit, " -5\t");
        host.Click(kFirst);
        host.Click(kAfterGroup); // another group: does not clear kFirst
        host.Click(kCheck);
        host.Click(IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.value, -5);
    EXPECT_EQ(dlg.choice, 0);
    EXPECT_EQ(dlg.checked, 0);
    EXPECT_EQ(dlg.destroyed, 1);
    EXPECT_EQ(fake.hostsAlive, 0);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST_F(DialogTest, AGroupWithNothingCheckedReadsMinusOne) {
    CTestDlg dlg;
    dlg.choice = 5;
    fake.users.push_back([](FakeDialogHost& host) {
        EXPECT_EQ(host.controls[kFirst].check + host.controls[kSecond].check, 0);
        host.Click(IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.choice, -1);
}

TEST_F(DialogTest, EscapeCloseButtonAndCancelLeaveTheMembersAlone) {
    for (auto leave : {+[](FakeDialogHost& h) { h.PressEscape(); }, +[](FakeDialogHost& h) { h.CloseWindow(); },
                       +[](FakeDialogHost& h) { h.Click(IDCANCEL); }}) {
        CTestDlg dlg;
        dlg.value = 3;
        fake.users.push_back([leave](FakeDialogHost& host) {
            host.Type(kEdit, "9");
            leave(host);
        });
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_EQ(dlg.value, 3);
        EXPECT_EQ(dlg.destroyed, 1);
        EXPECT_EQ(fake.hostsAlive, 0);
    }
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(DialogTest, BadTextShowsTheMessageAndKeepsTheDialogOpenWithTheTextSelected) {
    CTestDlg dlg;
    fake.users.push_back([this](FakeDialogHost& host) {
        host.Type(kEdit, "12a");
        host.focus = kCheck;
        host.Click(IDOK);
        EXPECT_FALSE(host.ended);
        ASSERT_EQ(fake.messages.size(), 1u);
        EXPECT_EQ(fake.messages[0].text, "not a number");
        EXPECT_EQ(fake.messages[0].caption, "Title");
        EXPECT_EQ(fake.messages[0].type, MB_OK | MB_ICONEXCLAMATION);
        EXPECT_EQ(fake.messages[0].owner, &host);
        EXPECT_EQ(host.focus, kEdit);
        EXPECT_TRUE(host.controls[kEdit].wholeTextSelected);

        host.Type(kEdit, "51");
        host.Click(IDOK);
        ASSERT_EQ(fake.messages.size(), 2u);
        EXPECT_EQ(fake.messages[1].text, "from -5 to 50, -5!");
        EXPECT_FALSE(host.ended);

        host.Type(kEdit, "50");
        host.Click(IDOK);
        EXPECT_TRUE(host.ended);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.value, 50);
}

TEST_F(DialogTest, SliderMovesReachTheMapWithCodePositionAndControl) {
    CTestDlg dlg;
    fake.users.push_back([](FakeDialogHost& host) {
        host.MoveSlider(kSlider, 30, SB_THUMBTRACK);
        host.MoveSlider(kSlider, 31, SB_LINEDOWN);
        host.PressEscape();
    });
    dlg.DoModal();
    ASSERT_EQ(dlg.scrolls.size(), 2u);
    EXPECT_EQ(dlg.scrolls[0], std::make_pair(kSlider, MAKEWPARAM(SB_THUMBTRACK, 30)));
    EXPECT_EQ(dlg.scrolls[1], std::make_pair(kSlider, MAKEWPARAM(SB_LINEDOWN, 0)));
}

TEST_F(DialogTest, ADialogOpenedFromAnotherIsOwnedByItAndEachOpensCentred) {
    class CInner : public CDialog {
    public:
        CInner() : CDialog(901) {}
    };
    CTestDlg outer;
    FakeDialogHost* outerHost = nullptr;
    FakeDialogHost* innerOwner = nullptr;
    int centred = 0;
    fake.users.push_back([&](FakeDialogHost& host) {
        outerHost = &host;
        centred += host.centred;
        CInner inner;
        EXPECT_EQ(inner.DoModal(), IDOK);
        host.PressEscape();
    });
    fake.users.push_back([&](FakeDialogHost& host) {
        innerOwner = host.owner;
        centred += host.centred;
        host.Click(IDOK);
    });
    EXPECT_EQ(outer.DoModal(), IDCANCEL);
    EXPECT_EQ(innerOwner, outerHost);
    EXPECT_EQ(centred, 2) << "on the owner, or on the screen without one";
    EXPECT_EQ(CDialog::GetActiveModal(), nullptr);
}

TEST_F(DialogTest, WithoutItsTemplateOrToolkitTheDialogDoesNotOpen) {
    class CMissing : public CDialog {
    public:
        CMissing() : CDialog(999) {}
    } missing;
    EXPECT_EQ(missing.DoModal(), -1);
    AfxSetDialogBackend(nullptr);
    CTestDlg dlg;
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_EQ(dlg.destroyed, 0);
}

} // namespace
