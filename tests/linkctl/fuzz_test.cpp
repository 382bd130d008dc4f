// Random input for the control's two doors from outside, seeded so that a
// run repeats exactly: IPersistPropertyBag::Load from a bag whose answers
// (types, values, errors) are drawn at random, and IDispatch::Invoke with
// random ids, flags, arguments and null pointers. After every call:
//   (a) one that fails changes no property (the five and the extent, read
//       back through the interfaces) and reports no change;
//   (b) one that succeeds leaves every property at its default (the
//       extent: where it was) or at a value the caller supplied, as
//       automation converts it; Invoke touches only the property it names
//       and reports what it changed;
//   (c) the control lets go of every object handed to it, and at the end
//       the library can unload (the fixture's TearDown);
//   (d) the control still reads, saves and reloads its properties.
// And hosts that let go of the control inside a call it makes to them
// (a bag in Read, a listener in OnChanged), where (c) must still hold.
#include <olectl.h>

#include <algorithm>
#include <array>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "control_harness.h"
#include "link_control.h"
#include "random_values.h"

namespace tessarel::test {
namespace {

constexpr RECT kHostPosition{10, 10, 300, 40};

// The properties in the order the control persists them, by the names it
// persists them under.
enum Field : std::size_t { kExtentX, kExtentY, kForeColor, kText, kLink, kFont, kBackColor, kFieldCount };
constexpr RandomBag::Entry kPersisted[kFieldCount] = {
    {L"_ExtentX", Kind::Number}, {L"_ExtentY", Kind::Number}, {L"ForeColor", Kind::Number}, {L"Text", Kind::String},
    {L"Link", Kind::String},     {L"Font", Kind::Font},       {L"BackColor", Kind::Number}};

// The dispatch ids of the fields a caller can set (from kForeColor on).
constexpr DISPID kDispIds[kFieldCount] = {0,           0,           kDispIdForeColor, kDispIdText,
                                          kDispIdLink, kDispIdFont, kDispIdBackColor};

// The field a dispatch id names; kFieldCount for none.
Field FieldOf(DISPID id) {
  return static_cast<Field>(std::find(kDispIds + kForeColor, std::end(kDispIds), id) - kDispIds);
}

// Fields are compared as text: a string as it is, a number in decimal, an
// object by its identity.
std::wstring Text(BSTR text) { return std::wstring(text != nullptr ? text : L"", SysStringLen(text)); }
std::wstring Number(ULONG value) { return std::to_wstring(value); }
std::wstring Identity(IUnknown* object) {
  ComPtr<IUnknown> identity;
  if (object == nullptr || FAILED(object->QueryInterface(IID_PPV_ARGS(&identity)))) return L"no object";
  return L"object " + std::to_wstring(reinterpret_cast<std::uintptr_t>(identity.Get()));
}

// The values `supplied` stands for once automation converts it to a
// property of kind (a number may be taken as signed or unsigned).
std::vector<std::wstring> Converted(const VARIANT& supplied, Kind kind) {
  static constexpr VARTYPE kTypes[][2] = {{VT_BSTR, VT_EMPTY}, {VT_I4, VT_UI4}, {VT_DISPATCH, VT_EMPTY}};
  std::vector<std::wstring> values;
  for (VARTYPE type : kTypes[static_cast<int>(kind)]) {
    UniqueVariant value;
    if (type != VT_EMPTY && SUCCEEDED(VariantChangeType(value.get(), const_cast<VARIANT*>(&supplied), 0, type))) {
      values.push_back(type == VT_BSTR       ? Text(value->bstrVal)
                       : type == VT_DISPATCH ? Identity(value->pdispVal)
                                             : Number(value->ulVal));
    }
  }
  return values;
}

bool IsOneOf(const std::wstring& value, const std::vector<std::wstring>& allowed) {
  return std::find(allowed.begin(), allowed.end(), value) != allowed.end();
}

// The properties as the control reports them, and its font, to be compared
// by how it draws.
struct Snapshot {
  std::array<std::wstring, kFieldCount> fields;
  ComPtr<IFont> font;
};

Snapshot Take(_tessarelcontrol* control) {
  UniqueBstr text, link;
  OLE_COLOR foreColor = 0, backColor = 0;
  ComPtr<IFontDisp> font;
  ComPtr<IOleObject> object;
  SIZEL extent{};
  Snapshot snapshot;
  EXPECT_EQ(S_OK, control->get_Text(text.put()));
  EXPECT_EQ(S_OK, control->get_Link(link.put()));
  EXPECT_EQ(S_OK, control->get_ForeColor(&foreColor));
  EXPECT_EQ(S_OK, control->get_BackColor(&backColor));
  EXPECT_EQ(S_OK, control->get_Font(&font));
  EXPECT_TRUE(font != nullptr && SUCCEEDED(font.As(&snapshot.font)));
  EXPECT_HRESULT_SUCCEEDED(control->QueryInterface(IID_PPV_ARGS(&object)));
  EXPECT_TRUE(object != nullptr && object->GetExtent(DVASPECT_CONTENT, &extent) == S_OK);
  snapshot.fields = {Number(static_cast<ULONG>(extent.cx)),
                     Number(static_cast<ULONG>(extent.cy)),
                     Number(foreColor),
                     Text(text.get()),
                     Text(link.get()),
                     Identity(font.Get()),
                     Number(backColor)};
  return snapshot;
}

// Fonts compare as they draw: by the face and metrics of the GDI fonts they
// realize. Neither IFont::IsEqual nor the LOGFONTs will do: two requests
// can differ (a height of 0 and one of -11) and still give the same font.
struct DrawnLook {
  TEXTMETRICW metrics{};
  std::array<wchar_t, LF_FACESIZE> face{};
};

bool Drawn(IFont* font, DrawnLook& look) {
  HFONT realized = nullptr;  // borrowed: the font object keeps it
  if (font == nullptr || FAILED(font->get_hFont(&realized))) return false;
  HDC screen = GetDC(nullptr);
  const HGDIOBJ previous = SelectObject(screen, realized);
  const bool measured = GetTextMetricsW(screen, &look.metrics) &&
                        GetTextFaceW(screen, static_cast<int>(look.face.size()), look.face.data()) > 0;
  SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);
  return measured;
}

bool DrawAlike(const Snapshot& a, const Snapshot& b) {
  DrawnLook first, second;
  if (!Drawn(a.font.Get(), first) || !Drawn(b.font.Get(), second)) return false;
  const TEXTMETRICW& x = first.metrics;
  const TEXTMETRICW& y = second.metrics;
  return x.tmHeight == y.tmHeight && x.tmAveCharWidth == y.tmAveCharWidth && x.tmWeight == y.tmWeight &&
         x.tmItalic == y.tmItalic && x.tmUnderlined == y.tmUnderlined && x.tmStruckOut == y.tmStruckOut &&
         x.tmCharSet == y.tmCharSet && first.face == second.face;
}

// Failures with the facilities whose codes a control or the automation
// runtime returns.
bool IsProperFailure(HRESULT hr) {
  static constexpr int kFacilities[] = {FACILITY_NULL,  FACILITY_DISPATCH, FACILITY_ITF,
                                        FACILITY_WIN32, FACILITY_CONTROL,  FACILITY_STORAGE};
  return FAILED(hr) && std::ranges::find(kFacilities, HRESULT_FACILITY(hr)) != std::end(kFacilities);
}

// Sites `object` in one of three places: unsited (0), sited in the host
// with its ambient font (1), active in place there, drawing what it gets (2).
HRESULT Place(IOleObject* object, std::uint32_t place, TestHost* host) {
  return place == 1 ? object->SetClientSite(host) : place == 2 ? SiteAndActivate(object, host, SIZEL{2000, 500}) : S_OK;
}

// Paints the control's window now, if it is active, so that it draws what
// it holds.
void Redraw(IUnknown* control) {
  ComPtr<IOleWindow> window;
  HWND handle = nullptr;
  if (SUCCEEDED(control->QueryInterface(IID_PPV_ARGS(&window))) && SUCCEEDED(window->GetWindow(&handle)))
    RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

class FuzzTest : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    static constexpr const wchar_t* kFaces[] = {L"MS Sans Serif", L"Arial", L"Tahoma", L"No Such Face", L""};
    static constexpr LONGLONG kSizes[] = {0, 1, 82500, 120000, 720000, 20000000};
    for (std::size_t i = 0; i < 8; ++i) {
      ComPtr<IFont> font = MakeFont(kFaces[i % 5], kSizes[i % 6], i % 3 == 0);
      ASSERT_NE(nullptr, font.Get());
      fonts_.push_back(font);
    }
    host_ = TestHost::Create(fonts_[0].Get(), kHostPosition);
    ASSERT_NE(nullptr, host_.Get());
    for (std::uint32_t place = 0; place < 3; ++place) {
      Driven& driven = driven_.emplace_back();
      driven.control = NewControl();
      ComPtr<IOleObject> object;
      ASSERT_TRUE(driven.control != nullptr && SUCCEEDED(driven.control.As(&object)));
      ASSERT_HRESULT_SUCCEEDED(Place(object.Get(), place, host_.Get()));
      driven.changes = std::make_unique<ChangeConnection>(driven.control.Get());
      ASSERT_HRESULT_SUCCEEDED(driven.changes->Result());
    }
  }

