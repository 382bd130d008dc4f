// The three link labels hosted from tessarel.ocx without registration:
// this program carries Zenthra's own manifest, which declares the library
// beside it. Copied alone into a folder of its own, the same program checks
// that the dialog still opens with plain labels.
#include <gtest/gtest.h>
#include <ocidl.h>
#include <olectl.h>
#include <windows.h>
#include <wrl/client.h>

#include <oleacc.h>

#include <algorithm>
#include <cwchar>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "about/about_dialog.h"
#include "about/about_layout.h"
#include "about/about_window.h"
#include "about/hosted_control.h"
#include "about/stored_link_labels.h"
#include "about/property_bag.h"
#include "about_layout_check.h"
#include "bounded_wait.h"
#include "classes_registry.h"
#include "layout_expectations.h"
#include "remote_program.h"
#include "shell/program_windows.h"
#include "test_support.h"
#include "win32/com_object.h"
#include "win32/ole_initialization.h"
#include "win32/result.h"
#include "win32/unique_handle.h"
#include "window_driver.h"

namespace zenthra::about {
namespace {

using Microsoft::WRL::ComPtr;
using testing::GetProperty;
using zenthra::test::ChildRect;
using zenthra::test::ProgramFolder;
using zenthra::test::RunPostedMessages;
using zenthra::test::TextOf;

bool LibraryBeside() {
  return GetFileAttributesW((ProgramFolder() + L"tessarel.ocx").c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring StringProperty(IOleObject* object, const wchar_t* name) {
  win32::UniqueVariant value;
  if (FAILED(GetProperty(object, name, value)) || value->vt != VT_BSTR) return L"<none>";
  return value->bstrVal ? value->bstrVal : L"";
}

// MS Sans Serif 8.25 point, weight 400, character set 0: underlined, the
// link labels' stored font; plain, the dialog's ambient font.
template <typename Font>
HRESULT DesignFont(BOOL underline, ComPtr<Font>& font) {
  FONTDESC description{sizeof(FONTDESC), const_cast<LPOLESTR>(L"MS Sans Serif"), {}, 400, 0, FALSE, underline, FALSE};
  description.cySize.int64 = 82500;
  return OleCreateFontIndirect(&description, IID_PPV_ARGS(&font));
}

// Wine reports the face it substitutes as the font's name, so the face is
// compared with that of a font made from the same description.
void ExpectStoredFont(IFont& font) {
  ComPtr<IFont> reference;
  ASSERT_HRESULT_SUCCEEDED(DesignFont(TRUE, reference));
  EXPECT_EQ(font.IsEqual(reference.Get()), S_OK);

  CY size{};
  BOOL underline = FALSE, italic = TRUE, strikethrough = TRUE;
  SHORT weight = 0, charset = -1;
  font.get_Size(&size);
  font.get_Underline(&underline);
  font.get_Italic(&italic);
  font.get_Strikethrough(&strikethrough);
  font.get_Weight(&weight);
  font.get_Charset(&charset);
  EXPECT_EQ(std::tuple(size.int64, underline != FALSE, italic != FALSE, strikethrough != FALSE, weight, charset),
            std::tuple(LONGLONG{82500}, true, false, false, SHORT{400}, SHORT{0}));
}

struct Expected {
  const wchar_t* text;
  const wchar_t* link;
  RECT rect;
};
const Expected kExpected[] = {
    {L"My Website", L"http:\\\\www.example.com/~orvane/", {8, 112, 73, 129}},
    {L"W3.org", L"http:\\\\www.w3.org", {8, 144, 73, 161}},
    {L"Contact Me", L"mailto:orvane@example.com", {8, 128, 73, 145}},
};

class AboutLinksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog_ = ShowAbout(GetModuleHandleW(nullptr), windows_);
    ASSERT_NE(dialog_, nullptr);
    about_ = AboutWindow::FromWindow(dialog_);
    ASSERT_NE(about_, nullptr);
  }
  void TearDown() override {
    UnloadAbout(windows_);
    RunPostedMessages(windows_);
  }

  shell::ProgramWindows windows_;
  HWND dialog_ = nullptr;
  AboutWindow* about_ = nullptr;
};

// Each label is an object of its own, with a window of its own.
TEST_F(AboutLinksTest, LinkLabelsComeFromTheLibraryWithTheirStoredProperties) {
  ASSERT_TRUE(LibraryBeside()) << "tessarel.ocx is not beside this program: the build did not put it there";
  std::set<const void*> objectsAndWindows;
  for (std::size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const HostedControl* control = about_->LinkLabelForTests(i);
    ASSERT_NE(control, nullptr);
    IOleObject* object = control->ObjectForTests();
    EXPECT_EQ(StringProperty(object, L"Text"), kExpected[i].text);
    EXPECT_EQ(StringProperty(object, L"Link"), kExpected[i].link);

    win32::UniqueVariant colour;
    ASSERT_HRESULT_SUCCEEDED(GetProperty(object, L"ForeColor", colour));
    ASSERT_HRESULT_SUCCEEDED(VariantChangeType(colour.get(), colour.get(), 0, VT_I4));
    EXPECT_EQ(colour->lVal, 0x00FF0000);

    win32::UniqueVariant fontValue;
    ASSERT_HRESULT_SUCCEEDED(GetProperty(object, L"Font", fontValue));
    ASSERT_TRUE(fontValue->vt == VT_DISPATCH || fontValue->vt == VT_UNKNOWN);
    ComPtr<IFont> font;
    ASSERT_HRESULT_SUCCEEDED(fontValue->punkVal->QueryInterface(IID_PPV_ARGS(&font)));
    ExpectStoredFont(*font.Get());

    HWND window = control->Window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(objectsAndWindows.insert(object).second && objectsAndWindows.insert(window).second);
    EXPECT_EQ(GetParent(window), dialog_);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(ChildRect(window), kExpected[i].rect);
  }
}

TEST_F(AboutLinksTest, UnloadingClosesTheControlsAndLoadingCreatesThemAgain) {
  ASSERT_TRUE(LibraryBeside()) << "tessarel.ocx is not beside this program: the build did not put it there";
  ASSERT_NE(about_->LinkLabelForTests(0), nullptr);
  HWND first = about_->LinkLabelForTests(0)->Window();
  ASSERT_TRUE(IsWindow(first));
  PostMessageW(GetDlgItem(dialog_, kCmdOK), BM_CLICK, 0, 0);
  RunPostedMessages(windows_);
  EXPECT_FALSE(IsWindow(first));

  dialog_ = ShowAbout(GetModuleHandleW(nullptr), windows_);
  about_ = AboutWindow::FromWindow(dialog_);
  ASSERT_NE(about_, nullptr);
  ASSERT_NE(about_->LinkLabelForTests(0), nullptr);
  EXPECT_EQ(StringProperty(about_->LinkLabelForTests(0)->ObjectForTests(), L"Text"), L"My Website");
}

// The shell opens the link with whatever handles its scheme. Here the mail
// program is about_mark, whose mark says which link it was given; the
// prefix's own handler comes back after each case.
class AboutMailLinkTest : public AboutLinksTest {
 protected:
  static constexpr wchar_t kMailCommand[] = L"mailto\\shell\\open\\command";

