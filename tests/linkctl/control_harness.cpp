#include "control_harness.h"

namespace tessarel::test {

// ControlLibrary

HRESULT ControlLibrary::Load() {
  module_.reset(LoadLibraryW((ProgramFolder() + L"tessarel.ocx").c_str()));
  return module_ ? S_OK : HRESULT_FROM_WIN32(GetLastError());
}

HRESULT ControlLibrary::GetClassObject(REFCLSID classId, REFIID riid, void** object) {
  const auto function = Export<HRESULT STDAPICALLTYPE(REFCLSID, REFIID, void**)>("DllGetClassObject");
  return function != nullptr ? function(classId, riid, object) : HRESULT_FROM_WIN32(GetLastError());
}

HRESULT ControlLibrary::CreateControl(ComPtr<_tessarelcontrol>& control) {
  ComPtr<IClassFactory> factory;
  HRESULT hr = GetClassObject(CLSID_tessarelcontrol, IID_PPV_ARGS(&factory));
  if (FAILED(hr)) return hr;
  return factory->CreateInstance(nullptr, IID__tessarelcontrol,
                                 reinterpret_cast<void**>(control.ReleaseAndGetAddressOf()));
}

HRESULT ControlLibrary::CanUnloadNow() {
  const auto function = Export<HRESULT STDAPICALLTYPE()>("DllCanUnloadNow");
  return function != nullptr ? function() : HRESULT_FROM_WIN32(GetLastError());
}

void ControlTest::SetUp() {
  ASSERT_HRESULT_SUCCEEDED(apartment_.Result());
  ASSERT_HRESULT_SUCCEEDED(library_.Load());
}

void ControlTest::TearDown() {
  // Cleans up anything the shell or the control left for this thread.
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  EXPECT_EQ(S_OK, library_.CanUnloadNow()) << "an instance or lock of the library is still alive";
}

ComPtr<_tessarelcontrol> ControlTest::NewControl() {
  ComPtr<_tessarelcontrol> control;
  EXPECT_HRESULT_SUCCEEDED(library_.CreateControl(control));
  return control;
}

// MemoryPropertyBag

ComPtr<MemoryPropertyBag> MemoryPropertyBag::Create() { return Adopt(new MemoryPropertyBag()); }

MemoryPropertyBag::~MemoryPropertyBag() {
  for (auto& entry : entries_) VariantClear(&entry.second);
}

IFACEMETHODIMP MemoryPropertyBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*) {
  if (name == nullptr || value == nullptr) return E_POINTER;
  releaseOnRead.Reset();
  for (const auto& [failing, failure] : failures_)
    if (lstrcmpiW(failing.c_str(), name) == 0) return failure;
  const VARIANT* stored = Find(name);
  if (stored == nullptr) return E_INVALIDARG;
  VariantInit(value);
  return VariantCopy(value, const_cast<VARIANT*>(stored));  // VariantCopy does not change its source
}

IFACEMETHODIMP MemoryPropertyBag::Write(LPCOLESTR name, VARIANT* value) {
  if (name == nullptr || value == nullptr) return E_POINTER;
  Put(name, *value);
  return S_OK;
}

void MemoryPropertyBag::Put(const std::wstring& name, const VARIANT& value) {
  VARIANT copy;
  VariantInit(&copy);
  VariantCopy(&copy, const_cast<VARIANT*>(&value));
  if (auto* stored = const_cast<VARIANT*>(Find(name))) {  // the bag's own entry
    VariantClear(stored);
    *stored = copy;
    return;
  }
  entries_.emplace_back(name, copy);
}

void MemoryPropertyBag::PutInt(const std::wstring& name, LONG value) { Put(name, IntVariant(value)); }

void MemoryPropertyBag::PutString(const std::wstring& name, const wchar_t* value) {
  UniqueVariant text = StringVariant(value);
  Put(name, *text.get());
}

void MemoryPropertyBag::PutObject(const std::wstring& name, IUnknown* object) {
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_UNKNOWN;
  value.punkVal = object;  // borrowed: Put copies (and AddRefs) it
  Put(name, value);
}

const VARIANT* MemoryPropertyBag::Find(const std::wstring& name) const {
  for (const auto& entry : entries_)
    if (lstrcmpiW(entry.first.c_str(), name.c_str()) == 0) return &entry.second;
  return nullptr;
}

std::vector<std::wstring> MemoryPropertyBag::Names() const {
  std::vector<std::wstring> names;
  for (const auto& entry : entries_) names.push_back(entry.first);
  return names;
}

