#pragma once
// What the tests of tessarel.ocx share: the library loaded beside the test
// program, instances made through its class factory (no registration
// needed), a property bag in memory, a recorder of property changes, and a
// small hand-written host (client site, in-place site, ambient IDispatch)
// in a window of its own.

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "bounded_wait.h"
#include "classes_registry.h"
#include "program_folder.h"
#include "tessarel_h.h"
#include "win32/com_object.h"
#include "win32/ole_initialization.h"
#include "win32/unique_handle.h"

namespace tessarel::test {

using Microsoft::WRL::ComPtr;
using win32::Adopt;
using win32::ScopedSelectObject;
using win32::UniqueBstr;
using win32::UniqueHbitmap;
using win32::UniqueHkey;
using win32::UniqueHmodule;
using win32::UniqueHwnd;
using win32::UniqueKernelHandle;
using win32::UniqueMemoryDc;
using win32::UniqueVariant;

// A test object that serves one interface. References() lets a test see
// whether the control lets go of each reference it took; one made with new
// deletes itself at the last Release, one on the test's stack (OnStack)
// never does.
enum class Lifetime { OnHeap, OnStack };

template <typename Interface, Lifetime kLifetime = Lifetime::OnHeap>
class TestObject : public win32::ComObject<TestObject<Interface, kLifetime>, Interface> {
 public:
  ULONG References() const { return this->ReferenceCountForTests(); }
  void OnFinalRelease() noexcept {
    if constexpr (kLifetime == Lifetime::OnHeap) delete this;
  }
};

// tessarel.ocx loaded by path, with its exports.
class ControlLibrary {
 public:
  HRESULT Load();
  HRESULT CreateControl(ComPtr<_tessarelcontrol>& control);
  HRESULT GetClassObject(REFCLSID classId, REFIID riid, void** object);
  HRESULT CanUnloadNow();
  HMODULE Module() const { return module_.get(); }
  // The library's export `name` as a `Function`; null when it has none.
  template <typename Function>
  Function* Export(const char* name) const {
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module_.get(), name)));
  }

 private:
  UniqueHmodule module_;
};

// Every test starts with the library loaded and ends by checking that its
// instances were all released (DllCanUnloadNow). Tests keep their COM
// pointers in locals or reset them before TearDown runs.
class ControlTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  ComPtr<_tessarelcontrol> NewControl();

  win32::OleInitialization apartment_;
  ControlLibrary library_;
};

// A property bag with entries in the order they were written; reads match
// names without regard to case and return E_INVALIDARG for a missing one.
class MemoryPropertyBag final : public TestObject<IPropertyBag> {
 public:
  static ComPtr<MemoryPropertyBag> Create();

  IFACEMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog* errorLog) override;
  IFACEMETHODIMP Write(LPCOLESTR name, VARIANT* value) override;

  void Put(const std::wstring& name, const VARIANT& value);
  void PutInt(const std::wstring& name, LONG value);
  void PutString(const std::wstring& name, const wchar_t* value);
  void PutObject(const std::wstring& name, IUnknown* object);
  // Reads of name fail with failure from now on.
  void PutFailure(const std::wstring& name, HRESULT failure) { failures_.emplace_back(name, failure); }
  // A host that lets go inside Read: the next read releases this first.
  ComPtr<IUnknown> releaseOnRead;
  // The entry's value, or null when there is none.
  const VARIANT* Find(const std::wstring& name) const;
  std::vector<std::wstring> Names() const;

 private:
  MemoryPropertyBag() = default;
  ~MemoryPropertyBag() override;

  std::vector<std::pair<std::wstring, VARIANT>> entries_;
  std::vector<std::pair<std::wstring, HRESULT>> failures_;
};

// Records the dispatch ids of IPropertyNotifySink::OnChanged calls, then
// runs step (if any) with the id, as a listener that acts on a change.
class ChangeRecorder final : public TestObject<IPropertyNotifySink> {
 public:
  static ComPtr<ChangeRecorder> Create();

  IFACEMETHODIMP OnChanged(DISPID id) override;
  IFACEMETHODIMP OnRequestEdit(DISPID id) override;

  std::vector<DISPID> changes;
  std::function<void(DISPID)> step;

 private:
  ChangeRecorder() = default;
  ~ChangeRecorder() override = default;
};

// The control's property notification point; null when it has none.
ComPtr<IConnectionPoint> NotifyPoint(IUnknown* control);

