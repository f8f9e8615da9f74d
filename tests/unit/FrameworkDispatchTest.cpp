// The framework's dispatcher fed with synthetic messages, no window needed:
// which handler a message reaches, with which arguments, and what falls
// through to the platform.
#include "Dialog.h"
#include "WinApp.h"

#include <gtest/gtest.h>

#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

const HICON kIcon = reinterpret_cast<HICON>(0x1234);
const HBRUSH kBrush = reinterpret_cast<HBRUSH>(0x5678);
constexpr LRESULT kUntouched = 0x7777;

// A dialog object without a window that records what reaches it.
class RecordingDialog : public CDialog {
 public:
  RecordingDialog() : CDialog(0) {}
  const MessageMap* GetMessageMap() const override { return &messageMap; }

  // Hands one message to the object as its window procedure would.
  bool Deliver(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, LRESULT* result = nullptr) {
    LRESULT ignored = kUntouched;
    return OnWndMsg({message, wParam, lParam}, result != nullptr ? result : &ignored);
  }

  std::vector<std::string> calls;
  HDC dcSeen = nullptr;
  HWND controlSeen = nullptr;
  UINT kindSeen = 0xFFFF;

  static const MessageMap messageMap;

 protected:
  void OnCancel() override { calls.push_back("cancel"); }

 private:
  void OnApply() { calls.push_back("apply"); }
  void OnListChange() { calls.push_back("list"); }
  void OnPaint() { calls.push_back("paint"); }
  void OnTimer(UINT_PTR id) { calls.push_back("timer " + std::to_string(id)); }
  HCURSOR OnQueryDragIcon() { return kIcon; }
  HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind) {
    dcSeen = dc->GetSafeHdc();
    controlSeen = control->m_hWnd;
    kindSeen = kind;
    return kBrush;
  }
  void OnFailingButton() { throw std::runtime_error("a handler failed"); }

  static const MessageMapEntry messageEntries[];
};

const MessageMapEntry RecordingDialog::messageEntries[] = {
    MessageEntry<WM_PAINT, &RecordingDialog::OnPaint>(),
    MessageEntry<WM_QUERYDRAGICON, &RecordingDialog::OnQueryDragIcon>(),
    CommandEntry<&RecordingDialog::OnApply>(BN_CLICKED, 1001),
    CommandEntry<&RecordingDialog::OnListChange>(CBN_SELCHANGE, 1003),
    CommandEntry<&RecordingDialog::OnFailingButton>(BN_CLICKED, 1099),
    MessageEntry<WM_TIMER, &RecordingDialog::OnTimer>(),
    CtlColorEntry<&RecordingDialog::OnCtlColor>(),
};
const MessageMap RecordingDialog::messageMap = {&CDialog::messageMap, messageEntries,
                                                std::size(messageEntries)};

// A further class whose own entry for a key comes before its base's.
class DerivedDialog : public RecordingDialog {
 public:
  const MessageMap* GetMessageMap() const override { return &messageMap; }
  static const MessageMap messageMap;

 private:
  void OnApplyHere() { calls.push_back("derived apply"); }
  static const MessageMapEntry messageEntries[];
};

const MessageMapEntry DerivedDialog::messageEntries[] = {
    CommandEntry<&DerivedDialog::OnApplyHere>(BN_CLICKED, 1001),
};
const MessageMap DerivedDialog::messageMap = {&RecordingDialog::messageMap, messageEntries,
                                              std::size(messageEntries)};

WPARAM Command(UINT id, UINT code) { return MAKEWPARAM(id, code); }

using Calls = std::vector<std::string>;

TEST(MessageMapDispatch, RoutesACommandOnlyByItsExactNotificationCodeAndControl) {
  RecordingDialog dialog;
  EXPECT_TRUE(dialog.Deliver(WM_COMMAND, Command(1001, BN_CLICKED)));
  EXPECT_TRUE(dialog.Deliver(WM_COMMAND, Command(1003, CBN_SELCHANGE)));
  EXPECT_EQ(dialog.calls, (Calls{"apply", "list"}));

  // CBN_SELCHANGE and BN_DOUBLECLICKED are both 1 on the wrong control.
  EXPECT_FALSE(dialog.Deliver(WM_COMMAND, Command(1001, CBN_SELCHANGE)));
  EXPECT_FALSE(dialog.Deliver(WM_COMMAND, Command(1003, BN_CLICKED)));
  EXPECT_FALSE(dialog.Deliver(WM_COMMAND, Command(1003, CBN_DROPDOWN)));
  EXPECT_FALSE(dialog.Deliver(WM_COMMAND, Command(1002, BN_CLICKED)));
  EXPECT_EQ(dialog.calls, (Calls{"apply", "list"}));
}

TEST(MessageMapDispatch, MessagesWithoutAnEntryFallThroughUntouched) {
  RecordingDialog dialog;
  for (UINT message : {WM_SIZE, WM_KEYDOWN, WM_LBUTTONDOWN, WM_ERASEBKGND, WM_NOTIFY}) {
    LRESULT result = kUntouched;
    EXPECT_FALSE(dialog.Deliver(message, 1001, 0, &result)) << message;
    EXPECT_EQ(result, kUntouched);
  }
  // A command's id in the low word is not an entry for another message.
  EXPECT_FALSE(dialog.Deliver(WM_SYSCOMMAND, Command(1001, BN_CLICKED)));
  EXPECT_TRUE(dialog.calls.empty());
}