  void TearDown() override {
    for (Driven& driven : driven_) {
      ComPtr<IOleObject> object;
      EXPECT_TRUE(driven.control == nullptr ||
                  (SUCCEEDED(driven.control.As(&object)) && SUCCEEDED(object->Close(OLECLOSE_NOSAVE)) &&
                   SUCCEEDED(object->SetClientSite(nullptr))));
    }
    driven_.clear();
    host_.Reset();
    fonts_.clear();
    if (countReferences_) {
      EXPECT_EQ(1u, plain_.References()) << "the control kept or lost references to an object it was given";
    }
    ControlTest::TearDown();
  }

  // (d): saves the control into a bag and loads that into a fresh control
  // in the same site (a font that draws like the host's is not saved).
  void ExpectSavesAndReloads(_tessarelcontrol* control, const std::string& where) {
    ComPtr<_tessarelcontrol> reader = NewControl();
    ComPtr<IOleObject> object, readerObject;
    ComPtr<IOleClientSite> site;
    ComPtr<IPersistPropertyBag> persist, readerPersist;
    ASSERT_TRUE(reader != nullptr);
    ASSERT_HRESULT_SUCCEEDED(control->QueryInterface(IID_PPV_ARGS(&object)));
    ASSERT_HRESULT_SUCCEEDED(object->GetClientSite(&site));
    ASSERT_HRESULT_SUCCEEDED(reader.As(&readerObject));
    ASSERT_HRESULT_SUCCEEDED(readerObject->SetClientSite(site.Get()));
    ASSERT_HRESULT_SUCCEEDED(control->QueryInterface(IID_PPV_ARGS(&persist)));
    ASSERT_HRESULT_SUCCEEDED(reader.As(&readerPersist));
    ComPtr<MemoryPropertyBag> saved = MemoryPropertyBag::Create();
    ASSERT_EQ(S_OK, persist->Save(saved.Get(), TRUE, FALSE)) << where;
    ASSERT_EQ(S_OK, readerPersist->Load(saved.Get(), nullptr)) << where;
    Snapshot original = Take(control);
    Snapshot reloaded = Take(reader.Get());
    EXPECT_TRUE(DrawAlike(original, reloaded)) << where << ": the reloaded font differs";
    original.fields[kFont] = reloaded.fields[kFont];  // the reader has a font object of its own
    EXPECT_TRUE(original.fields == reloaded.fields) << where << ": saved and reloaded properties differ";
    EXPECT_HRESULT_SUCCEEDED(readerObject->SetClientSite(nullptr));
  }