  void SetUp() override {
    AboutLinksTest::SetUp();
    ASSERT_TRUE(LibraryBeside()) << "tessarel.ocx is not beside this program: the build did not put it there";
    handler_ = (std::filesystem::temp_directory_path() / L"zenthra mail handler.exe").wstring();
    mark_ = handler_ + L".mark";
    DeleteFileW(mark_.c_str());
    ASSERT_TRUE(CopyFileW((ProgramFolder() + L"about_mark.exe").c_str(), handler_.c_str(), FALSE));
    DWORD size = sizeof(previousCommand_);
    hadCommand_ = RegGetValueW(HKEY_CLASSES_ROOT, kMailCommand, nullptr, RRF_RT_REG_SZ, nullptr, previousCommand_,
                               &size) == ERROR_SUCCESS;
    ASSERT_HRESULT_SUCCEEDED(zenthra::test::SetClassesString(kMailCommand, nullptr, L"\"" + handler_ + L"\" \"%1\""));
    ASSERT_NE(about_->LinkLabelForTests(2), nullptr);
    contact_ = about_->LinkLabelForTests(2)->Window();
    ASSERT_NE(contact_, nullptr);
  }
  void TearDown() override {
    if (hadCommand_)
      zenthra::test::SetClassesString(kMailCommand, nullptr, previousCommand_);
    else
      RegDeleteKeyValueW(HKEY_CLASSES_ROOT, kMailCommand, nullptr);
    DeleteFileW(mark_.c_str());
    DeleteFileW(handler_.c_str());
    AboutLinksTest::TearDown();
  }