// ChangeRecorder

ComPtr<ChangeRecorder> ChangeRecorder::Create() { return Adopt(new ChangeRecorder()); }

IFACEMETHODIMP ChangeRecorder::OnChanged(DISPID id) {
  changes.push_back(id);
  if (step) step(id);
  return S_OK;
}
IFACEMETHODIMP ChangeRecorder::OnRequestEdit(DISPID) { return S_OK; }

ComPtr<IConnectionPoint> NotifyPoint(IUnknown* control) {
  ComPtr<IConnectionPointContainer> container;
  ComPtr<IConnectionPoint> point;
  if (SUCCEEDED(control->QueryInterface(IID_PPV_ARGS(&container))))
    container->FindConnectionPoint(IID_IPropertyNotifySink, &point);
  return point;
}

ChangeConnection::ChangeConnection(IUnknown* control)
    : point_(NotifyPoint(control)),
      recorder_(ChangeRecorder::Create()),
      result_(point_ ? point_->Advise(recorder_.Get(), &cookie_) : E_NOINTERFACE) {}

ChangeConnection::~ChangeConnection() {
  if (SUCCEEDED(result_)) point_->Unadvise(cookie_);
}

HRESULT ConnectListener(IUnknown* control, IPropertyNotifySink* listener) {
  const ComPtr<IConnectionPoint> point = NotifyPoint(control);
  DWORD cookie = 0;
  return point ? point->Advise(listener, &cookie) : E_NOINTERFACE;
}

// TestHost

namespace {
constexpr wchar_t kHostWindowClass[] = L"TessarelTestHost";
constexpr UINT kRunStepMessage = WM_APP;  // lParam: the step

}  // namespace

LRESULT CALLBACK TestHost::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* host = reinterpret_cast<TestHost*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (host != nullptr && host->messageStep_ != nullptr && message == host->stepMessage_) {
    (*std::exchange(host->messageStep_, nullptr))();
  }
  if (message != kRunStepMessage) return DefWindowProcW(window, message, wParam, lParam);
  (*reinterpret_cast<const std::function<void()>*>(lParam))();
  return 0;
}

namespace {

HRESULT EnsureHostWindowClass(WNDPROC windowProc) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kHostWindowClass;
  windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  if (RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS) return S_OK;
  return HRESULT_FROM_WIN32(GetLastError());
}
}  // namespace

ComPtr<TestHost> TestHost::Create(IFont* ambientFont, const RECT& position) {
  ComPtr<TestHost> host = Adopt(new TestHost());
  host->ambientFont_ = ambientFont;
  host->position_ = position;
  if (FAILED(EnsureHostWindowClass(WindowProc))) return nullptr;
  // Shown without taking the activation or the focus: these tests run beside
  // window tests that hold the desktop and check where the focus is.
  host->window_.reset(CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, kHostWindowClass, L"Tessarel test host",
                                      WS_POPUP, 0, 0, 640, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
  if (!host->window_) return nullptr;
  SetWindowLongPtrW(host->window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(host.Get()));
  ShowWindow(host->window_.get(), SW_SHOWNOACTIVATE);
  return host;
}

void TestHost::PostStep(const std::function<void()>& step) {
  EXPECT_TRUE(PostMessageW(window_.get(), kRunStepMessage, 0, reinterpret_cast<LPARAM>(&step)));
}

void TestHost::StepOnMessage(UINT message, const std::function<void()>& step) {
  stepMessage_ = message;
  messageStep_ = &step;
}

const QITAB* TestHost::InterfaceTable() noexcept {
  static const QITAB table[] = {
      QITABENT(TestHost, IOleClientSite),
      QITABENT(TestHost, IOleInPlaceSite),
      QITABENTMULTI(TestHost, IOleWindow, IOleInPlaceSite),
      QITABENT(TestHost, IDispatch),
      {nullptr, 0},
  };
  return table;
}

IFACEMETHODIMP TestHost::SaveObject() { return E_NOTIMPL; }
IFACEMETHODIMP TestHost::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  *moniker = nullptr;
  return E_NOTIMPL;
}
IFACEMETHODIMP TestHost::GetContainer(IOleContainer** container) {
  *container = nullptr;
  return E_NOINTERFACE;
}
IFACEMETHODIMP TestHost::ShowObject() { return S_OK; }
IFACEMETHODIMP TestHost::OnShowWindow(BOOL) { return S_OK; }
IFACEMETHODIMP TestHost::RequestNewObjectLayout() { return E_NOTIMPL; }