  // A control under test, the recorder of its change reports, and what
  // an empty bag gives it.
  struct Driven {
    ComPtr<_tessarelcontrol> control;
    std::unique_ptr<ChangeConnection> changes;
    Snapshot defaults;
  };

  // kIterations calls, seeded: each `step` drives one of the controls,
  // then the values drawn for it are let go, the control draws itself,
  // and now and then it is saved and reloaded.
  template <typename Step>
  void Drive(std::uint32_t seed, int saveEvery, Step step) {
    Random random(seed);
    RandomValues values(random, plain_, fonts_);
    for (int iteration = 0; iteration < kIterations && !HasFailure(); ++iteration) {
      const std::string where = "seed " + std::to_string(seed) + " iteration " + std::to_string(iteration);
      Driven& driven = driven_[random.Below(driven_.size())];
      driven.changes->Changes().clear();
      step(random, values, driven, where);
      values.Clear();
      Redraw(driven.control.Get());
      if (iteration % saveEvery == 0) ExpectSavesAndReloads(driven.control.Get(), where);
    }
  }

  static constexpr int kIterations = 4000;
  PlainObject plain_;
  bool countReferences_ = true;
  std::vector<Driven> driven_;
  std::vector<ComPtr<IFont>> fonts_;
  ComPtr<TestHost> host_;
};