  // True when the mail program was started with Contact Me's link since
  // the last call.
  bool MailProgramStarted() {
    if (!testing::WaitForFile(mark_)) return false;
    const std::wstring commandLine = testing::ReadMark(mark_).value_or(L"");
    DeleteFileW(mark_.c_str());
    return commandLine.find(L"mailto:orvane@example.com") != std::wstring::npos;
  }

  std::wstring handler_;
  std::wstring mark_;
  wchar_t previousCommand_[1024]{};
  bool hadCommand_ = false;
  HWND contact_ = nullptr;  // borrowed: the control's window
};

TEST_F(AboutMailLinkTest, ClickOnContactMeOpensTheMailLinkThroughTheShell) {
  // Far right of the text: the label covers the whole control.
  PostMessageW(contact_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 8));
  PostMessageW(contact_, WM_LBUTTONUP, 0, MAKELPARAM(60, 8));
  RunPostedMessages(windows_);
  EXPECT_TRUE(MailProgramStarted());
}

// Tab goes OK (0), System Info (1), then the links by tab index: My Website
// (6), the domain (7), Contact Me (8), and back to OK; Shift+Tab the other
// way. A link reached from the keyboard shows its address in a tooltip.
TEST_F(AboutLinksTest, TabAndShiftTabTakeTheButtonsThenTheLinksInTabIndexOrder) {
  ASSERT_TRUE(LibraryBeside()) << "tessarel.ocx is not beside this program: the build did not put it there";
  std::vector<HWND> order{GetDlgItem(dialog_, kCmdOK), GetDlgItem(dialog_, kCmdSysInfo)};
  for (std::size_t i = 0; i < 3; ++i) {
    ASSERT_NE(about_->LinkLabelForTests(i), nullptr);
    order.push_back(about_->LinkLabelForTests(i)->Window());
  }
  order.push_back(order.front());
  for (const bool backwards : {false, true}) {
    SCOPED_TRACE(backwards ? "Shift+Tab" : "Tab");
    if (backwards) std::reverse(order.begin(), order.end());
    SetFocus(order.front());
    std::vector<HWND> visited{GetFocus()};
    for (std::size_t step = 1; step < order.size(); ++step) {
      test::PressKeyInProgram(windows_, VK_TAB, backwards ? VK_SHIFT : 0);
      visited.push_back(GetFocus());
      for (std::size_t i = 0; i < 3; ++i)
        if (visited.back() == about_->LinkLabelForTests(i)->Window()) {
          EXPECT_EQ(testing::ShownTooltipText(visited.back()), kExpected[i].link);
        }
    }
    EXPECT_EQ(visited, order);
  }
}

// The mouse resting on a link shows its address; the tooltip is made by
// the first move over the link, so that move must start its wait too.
TEST_F(AboutLinksTest, TheMouseRestingOnALinkShowsItsAddress) {
  ASSERT_TRUE(LibraryBeside()) << "tessarel.ocx is not beside this program: the build did not put it there";
  const test::RealMousePutBack mousePutBack;
  ShowWindow(dialog_, SW_SHOW);
  for (std::size_t i = 0; i < 3; ++i) {
    RECT link{};
    ASSERT_TRUE(GetWindowRect(about_->LinkLabelForTests(i)->Window(), &link));
    // As a real mouse: absolute input in 0..65535 of the primary screen.
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dx = MulDiv((link.left + link.right) / 2, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    move.mi.dy = MulDiv((link.top + link.bottom) / 2, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ASSERT_EQ(1u, SendInput(1, &move, sizeof(move)));
    std::wstring shown;
    EXPECT_TRUE(test::WaitUntil([&] {
      shown = testing::ShownTooltipText(about_->LinkLabelForTests(i)->Window());
      return shown == kExpected[i].link;
    })) << "link "
        << i << " showed \"" << std::string(shown.begin(), shown.end()) << "\" under the mouse";
  }
}

// Enter and Space on a focused link open it as a click does, and the
// dialog stays; Enter on OK still closes it.
TEST_F(AboutMailLinkTest, EnterAndSpaceOnAFocusedLinkOpenItWhileEnterOnOkCloses) {
  for (const UINT key : {VK_RETURN, VK_SPACE}) {
    SetFocus(contact_);
    test::PressKeyInProgram(windows_, key);
    EXPECT_TRUE(MailProgramStarted()) << key;
    EXPECT_TRUE(IsWindow(dialog_)) << key;
  }
  SetFocus(GetDlgItem(dialog_, kCmdOK));
  test::PressKeyInProgram(windows_, VK_RETURN);
  EXPECT_FALSE(IsWindow(dialog_));
}

// The menu of Shift+F10 (the keyboard's WM_CONTEXTMENU): "Copy Link
// Address" puts the address on the clipboard, "Open Link" opens it.
TEST_F(AboutMailLinkTest, ContextMenuCopiesTheAddressOrOpensTheLink) {
  SetFocus(contact_);
  // The menu takes the keys waiting when it opens: the second item, then the first.
  for (const auto& keys : {std::vector<WPARAM>{VK_DOWN, VK_DOWN, VK_RETURN}, std::vector<WPARAM>{VK_DOWN, VK_RETURN}}) {
    for (const WPARAM key : keys) PostMessageW(contact_, WM_KEYDOWN, key, 0);
    SendMessageW(contact_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(contact_), -1);
  }
  EXPECT_EQ(testing::ClipboardText(), L"mailto:orvane@example.com");
  EXPECT_TRUE(MailProgramStarted());
}

// From another process, as an accessibility tool sees it: a focused link
// named by its text, its address as value, whose default action opens it.
TEST_F(AboutMailLinkTest, AnAccessibilityToolSeesALinkWhoseDefaultActionOpensIt) {
  SetFocus(contact_);
  const std::wstring report = testing::ProbeAccessibility(contact_, /*act=*/true);
  RECT screen{};
  ASSERT_TRUE(GetWindowRect(contact_, &screen));
  const std::wstring location = L"location=" + std::to_wstring(screen.left) + L"," + std::to_wstring(screen.top) +
                                L"," + std::to_wstring(screen.right - screen.left) + L"," +
                                std::to_wstring(screen.bottom - screen.top) + L"\n";
  for (const wchar_t* expected :
       {L"found=0\n", L"role=30\n", L"name=Contact Me\n", L"value=mailto:orvane@example.com\n", L"action=Jump\n",
        L"acted=0\n", location.c_str()})
    EXPECT_NE(report.find(expected), std::wstring::npos) << expected << " not in:\n" << report;
  const std::size_t state = report.find(L"state=");
  ASSERT_NE(state, std::wstring::npos) << report;
  constexpr long kLinkStates = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_LINKED;
  EXPECT_EQ(std::wcstol(report.c_str() + state + 6, nullptr, 10) & kLinkStates, kLinkStates) << report;
  RunPostedMessages(windows_);  // the action opens the link once the tool is answered
  EXPECT_TRUE(MailProgramStarted());
}

// Runs a copy of this test program alone in a folder without the library
// (the manifest still declares it) and returns the copy's exit code.
DWORD RunAloneWithoutTheLibrary(const wchar_t* filter) {
  const std::wstring folder = (std::filesystem::temp_directory_path() / L"zenthra no library\\").wstring();
  const std::wstring copy = folder + L"about_links_test.exe";
  CreateDirectoryW(folder.c_str(), nullptr);
  std::wstring self(MAX_PATH, L'\0');
  self.resize(GetModuleFileNameW(nullptr, self.data(), MAX_PATH));
  if (!CopyFileW(self.c_str(), copy.c_str(), FALSE)) return 1;

  DWORD exitCode = 1;
  {
    zenthra::test::RemoteProgram alone(copy, std::wstring(L"--gtest_filter=") + filter);
    if (alone.Started()) exitCode = alone.WaitForExit();  // bounded by the test's timeout
  }
  DeleteFileW(copy.c_str());
  RemoveDirectoryW(folder.c_str());
  return exitCode;
}

// Beside the library this hands itself to a copy that runs where the
// library is absent; there the dialog must still open, with plain labels.
TEST_F(AboutLinksTest, WithoutTheLibraryBesideTheLinksArePlainLabels) {
  if (LibraryBeside()) {
    EXPECT_EQ(RunAloneWithoutTheLibrary(L"AboutLinksTest.WithoutTheLibraryBesideTheLinksArePlainLabels"), 0u);
    return;
  }
  ASSERT_NE(dialog_, nullptr);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(about_->LinkLabelForTests(static_cast<std::size_t>(i)), nullptr);
    EXPECT_EQ(TextOf(GetDlgItem(dialog_, kFirstLinkLabel + i)), kExpected[i].text);
  }
}

// Refuses every request for lack of memory, and counts the requests.
class RefusingFactory final : public win32::ComObject<RefusingFactory, IClassFactory> {
 public:
  // Lives on the test's stack: the last Release does not delete it.
  void OnFinalRelease() noexcept {}

  STDMETHODIMP CreateInstance(IUnknown*, REFIID, void** object) override {
    ++requests;
    *object = nullptr;
    return E_OUTOFMEMORY;
  }
  STDMETHODIMP LockServer(BOOL) override { return S_OK; }
  int requests = 0;
};

AmbientProperties TestAmbient() {
  AmbientProperties ambient{nullptr, 0x80000012, 0x8000000F};
  EXPECT_HRESULT_SUCCEEDED(DesignFont(FALSE, ambient.font));
  return ambient;
}

// A factory that refuses leaves no control behind and its error reaches
// the caller, which then puts a plain label in its place.
TEST_F(AboutLinksTest, AFactoryThatRefusesLeavesNoControlAndReportsWhy) {
  RefusingFactory factory;
  const AmbientProperties ambient = TestAmbient();
  std::unique_ptr<HostedControl> control;
  const auto countChildren = [&] {
    int count = 0;
    for (HWND child = GetWindow(dialog_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) ++count;
    return count;
  };
  const int childrenBefore = countChildren();
  EXPECT_EQ(HostedControl::Create(factory, dialog_, kStoredLinkLabels[0], kAboutLayout.linkLabels[0],
                                  USER_DEFAULT_SCREEN_DPI, ambient, control),
            E_OUTOFMEMORY);
  EXPECT_EQ(factory.requests, 1);
  EXPECT_EQ(control, nullptr);
  EXPECT_EQ(countChildren(), childrenBefore);
}

// The bag the controls are restored from, on its own.
win32::UniqueVariant ReadBag(IPropertyBag& bag, const wchar_t* name, VARTYPE type, HRESULT& result) {
  win32::UniqueVariant value;
  value->vt = type;
  result = bag.Read(name, value.get(), nullptr);
  return value;
}

TEST(StoredPropertyBagTest, FindsNamesWithoutRegardToCaseAndHandsTheFontAsAFontObject) {
  const win32::OleInitialization ole;
  ASSERT_HRESULT_SUCCEEDED(ole.Result());
  ComPtr<IPropertyBag> bag;
  ASSERT_HRESULT_SUCCEEDED(CreateStoredPropertyBag(kStoredLinkLabels[0], bag));
  HRESULT hr = S_OK;

  const win32::UniqueVariant colour = ReadBag(*bag.Get(), L"ForeColor", VT_I4, hr);
  ASSERT_HRESULT_SUCCEEDED(hr);
  EXPECT_EQ(colour->lVal, 0x00FF0000);

  const win32::UniqueVariant text = ReadBag(*bag.Get(), L"TEXT", VT_BSTR, hr);
  ASSERT_HRESULT_SUCCEEDED(hr);
  EXPECT_STREQ(text->bstrVal, L"My Website");

  const win32::UniqueVariant extent = ReadBag(*bag.Get(), L"_ExtentX", VT_EMPTY, hr);
  ASSERT_HRESULT_SUCCEEDED(hr);
  EXPECT_EQ(extent->vt, VT_I4);
  EXPECT_EQ(extent->lVal, 1720);

  // Stored with the default, so not stored at all: the control's default.
  ReadBag(*bag.Get(), L"BackColor", VT_I4, hr);
  EXPECT_EQ(hr, E_INVALIDARG);

  const win32::UniqueVariant fontValue = ReadBag(*bag.Get(), L"Font", VT_DISPATCH, hr);
  ASSERT_HRESULT_SUCCEEDED(hr);
  ComPtr<IFont> font;
  ASSERT_HRESULT_SUCCEEDED(fontValue->pdispVal->QueryInterface(IID_PPV_ARGS(&font)));
  ExpectStoredFont(*font.Get());
}

// Moved to a screen of another DPI, the dialog rescales everything from its
// layout, the hosted link labels included.
TEST_F(AboutLinksTest, EverythingFollowsAChangeOfDpi) {
  ASSERT_TRUE(LibraryBeside()) << "tessarel.ocx is not beside this program: the build did not put it there";
  for (const UINT dpi : {144u, 192u, 96u}) {
    SCOPED_TRACE(dpi);
    testing::SendDpiChanged(dialog_, dpi);
    testing::ExpectAboutLayoutAt(dialog_, dpi);
    // A control that activates again is told its new place by its site.
    for (std::size_t i = 0; i < 3; ++i) {
      const HostedControl* control = about_->LinkLabelForTests(i);
      ASSERT_NE(control, nullptr);
      ComPtr<IOleClientSite> clientSite;
      ASSERT_HRESULT_SUCCEEDED(control->ObjectForTests()->GetClientSite(&clientSite));
      ComPtr<IOleInPlaceSite> site;
      ASSERT_HRESULT_SUCCEEDED(clientSite.As(&site));
      ComPtr<IOleInPlaceFrame> frame;
      ComPtr<IOleInPlaceUIWindow> document;
      RECT position{};
      RECT clip{};
      OLEINPLACEFRAMEINFO frameInfo{};
      frameInfo.cb = sizeof(frameInfo);
      ASSERT_HRESULT_SUCCEEDED(site->GetWindowContext(&frame, &document, &position, &clip, &frameInfo));
      EXPECT_EQ(ChildRect(control->Window()), position);
    }
  }
}

}  // namespace
}  // namespace zenthra::about