// Connects a recorder to the control's property notification point for
// the recorder's lifetime in the test.
class ChangeConnection {
 public:
  explicit ChangeConnection(IUnknown* control);
  ChangeConnection(const ChangeConnection&) = delete;
  ChangeConnection& operator=(const ChangeConnection&) = delete;
  ~ChangeConnection();
  HRESULT Result() const { return result_; }
  std::vector<DISPID>& Changes() { return recorder_->changes; }
  ChangeRecorder& Recorder() { return *recorder_.Get(); }

 private:
  ComPtr<IConnectionPoint> point_;
  ComPtr<ChangeRecorder> recorder_;
  DWORD cookie_ = 0;
  HRESULT result_ = E_FAIL;
};

// Connects listener to the control's property notification point and
// lets go of the point, so that the listener alone keeps the connection.
HRESULT ConnectListener(IUnknown* control, IPropertyNotifySink* listener);

// A minimal control container: a top-level window, a client site, an
// in-place site that activates the control at a given rectangle, and an
// ambient IDispatch that offers a font (or none).
class TestHost final : public win32::ComObject<TestHost, IOleClientSite, IOleInPlaceSite, IDispatch> {
 public:
  // ambientFont null: the host answers DISP_E_MEMBERNOTFOUND for it.
  static ComPtr<TestHost> Create(IFont* ambientFont, const RECT& position);
  // The bases' interfaces and IOleWindow.
  static const QITAB* InterfaceTable() noexcept;

  // IOleClientSite
  IFACEMETHODIMP SaveObject() override;
  IFACEMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override;
  IFACEMETHODIMP GetContainer(IOleContainer** container) override;
  IFACEMETHODIMP ShowObject() override;
  IFACEMETHODIMP OnShowWindow(BOOL) override;
  IFACEMETHODIMP RequestNewObjectLayout() override;
  // IOleWindow, IOleInPlaceSite
  IFACEMETHODIMP GetWindow(HWND* window) override;
  IFACEMETHODIMP ContextSensitiveHelp(BOOL) override;
  IFACEMETHODIMP CanInPlaceActivate() override;
  IFACEMETHODIMP OnInPlaceActivate() override;
  IFACEMETHODIMP OnUIActivate() override;
  IFACEMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                  LPRECT clip, LPOLEINPLACEFRAMEINFO info) override;
  IFACEMETHODIMP Scroll(SIZE) override;
  IFACEMETHODIMP OnUIDeactivate(BOOL) override;
  IFACEMETHODIMP OnInPlaceDeactivate() override;
  IFACEMETHODIMP DiscardUndoState() override;
  IFACEMETHODIMP DeactivateAndUndo() override;
  IFACEMETHODIMP OnPosRectChange(LPCRECT) override;
  // IDispatch (ambient properties)
  IFACEMETHODIMP GetTypeInfoCount(UINT* count) override;
  IFACEMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  IFACEMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  IFACEMETHODIMP Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                        UINT*) override;

  HWND Window() const { return window_.get(); }
  // Runs `step` (the caller's, kept until then) where the thread's next
  // message loop reaches it: also inside a modal loop of the control's.
  void PostStep(const std::function<void()>& step);
  // Runs `step` (the caller's, kept until then) once, when the host's window
  // is next given `message`: sent ones arrive inside any call that waits on
  // another window, such as a broadcast.
  void StepOnMessage(UINT message, const std::function<void()>& step);
  int activations = 0;
  int deactivations = 0;

 private:
  TestHost() = default;
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  ~TestHost() override = default;

  ComPtr<IFont> ambientFont_;
  RECT position_{};
  UINT stepMessage_ = 0;
  const std::function<void()>* messageStep_ = nullptr;  // borrowed: the caller's
  UniqueHwnd window_;
};

// Sites the control in host: SetClientSite, InitNew, SetExtent (HIMETRIC),
// then in-place activation at the host's position; `window`, if given,
// receives the control's window.
HRESULT SiteAndActivate(IUnknown* control, TestHost* host, SIZEL extent, HWND* window = nullptr);

// Fonts for bags and hosts.
ComPtr<IFont> MakeFont(const wchar_t* face, LONGLONG sizeTenThousandths, bool underline);

// Property access through IDispatch::Invoke, as a script host does it.
HRESULT GetProperty(IDispatch* object, DISPID id, UniqueVariant& value);
HRESULT PutProperty(IDispatch* object, DISPID id, VARIANT value, WORD kind = DISPATCH_PROPERTYPUT);
UniqueVariant StringVariant(const wchar_t* text);
VARIANT IntVariant(LONG value);

using zenthra::test::ProgramFolder;
using zenthra::test::SetClassesString;
using zenthra::test::WaitUntil;

}  // namespace tessarel::test
