// A click on the control's window opens its link through the shell. The
// shell's handlers for a test URL scheme and for "mailto:" are pointed at
// link_mark.exe, which writes down each link it is started with.
#include "control_harness.h"

#include <dde.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace tessarel::test {
namespace {

constexpr wchar_t kTestScheme[] = L"zenthra-linktest";
constexpr RECT kPosition{10, 10, 110, 27};
// 100 x 17 pixels at 96 dots per inch, in HIMETRIC.
constexpr SIZEL kExtent{2646, 450};

std::vector<std::string> ReadLines(const std::wstring& path) {
  std::vector<std::string> lines;
  std::ifstream file{std::filesystem::path(path)};
  std::string line;
  while (std::getline(file, line)) lines.push_back(line);
  return lines;
}

BOOL CALLBACK CountDialog(HWND window, LPARAM count) {
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (lstrcmpW(className, L"#32770") == 0) ++*reinterpret_cast<int*>(count);
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
    markCommand_ = L"\"" + ProgramFolder() + L"linkctl_link_mark.exe\" \"" + markFile_ + L"\" \"%1\"";
    ASSERT_HRESULT_SUCCEEDED(SetClassesString(kTestScheme, nullptr, L"URL:Zenthra link test"));
    ASSERT_HRESULT_SUCCEEDED(SetClassesString(kTestScheme, L"URL Protocol", L""));
    ASSERT_HRESULT_SUCCEEDED(
        SetClassesString(std::wstring(kTestScheme) + L"\\shell\\open\\command", nullptr, markCommand_));
    ASSERT_HRESULT_SUCCEEDED(SetClassesString(L"mailto\\shell\\open\\command", nullptr, markCommand_));

    host_ = TestHost::Create(nullptr, kPosition);
    ASSERT_NE(nullptr, host_);
    control_ = NewControl();
    ASSERT_NE(nullptr, control_);
    ASSERT_EQ(S_OK, SiteAndActivate(control_.Get(), host_.Get(), kExtent, &window_));
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
  // count lines, or fails the test when it has not within the wait limit.
  std::vector<std::string> WaitForMarks(size_t count) {
    std::vector<std::string> lines;
    EXPECT_TRUE(WaitUntil([&] {
      lines = ReadLines(markFile_);
      return lines.size() >= count;
    })) << "the link handler ran "
        << lines.size() << " of " << count << " times";
    return lines;
  }

  int DialogsOfThisThread() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountDialog, reinterpret_cast<LPARAM>(&count));
    return count;
  }

  std::wstring markFile_;
  std::wstring markCommand_;
  ComPtr<TestHost> host_;
  ComPtr<_tessarelcontrol> control_;
  HWND window_ = nullptr;  // borrowed: owned by the control
};

// Each click opens the link as given, through the handler of its scheme.
TEST_F(ClickTest, EachClickOpensTheLinkAsGiven) {
  SetLink(L"zenthra-linktest:site/page?x=1");
  ClickAt(5, 5);
  WaitForMarks(1);
  ClickAt(6, 6);
  WaitForMarks(2);
  SetLink(L"mailto:someone@example.org");
  ClickAt(5, 5);
  EXPECT_EQ((std::vector<std::string>{"zenthra-linktest:site/page?x=1", "zenthra-linktest:site/page?x=1",
                                      "mailto:someone@example.org"}),
            WaitForMarks(3));
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

// The host may close and let go of the control while the shell opens its link: here
// inside the shell's DDE request to the link's program, whose broadcast
// reaches the host's window. The control stays until the click is done.
TEST_F(ClickTest, TheHostMayLetGoOfTheControlWhileTheShellOpensTheLink) {
  const std::wstring scheme = std::wstring(kTestScheme) + L"-dde";
  ASSERT_HRESULT_SUCCEEDED(SetClassesString(scheme, L"URL Protocol", L""));
  ASSERT_HRESULT_SUCCEEDED(SetClassesString(scheme + L"\\shell\\open\\command", nullptr, markCommand_));
  ASSERT_HRESULT_SUCCEEDED(SetClassesString(scheme + L"\\shell\\open\\ddeexec", nullptr, L"[open(\"%1\")]"));
  SetLink((scheme + L":let-go").c_str());
  const std::function<void()> letGo = [&] {
    ComPtr<IOleObject> object;
    ASSERT_HRESULT_SUCCEEDED(control_.As(&object));
    EXPECT_EQ(S_OK, object->Close(OLECLOSE_NOSAVE));
    object.Reset();
    control_.Reset();
    EXPECT_EQ(S_FALSE, library_.CanUnloadNow()) << "the control went while its click was running";
  };
  host_->StepOnMessage(WM_DDE_INITIATE, letGo);
  ClickAt(5, 5);
  EXPECT_EQ(std::vector<std::string>{"zenthra-linktest-dde:let-go"}, WaitForMarks(1));
  EXPECT_EQ(nullptr, control_.Get()) << "the shell's request never reached the host's window";
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
  ASSERT_TRUE(PostMessageW(window_, WM_KEYDOWN, VK_RETURN, 0));
  WaitForMarks(2);
  SetLink(L"zenthra-linktest:after-keys");
  ClickAt(5, 5);
  EXPECT_EQ((std::vector<std::string>{"zenthra-linktest:keys", "zenthra-linktest:keys", "zenthra-linktest:after-keys"}),
            WaitForMarks(3));
}

}  // namespace
}  // namespace tessarel::test
