// A click on the control's window opens its link through the shell. The
// shell's handlers for a test URL scheme and for "mailto:" are pointed at
// link_mark.exe, which writes down each link it is started with.
#include "control_harness.h"

#include <commctrl.h>
#include <oleacc.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace tessarel::test {
namespace {

constexpr wchar_t kTestScheme[] = L"zenthra-linktest";
constexpr RECT kPosition{10, 10, 110, 27};
// 100 x 17 pixels at 96 dots per inch, in HIMETRIC.
constexpr SIZEL kExtent{2646, 450};

HRESULT SetClassesString(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  UniqueHkey handle;
  LSTATUS status =
      RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, handle.put(), nullptr);
  if (status == ERROR_SUCCESS) {
    status = RegSetValueExW(handle.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  }
  return HRESULT_FROM_WIN32(status);
}

std::vector<std::string> ReadLines(const std::wstring& path) {
  std::vector<std::string> lines;
  std::ifstream file{std::filesystem::path(path)};
  std::string line;
  while (std::getline(file, line)) {
    lines.push_back(line);
  }
  return lines;
}

// The visible tooltip of this thread, if any.
BOOL CALLBACK FindShownTooltip(HWND window, LPARAM found) {
  wchar_t className[32] = {};
  GetClassNameW(window, className, 32);
  if (lstrcmpiW(className, TOOLTIPS_CLASSW) == 0 && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

std::wstring ClipboardText() {
  std::wstring text;
  if (OpenClipboard(nullptr)) {
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
      if (const auto* characters = static_cast<const wchar_t*>(GlobalLock(data))) {
        text = characters;
        GlobalUnlock(data);
      }
    }
    CloseClipboard();
  }
  return text;
}

BOOL CALLBACK CountDialog(HWND window, LPARAM count) {
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (lstrcmpW(className, L"#32770") == 0) {
    ++*reinterpret_cast<int*>(count);
  }
  return TRUE;
}

class ClickTest : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    wchar_t temp[MAX_PATH] = {};
    ASSERT_NE(0u, GetTempPathW(MAX_PATH, temp));
    markFile_ = std::wstring(temp) + L"tessarel-link-mark.txt";
    DeleteFileW(markFile_.c_str());
    const std::wstring command = L"\"" + ProgramFolder() + L"\\linkctl_link_mark.exe\" \"" + markFile_ + L"\" \"%1\"";
    ASSERT_HRESULT_SUCCEEDED(SetClassesString(kTestScheme, nullptr, L"URL:Zenthra link test"));
    ASSERT_HRESULT_SUCCEEDED(SetClassesString(kTestScheme, L"URL Protocol", L""));
    ASSERT_HRESULT_SUCCEEDED(SetClassesString(std::wstring(kTestScheme) + L"\\shell\\open\\command", nullptr, command));
    ASSERT_HRESULT_SUCCEEDED(SetClassesString(L"mailto\\shell\\open\\command", nullptr, command));

    host_ = TestHost::Create(nullptr, kPosition);
    ASSERT_NE(nullptr, host_);
    control_ = NewControl();
    ASSERT_NE(nullptr, control_);
    ASSERT_EQ(S_OK, SiteAndActivate(control_.Get(), host_.Get(), kExtent));
    ComPtr<IOleInPlaceObject> inPlace;
    ASSERT_HRESULT_SUCCEEDED(control_.As(&inPlace));
    ASSERT_EQ(S_OK, inPlace->GetWindow(&window_));
  }

  void TearDown() override {
    if (control_ != nullptr) {
      ComPtr<IOleObject> object;
      EXPECT_HRESULT_SUCCEEDED(control_.As(&object));
      EXPECT_EQ(S_OK, object->Close(OLECLOSE_NOSAVE));
      EXPECT_EQ(S_OK, object->SetClientSite(nullptr));
    }
    control_.Reset();
    host_.Reset();
    ControlTest::TearDown();
  }

  void SetLink(const wchar_t* link) {
    UniqueBstr text(SysAllocString(link));
    ASSERT_EQ(S_OK, control_->put_Link(text.get()));
  }

  void SetText(const wchar_t* text) {
    UniqueBstr caption(SysAllocString(text));
    ASSERT_EQ(S_OK, control_->put_Text(caption.get()));
  }