TEST(MessageMapDispatch, PassesTheTimerIdAndReturnsWhatAHandlerGives) {
  RecordingDialog dialog;
  EXPECT_TRUE(dialog.Deliver(WM_TIMER, 0));
  EXPECT_TRUE(dialog.Deliver(WM_TIMER, 42));
  EXPECT_TRUE(dialog.Deliver(WM_PAINT));
  EXPECT_EQ(dialog.calls, (Calls{"timer 0", "timer 42", "paint"}));

  LRESULT result = 0;
  EXPECT_TRUE(dialog.Deliver(WM_QUERYDRAGICON, 0, 0, &result));
  EXPECT_EQ(result, reinterpret_cast<LRESULT>(kIcon));
}

TEST(MessageMapDispatch, EveryControlColourQueryReachesTheOneOnCtlColorEntry) {
  const HDC dc = reinterpret_cast<HDC>(0x1111);
  const HWND control = reinterpret_cast<HWND>(0x2222);
  const std::pair<UINT, UINT> kQueries[] = {
      {WM_CTLCOLORMSGBOX, CTLCOLOR_MSGBOX}, {WM_CTLCOLOREDIT, CTLCOLOR_EDIT},
      {WM_CTLCOLORLISTBOX, CTLCOLOR_LISTBOX}, {WM_CTLCOLORBTN, CTLCOLOR_BTN},
      {WM_CTLCOLORDLG, CTLCOLOR_DLG}, {WM_CTLCOLORSCROLLBAR, CTLCOLOR_SCROLLBAR},
      {WM_CTLCOLORSTATIC, CTLCOLOR_STATIC},
  };
  for (const auto& [message, kind] : kQueries) {
    RecordingDialog dialog;
    LRESULT result = 0;
    EXPECT_TRUE(dialog.Deliver(message, reinterpret_cast<WPARAM>(dc),
                               reinterpret_cast<LPARAM>(control), &result));
    EXPECT_EQ(dialog.kindSeen, kind);
    EXPECT_EQ(dialog.dcSeen, dc);
    EXPECT_EQ(dialog.controlSeen, control);
    EXPECT_EQ(result, reinterpret_cast<LRESULT>(kBrush));
  }
}

TEST(MessageMapDispatch, ADerivedClassIsSearchedBeforeItsBases) {
  DerivedDialog dialog;
  EXPECT_TRUE(dialog.Deliver(WM_COMMAND, Command(1001, BN_CLICKED)));  // its own entry
  EXPECT_TRUE(dialog.Deliver(WM_COMMAND, Command(1003, CBN_SELCHANGE)));  // its base's
  EXPECT_TRUE(dialog.Deliver(WM_COMMAND, Command(IDCANCEL, BN_CLICKED)));  // CDialog's
  EXPECT_FALSE(dialog.Deliver(WM_COMMAND, Command(IDOK, BN_CLICKED))) << "no OK command of its own";
  EXPECT_EQ(dialog.calls, (Calls{"derived apply", "list", "cancel"}));
}

TEST(MessageMapDispatch, AnExceptionInAHandlerStopsAtTheWindow) {
  RecordingDialog dialog;
  bool handled = true;
  EXPECT_NO_THROW(handled = dialog.Deliver(WM_COMMAND, Command(1099, BN_CLICKED)));
  EXPECT_FALSE(handled) << "left to the platform's default";
  // The dialog goes on working.
  EXPECT_TRUE(dialog.Deliver(WM_COMMAND, Command(1001, BN_CLICKED)));
  EXPECT_EQ(dialog.calls, (Calls{"apply"}));
}

// An application with one command of its own, as the editor's has for help.
class RecordingApp : public CWinApp {
 public:
  const AppMessageMap* GetMessageMap() const override { return &messageMap; }
  int helpRequests = 0;
  static const AppMessageMap messageMap;

 private:
  void OnHelpCommand() { ++helpRequests; }
  static const AppMessageMapEntry messageEntries[];
};

const AppMessageMapEntry RecordingApp::messageEntries[] = {
    CommandEntry<&RecordingApp::OnHelpCommand>(0, 0xE146),
};
const AppMessageMap RecordingApp::messageMap = {nullptr, messageEntries, std::size(messageEntries)};

TEST(MessageMapDispatch, ADialogPassesCommandsItDoesNotHandleToTheApplicationWhileItLives) {
  RecordingDialog dialog;
  {
    RecordingApp app;
    EXPECT_TRUE(dialog.Deliver(WM_COMMAND, Command(0xE146, 0)));
    EXPECT_EQ(app.helpRequests, 1);
    EXPECT_FALSE(dialog.Deliver(WM_COMMAND, Command(0xE146, BN_DOUBLECLICKED)));
    EXPECT_FALSE(dialog.Deliver(WM_COMMAND, Command(1002, BN_CLICKED)));
    // Only commands travel on.
    EXPECT_FALSE(dialog.Deliver(WM_SIZE, 0xE146));
    EXPECT_EQ(app.helpRequests, 1);
    // The dialog's own entries come first.
    EXPECT_TRUE(dialog.Deliver(WM_COMMAND, Command(1001, BN_CLICKED)));
    EXPECT_EQ(app.helpRequests, 1);
  }
  EXPECT_FALSE(dialog.Deliver(WM_COMMAND, Command(0xE146, 0))) << "no application, nobody handles it";
}

// The entry point runs the application's InitInstance and ends with 0; with
// no application, or one whose start fails, it ends with 1.
TEST(ApplicationEntry, RunsTheApplicationAndEndsWithOneWithoutOneOrOnAFailure) {
  EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 1) << "no application";
  struct StartingApp : CWinApp {
    int starts = 0;
    BOOL InitInstance() override {
      if (++starts == 2) throw std::runtime_error("out of memory");
      return TRUE;
    }
  } app;
  EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 0);
  EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 1) << "a start that failed";
  EXPECT_EQ(app.starts, 2);
}

}  // namespace