IFACEMETHODIMP TestHost::GetWindow(HWND* window) {
  *window = window_.get();
  return S_OK;
}
IFACEMETHODIMP TestHost::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }
IFACEMETHODIMP TestHost::CanInPlaceActivate() { return S_OK; }
IFACEMETHODIMP TestHost::OnInPlaceActivate() {
  ++activations;
  return S_OK;
}
IFACEMETHODIMP TestHost::OnUIActivate() { return S_OK; }
IFACEMETHODIMP TestHost::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                          LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
  *frame = nullptr;
  *document = nullptr;
  *position = position_;
  *clip = position_;
  info->fMDIApp = FALSE;
  info->hwndFrame = window_.get();
  info->haccel = nullptr;
  info->cAccelEntries = 0;
  return S_OK;
}
IFACEMETHODIMP TestHost::Scroll(SIZE) { return E_NOTIMPL; }
IFACEMETHODIMP TestHost::OnUIDeactivate(BOOL) { return S_OK; }
IFACEMETHODIMP TestHost::OnInPlaceDeactivate() {
  ++deactivations;
  return S_OK;
}
IFACEMETHODIMP TestHost::DiscardUndoState() { return E_NOTIMPL; }
IFACEMETHODIMP TestHost::DeactivateAndUndo() { return E_NOTIMPL; }
IFACEMETHODIMP TestHost::OnPosRectChange(LPCRECT) { return E_NOTIMPL; }

IFACEMETHODIMP TestHost::GetTypeInfoCount(UINT* count) {
  *count = 0;
  return S_OK;
}
IFACEMETHODIMP TestHost::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  *info = nullptr;
  return E_NOTIMPL;
}
IFACEMETHODIMP TestHost::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
IFACEMETHODIMP TestHost::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) {
  if (id != DISPID_AMBIENT_FONT || ambientFont_ == nullptr || (flags & DISPATCH_PROPERTYGET) == 0)
    return DISP_E_MEMBERNOTFOUND;
  VariantInit(result);
  result->vt = VT_DISPATCH;
  return ambientFont_->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&result->pdispVal));
}

HRESULT SiteAndActivate(IUnknown* control, TestHost* host, SIZEL extent, HWND* window) {
  ComPtr<IOleObject> object;
  ComPtr<IPersistPropertyBag> persist;
  ComPtr<IOleInPlaceObject> inPlace;
  HRESULT hr = control->QueryInterface(IID_PPV_ARGS(&object));
  if (SUCCEEDED(hr)) hr = control->QueryInterface(IID_PPV_ARGS(&persist));
  if (SUCCEEDED(hr)) hr = object->SetClientSite(host);
  if (SUCCEEDED(hr)) hr = persist->InitNew();
  if (SUCCEEDED(hr)) hr = object->SetExtent(DVASPECT_CONTENT, &extent);
  if (SUCCEEDED(hr)) hr = object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, host, 0, host->Window(), nullptr);
  if (SUCCEEDED(hr) && window != nullptr) hr = object.As(&inPlace);
  return SUCCEEDED(hr) && window != nullptr ? inPlace->GetWindow(window) : hr;
}

ComPtr<IFont> MakeFont(const wchar_t* face, LONGLONG sizeTenThousandths, bool underline) {
  FONTDESC description{};
  description.cbSizeofstruct = sizeof(description);
  description.lpstrName = const_cast<LPOLESTR>(face);
  description.cySize.int64 = sizeTenThousandths;
  description.sWeight = FW_NORMAL;
  description.fUnderline = underline;
  ComPtr<IFont> font;
  OleCreateFontIndirect(&description, IID_PPV_ARGS(&font));
  return font;
}

HRESULT GetProperty(IDispatch* object, DISPID id, UniqueVariant& value) {
  DISPPARAMS none{};
  return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, value.put(), nullptr, nullptr);
}

HRESULT PutProperty(IDispatch* object, DISPID id, VARIANT value, WORD kind) {
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{&value, &named, 1, 1};
  return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &params, nullptr, nullptr, nullptr);
}

UniqueVariant StringVariant(const wchar_t* text) {
  UniqueVariant value;
  value->vt = VT_BSTR;
  value->bstrVal = SysAllocString(text);
  return value;
}

VARIANT IntVariant(LONG value) {
  VARIANT variant;
  VariantInit(&variant);
  variant.vt = VT_I4;
  variant.lVal = value;
  return variant;
}

}  // namespace tessarel::test