  // Messages that a modal loop started next (a menu) finds waiting.
  void QueueKeys(std::initializer_list<WPARAM> keys) {
    for (WPARAM key : keys) {
      ASSERT_TRUE(PostMessageW(window_, WM_KEYDOWN, key, 0));
    }
  }

  // A left button press and release at x, y of the control's window, as
  // the window system delivers a mouse click.
  void ClickAt(int x, int y) {
    ASSERT_TRUE(PostMessageW(window_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)));
    ASSERT_TRUE(PostMessageW(window_, WM_LBUTTONUP, 0, MAKELPARAM(x, y)));
  }

  // Handles the messages already queued, a posted click among them.
  static void HandleQueuedMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }

  // Handles messages (the click among them) until link_mark has written
  // count lines.
  std::vector<std::string> WaitForMarks(size_t count) {
    std::vector<std::string> lines;
    PumpMessagesUntil([&] {
      lines = ReadLines(markFile_);
      return lines.size() >= count;
    });
    return lines;
  }

  int DialogsOfThisThread() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountDialog, reinterpret_cast<LPARAM>(&count));
    return count;
  }

  std::wstring markFile_;
  ComPtr<TestHost> host_;
  ComPtr<_tessarelcontrol> control_;
  HWND window_ = nullptr;  // borrowed: owned by the control
};

TEST_F(ClickTest, ClickOpensTheLinkAsGiven) {
  SetLink(L"zenthra-linktest:site/page?x=1");
  ClickAt(5, 5);
  EXPECT_EQ(std::vector<std::string>{"zenthra-linktest:site/page?x=1"}, WaitForMarks(1));
}

TEST_F(ClickTest, MailtoLinkGoesToTheMailHandlerUnchanged) {
  SetLink(L"mailto:someone@example.org");
  ClickAt(5, 5);
  EXPECT_EQ(std::vector<std::string>{"mailto:someone@example.org"}, WaitForMarks(1));
}

TEST_F(ClickTest, EachClickOpensTheLinkAgain) {
  SetLink(L"zenthra-linktest:again");
  ClickAt(5, 5);
  WaitForMarks(1);
  ClickAt(6, 6);
  EXPECT_EQ((std::vector<std::string>{"zenthra-linktest:again", "zenthra-linktest:again"}), WaitForMarks(2));
}

TEST_F(ClickTest, AfterGrowingAClickFarRightOfTheTextOpensTheLink) {
  ComPtr<IOleObject> object;
  ASSERT_HRESULT_SUCCEEDED(control_.As(&object));
  ComPtr<IOleInPlaceObject> inPlace;
  ASSERT_HRESULT_SUCCEEDED(control_.As(&inPlace));
  SIZEL wide{kExtent.cx * 5, kExtent.cy * 2};
  ASSERT_EQ(S_OK, object->SetExtent(DVASPECT_CONTENT, &wide));
  const RECT widePosition{kPosition.left, kPosition.top, kPosition.left + 500, kPosition.top + 34};
  ASSERT_EQ(S_OK, inPlace->SetObjectRects(&widePosition, &widePosition));

  SetLink(L"zenthra-linktest:far-right");
  ClickAt(495, 30);
  EXPECT_EQ(std::vector<std::string>{"zenthra-linktest:far-right"}, WaitForMarks(1));
}

TEST_F(ClickTest, EmptyLinkOpensNothingAndShowsNothing) {
  SetLink(L"");
  ClickAt(5, 5);
  HandleQueuedMessages();
  // The next link's mark is the first one: the empty link reached no
  // handler, and no message box came up in between.
  SetLink(L"zenthra-linktest:after-empty");
  ClickAt(5, 5);
  EXPECT_EQ(std::vector<std::string>{"zenthra-linktest:after-empty"}, WaitForMarks(1));
  EXPECT_EQ(0, DialogsOfThisThread());
}