TEST_F(FuzzTest, LoadFromABagOfRandomAnswers) {
  ComPtr<MemoryPropertyBag> empty = MemoryPropertyBag::Create();
  for (Driven& driven : driven_) {
    ComPtr<IPersistPropertyBag> persist;
    ASSERT_HRESULT_SUCCEEDED(driven.control.As(&persist));
    ASSERT_EQ(S_OK, persist->Load(empty.Get(), nullptr));
    driven.defaults = Take(driven.control.Get());
  }
  int loaded = 0;
  Drive(20240611, 10, [&](Random& random, RandomValues& values, Driven& driven, const std::string& where) {
    ComPtr<IPersistPropertyBag> persist;
    ASSERT_HRESULT_SUCCEEDED(driven.control.As(&persist));
    const Snapshot before = Take(driven.control.Get());
    RandomBag bag(random, values, kPersisted);
    const HRESULT hr = persist->Load(&bag, nullptr);
    const Snapshot after = Take(driven.control.Get());

    EXPECT_EQ(1u, bag.References()) << where;
    EXPECT_EQ(0, bag.badReads) << where;
    EXPECT_EQ(0, bag.unknownNames) << where;
    EXPECT_LE(bag.answers.size(), 2 * std::size(kPersisted)) << where << ": each name is asked for at most twice";
    if (FAILED(hr)) {
      const bool fromBag = std::ranges::any_of(bag.answers, [&](const auto& answer) { return answer.result == hr; });
      EXPECT_TRUE(fromBag || hr == E_INVALIDARG || hr == DISP_E_TYPEMISMATCH || hr == CTL_E_INVALIDPROPERTYVALUE)
          << where << ": Load made up 0x" << std::hex << hr;
      EXPECT_TRUE(driven.changes->Changes().empty()) << where << ": a failed Load reported a change";
      // Load reads and checks every value before it applies any, so a Load
      // that fails at any point (a bag error, a value that does not convert,
      // a colour that is none) leaves every property as it was.
      EXPECT_TRUE(before.fields == after.fields) << where << ": a failed Load changed the control";
      return;
    }
    EXPECT_EQ(S_OK, hr) << where;
    ++loaded;
    for (std::size_t field = 0; field < kFieldCount; ++field) {
      std::vector<std::wstring> allowed{field <= kExtentY ? before.fields[field] : driven.defaults.fields[field]};
      for (const RandomBag::Answer& answer : bag.answers)
        if (answer.entry == field && SUCCEEDED(answer.result))
          std::ranges::copy(Converted(*answer.value.get(), kPersisted[field].kind), std::back_inserter(allowed));
      EXPECT_TRUE(IsOneOf(after.fields[field], allowed) || (field == kFont && DrawAlike(after, driven.defaults)))
          << where << ": " << kPersisted[field].name << " is neither its default nor a value of the bag";
    }
  });
  EXPECT_GT(loaded, kIterations / 20) << "too few bags loaded to check their values: " << loaded;
}

