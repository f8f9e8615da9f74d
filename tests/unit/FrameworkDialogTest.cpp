// CDialog over the platform's modal dialog: controls bound when it opens,
// handlers running inside the modal run, the value given to EndDialog, the
// cancel command, DestroyWindow once the window is gone, and the record the
// colour picker hands the platform.
#include "ColorDialog.h"
#include "Controls.h"
#include "DataExchange.h"
#include "Dialog.h"
#include "PickerLibrary.h"

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <stdexcept>

namespace {

constexpr UINT kTemplate = 200;
constexpr int kGoButton = 1001;
constexpr int kCheckBox = 1002;

class ProbeDialog : public CDialog {
 public:
  explicit ProbeDialog(std::function<void(ProbeDialog&)> whenOpen)
      : CDialog(kTemplate), m_whenOpen(std::move(whenOpen)) {}

  const MessageMap* GetMessageMap() const override { return &messageMap; }
  BOOL DestroyWindow() override {
    ++destroyCalls;
    windowAliveAtDestroy = IsWindow(windowAtOpen) != FALSE;
    return CDialog::DestroyWindow();
  }

  CButton m_go;
  CButton m_check;
  HWND windowAtOpen = nullptr;
  bool goBound = false;
  bool checkBound = false;
  int goClicks = 0;
  int checkClicks = 0;
  int destroyCalls = 0;
  bool windowAliveAtDestroy = true;

  static const MessageMap messageMap;

 protected:
  void DoDataExchange(CDataExchange* exchange) override {
    DDX_Control(exchange, kGoButton, m_go);
    DDX_Control(exchange, kCheckBox, m_check);
  }
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    windowAtOpen = m_hWnd;
    goBound = m_go.m_hWnd != nullptr && m_go.m_hWnd == GetDlgItem(m_hWnd, kGoButton);
    checkBound = m_check.m_hWnd != nullptr && m_check.m_hWnd == GetDlgItem(m_hWnd, kCheckBox);
    m_whenOpen(*this);
    return TRUE;
  }

 private:
  void OnGo() {
    ++goClicks;
    EndDialog(7);
  }
  void OnCheck() {
    ++checkClicks;
    throw std::runtime_error("a handler failed");
  }

  static const MessageMapEntry messageEntries[];
  std::function<void(ProbeDialog&)> m_whenOpen;
};

const MessageMapEntry ProbeDialog::messageEntries[] = {
    CommandEntry<&ProbeDialog::OnGo>(BN_CLICKED, kGoButton),
    CommandEntry<&ProbeDialog::OnCheck>(BN_CLICKED, kCheckBox),
};
const MessageMap ProbeDialog::messageMap = {&CDialog::messageMap, messageEntries,
                                            std::size(messageEntries)};

void Click(const CButton& button) { PostMessageA(button.m_hWnd, BM_CLICK, 0, 0); }

TEST(CDialogModalRun, BindsTheControlsAndEndsWithTheValueGivenToEndDialog) {
  ProbeDialog dialog([](ProbeDialog& open) { Click(open.m_go); });
  EXPECT_EQ(dialog.DoModal(), 7);
  ASSERT_NE(dialog.windowAtOpen, nullptr);
  EXPECT_TRUE(dialog.goBound);
  EXPECT_TRUE(dialog.checkBound);
  EXPECT_EQ(dialog.goClicks, 1);
  // DestroyWindow runs once, after the platform has taken the window down.
  EXPECT_EQ(dialog.destroyCalls, 1);
  EXPECT_FALSE(dialog.windowAliveAtDestroy);
  EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST(CDialogModalRun, TheCloseBoxEndsWithIdCancel) {
  ProbeDialog dialog([](ProbeDialog& open) { PostMessageA(open.m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0); });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.goClicks, 0);
  EXPECT_EQ(dialog.destroyCalls, 1);
}

TEST(CDialogModalRun, AnExceptionInAHandlerLeavesTheDialogRunning) {
  ProbeDialog dialog([](ProbeDialog& open) {
    Click(open.m_check);
    Click(open.m_go);
  });
  EXPECT_EQ(dialog.DoModal(), 7);
  EXPECT_EQ(dialog.checkClicks, 1);
  EXPECT_EQ(dialog.goClicks, 1);
}

// What the colour picker hands the platform, taken by this program's own
// PickColor, which the linker takes before the framework library's.
CHOOSECOLORA handedColour = {};

}  // namespace

BOOL PickColor(CHOOSECOLORA* choice) {
  handedColour = *choice;
  return FALSE;
}

namespace {

TEST(CColorDialog, HandsThePlatformARecordOfItsSizeWithTheCustomColours) {
  CColorDialog picker(RGB(1, 2, 3), CC_RGBINIT, nullptr);
  EXPECT_EQ(picker.DoModal(), IDCANCEL);
  EXPECT_EQ(handedColour.lStructSize, sizeof(CHOOSECOLORA));
  EXPECT_TRUE(handedColour.rgbResult == RGB(1, 2, 3) && handedColour.Flags == CC_RGBINIT &&
              handedColour.lpCustColors != nullptr);
}

TEST(CDialogModalRun, AMissingTemplateReportsFailure) {
  class Missing : public CDialog {
   public:
    Missing() : CDialog(999) {}
  } dialog;
  EXPECT_EQ(dialog.DoModal(), -1);
}

}  // namespace