// Enter and Space open the link as a click does, whether they reach the
// window or a host hands them to TranslateAccelerator; a key consumed
// there is not dispatched, and any other key goes on to the host.
TEST_F(ClickTest, EnterAndSpaceOpenTheLinkOnEitherPathAndOnlyThem) {
  SetLink(L"zenthra-linktest:keys");
  SetFocus(window_);
  ComPtr<IOleInPlaceActiveObject> active;
  ASSERT_HRESULT_SUCCEEDED(control_.As(&active));
  MSG enter{window_, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  MSG space{window_, WM_KEYDOWN, VK_SPACE, 0, 0, {}};
  MSG repeatedSpace{window_, WM_KEYDOWN, VK_SPACE, LPARAM{1} << 30, 0, {}};
  MSG tab{window_, WM_KEYDOWN, VK_TAB, 0, 0, {}};
  EXPECT_EQ(DLGC_WANTMESSAGE, SendMessageW(window_, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)));
  EXPECT_EQ(S_OK, active->TranslateAccelerator(&space));
  EXPECT_EQ(S_FALSE, active->TranslateAccelerator(&repeatedSpace));
  EXPECT_EQ(S_FALSE, active->TranslateAccelerator(&tab));
  QueueKeys({VK_RETURN});
  WaitForMarks(2);
  SetLink(L"zenthra-linktest:after-keys");
  ClickAt(5, 5);
  EXPECT_EQ((std::vector<std::string>{"zenthra-linktest:keys", "zenthra-linktest:keys", "zenthra-linktest:after-keys"}),
            WaitForMarks(3));
}

// The menu of Shift+F10 (lParam -1) and of the right button: the second
// item puts the address on the clipboard, the first opens the link.
TEST_F(ClickTest, ContextMenuCopiesTheAddressOrOpensTheLink) {
  SetLink(L"zenthra-linktest:menu");
  QueueKeys({VK_DOWN, VK_DOWN, VK_RETURN});
  SendMessageW(window_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window_), -1);
  EXPECT_EQ(L"zenthra-linktest:menu", ClipboardText());
  QueueKeys({VK_DOWN, VK_RETURN});
  POINT point{5, 5};
  ClientToScreen(window_, &point);
  SendMessageW(window_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window_), MAKELPARAM(point.x, point.y));
  EXPECT_EQ(std::vector<std::string>{"zenthra-linktest:menu"}, WaitForMarks(1));
}

// With the focus from the keyboard the address shows in a tooltip, and
// accessibility tools see a focused link whose default action opens it.
TEST_F(ClickTest, FocusShowsTheAddressAndToolsSeeALinkThatTheirActionOpens) {
  SetLink(L"zenthra-linktest:accessible");
  SetText(L"Contact Me");
  SetFocus(window_);
  HWND tooltip = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindShownTooltip, reinterpret_cast<LPARAM>(&tooltip));
  ASSERT_NE(nullptr, tooltip);
  wchar_t tip[64] = {};
  GetWindowTextW(tooltip, tip, 64);
  EXPECT_STREQ(L"zenthra-linktest:accessible", tip);

  ComPtr<IAccessible> accessible;
  ASSERT_EQ(S_OK, AccessibleObjectFromWindow(window_, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                             reinterpret_cast<void**>(accessible.GetAddressOf())));
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  UniqueVariant role, state;
  UniqueBstr name, value, action;
  ASSERT_EQ(S_OK, accessible->get_accRole(self, role.get()));
  EXPECT_EQ(ROLE_SYSTEM_LINK, role->lVal);
  ASSERT_EQ(S_OK, accessible->get_accName(self, name.put()));
  EXPECT_STREQ(L"Contact Me", name.get());
  ASSERT_EQ(S_OK, accessible->get_accValue(self, value.put()));
  EXPECT_STREQ(L"zenthra-linktest:accessible", value.get());
  ASSERT_EQ(S_OK, accessible->get_accState(self, state.get()));
  constexpr LONG kLinkStates = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_LINKED;
  EXPECT_EQ(kLinkStates, state->lVal & kLinkStates);
  ASSERT_EQ(S_OK, accessible->get_accDefaultAction(self, action.put()));
  EXPECT_STREQ(L"Jump", action.get());
  RECT screen{};
  LONG left = 0, top = 0, width = 0, height = 0;
  ASSERT_TRUE(GetWindowRect(window_, &screen));
  ASSERT_EQ(S_OK, accessible->accLocation(&left, &top, &width, &height, self));
  EXPECT_EQ(screen.left, left);
  EXPECT_EQ(screen.top, top);
  EXPECT_EQ(screen.right - screen.left, width);
  EXPECT_EQ(screen.bottom - screen.top, height);
  ASSERT_EQ(S_OK, accessible->accDoDefaultAction(self));
  accessible.Reset();
  EXPECT_EQ(std::vector<std::string>{"zenthra-linktest:accessible"}, WaitForMarks(1));
}

}  // namespace
}  // namespace tessarel::test