TEST_F(FuzzTest, InvokeWithRandomIdsFlagsAndArguments) {
  // Invoke's arguments reach the control through the automation runtime,
  // which converts them to the parameters' types. Wine's keeps a reference
  // when turning a named VT_UNKNOWN argument into the Font setter's
  // IFontDisp fails (E_NOINTERFACE, before the control is called), so
  // references are counted for the bags only.
  countReferences_ = false;
  static constexpr DISPID kOtherIds[] = {DISPID_VALUE,     DISPID_UNKNOWN,       DISPID_PROPERTYPUT,   DISPID_NEWENUM,
                                         DISPID_EVALUATE,  kDispIdForeColor + 1, kDispIdForeColor + 2, 0x60020000,
                                         DISPID_FORECOLOR, DISPID_BACKCOLOR,     DISPID_TEXT};
  static constexpr WORD kGoodFlags[] = {DISPATCH_PROPERTYGET, DISPATCH_PROPERTYPUT, DISPATCH_PROPERTYPUTREF,
                                        DISPATCH_METHOD | DISPATCH_PROPERTYGET, DISPATCH_METHOD};
  static constexpr DISPID kNamedIds[] = {DISPID_PROPERTYPUT, DISPID_PROPERTYPUT, 0, 1, -1, 7};
  int changesMade = 0;
  Drive(977, 20, [&](Random& random, RandomValues& values, Driven& driven, const std::string& where) {
    const auto knownId = [&] { return kDispIds[kForeColor + random.Below(kFieldCount - kForeColor)]; };
    // Some calls are a proper setter call with a value of the property's
    // type; the rest are drawn freely.
    const bool wellFormed = random.OneIn(3);
    DISPID id =
        random.OneIn(4) ? (random.OneIn(3) ? static_cast<DISPID>(random.Bits()) : random.Pick(kOtherIds)) : knownId();
    WORD flags = random.OneIn(3) ? static_cast<WORD>(random.Below(0x20)) : random.Pick(kGoodFlags);
    const bool foreignInterface = random.OneIn(30);
    const bool noParams = random.OneIn(30);
    UINT argumentCount = random.OneIn(8) ? random.Below(6) : random.Below(3);
    UINT namedCount = argumentCount == 0 ? 0 : random.Below(argumentCount + 1);
    if (wellFormed) {
      id = knownId();
      flags = id == kDispIdFont ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT;
      argumentCount = namedCount = 1;
    }
    std::vector<VARIANT> arguments(argumentCount);
    for (VARIANT& argument : arguments)
      wellFormed ? values.Fitting(kPersisted[FieldOf(id)].kind, argument) : values.Any(argument);
    std::vector<DISPID> named(namedCount);
    std::ranges::generate(named, [&] { return wellFormed ? DISPID_PROPERTYPUT : random.Pick(kNamedIds); });
    DISPPARAMS params{argumentCount != 0 ? arguments.data() : nullptr, namedCount != 0 ? named.data() : nullptr,
                      argumentCount, namedCount};
    UniqueVariant result;
    EXCEPINFO exception{};
    UINT argumentError = 0;
    const bool wantResult = !random.OneIn(4);
    const bool wantException = !random.OneIn(3);
    const bool wantArgumentError = !random.OneIn(3);

    const Snapshot before = Take(driven.control.Get());
    const HRESULT hr =
        driven.control->Invoke(id, foreignInterface ? IID_IDispatch : IID_NULL, LOCALE_USER_DEFAULT, flags,
                               noParams ? nullptr : &params, wantResult ? result.get() : nullptr,
                               wantException ? &exception : nullptr, wantArgumentError ? &argumentError : nullptr);
    const Snapshot after = Take(driven.control.Get());

    EXPECT_TRUE(foreignInterface ? hr == DISP_E_UNKNOWNINTERFACE
                : noParams       ? hr == E_POINTER
                                 : hr == S_OK || IsProperFailure(hr))
        << where << ": 0x" << std::hex << hr;
    const bool excepted = hr == DISP_E_EXCEPTION && wantException;
    if (excepted && exception.pfnDeferredFillIn != nullptr) exception.pfnDeferredFillIn(&exception);
    EXPECT_TRUE(!excepted || exception.wCode != 0 || FAILED(exception.scode)) << where << ": an empty exception";
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    if (SUCCEEDED(hr) && wantResult) {
      EXPECT_EQ(S_OK, VariantClear(result.get())) << where << ": the result is no proper VARIANT";
    }

    // A put that succeeded may set the property it names (a getter may have
    // answered a call that allowed both); nothing else changes.
    const bool put = SUCCEEDED(hr) && (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    const Field target = put ? FieldOf(id) : kFieldCount;
    for (std::size_t field = 0; field < kFieldCount; ++field) {
      std::vector<std::wstring> allowed{before.fields[field]};
      for (std::size_t i = 0; field == target && i < arguments.size(); ++i)
        std::ranges::copy(Converted(arguments[i], kPersisted[field].kind), std::back_inserter(allowed));
      EXPECT_TRUE(IsOneOf(after.fields[field], allowed))
          << where << ": " << kPersisted[field].name << " is neither what it was nor an argument";
    }
    const std::vector<DISPID>& changed = driven.changes->Changes();
    const bool same = before.fields == after.fields;
    EXPECT_TRUE(changed.empty() || (target != kFieldCount && changed == std::vector<DISPID>{id}))
        << where << ": a change reported for what the call did not set";
    EXPECT_TRUE(same || !changed.empty()) << where << ": a change went unreported";
    changesMade += same ? 0 : 1;
    for (VARIANT& argument : arguments) VariantClear(&argument);
  });
  EXPECT_GT(changesMade, kIterations / 10) << "too few calls set a property: " << changesMade;
}

// Wherever the release comes, the call returns as it would have, the
// control lets go of the bag and the listener, and nothing of the library
// outlives the fixture (TearDown).
TEST_F(FuzzTest, HostsThatLetGoOfTheControlInsideTheirCallbacks) {
  Random random(5081);
  RandomValues values(random, plain_, fonts_);
  for (int iteration = 0; iteration < kIterations / 4 && !HasFailure(); ++iteration) {
    const std::string where = "iteration " + std::to_string(iteration);
    ComPtr<_tessarelcontrol> control = NewControl();
    ComPtr<IOleObject> object;
    ASSERT_TRUE(control != nullptr && SUCCEEDED(control.As(&object)));
    ASSERT_HRESULT_SUCCEEDED(Place(object.Get(), random.Below(3), host_.Get()));
    object.Reset();
    ComPtr<ChangeRecorder> listener = ChangeRecorder::Create();
    ASSERT_EQ(S_OK, ConnectListener(control.Get(), listener.Get()));
    HRESULT hr = S_OK;
    if (random.OneIn(2)) {
      RandomBag bag(random, values, kPersisted);
      ComPtr<IPersistPropertyBag> persist;
      ASSERT_HRESULT_SUCCEEDED(control.As(&persist));
      IPersistPropertyBag* loading = persist.Get();  // borrowed: the bag may let go of the last reference
      bag.releaseAt = random.Below(2 * kFieldCount);
      bag.releaseOnRead = control.Get();
      control.Reset();
      persist.Reset();
      hr = loading->Load(&bag, nullptr);
      bag.releaseOnRead.Reset();  // if no read came to it
      EXPECT_EQ(1u, bag.References()) << where;
    } else {
      const auto field = static_cast<Field>(kForeColor + random.Below(kFieldCount - kForeColor));
      UniqueVariant value;
      values.Fitting(kPersisted[field].kind, *value.get());
      _tessarelcontrol* setting = control.Get();  // borrowed: the listener lets go of the last reference
      listener->step = [&control](DISPID) { control.Reset(); };
      hr = PutProperty(setting, kDispIds[field], *value.get(),
                       field == kFont ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT);
      control.Reset();  // if the set changed nothing
    }
    values.Clear();
    EXPECT_TRUE(hr == S_OK || IsProperFailure(hr)) << where << ": 0x" << std::hex << hr;
    EXPECT_EQ(1u, listener->References()) << where << ": the control kept its listener";
  }
}

}  // namespace
}  // namespace tessarel::test
