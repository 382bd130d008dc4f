// Saving and restoring through a host's property bag and through a
// stream: what a new instance writes, defaults for missing entries, the
// ambient font, and bags that hold the wrong types.
#include "control_harness.h"

#include <olectl.h>

namespace tessarel::test {
namespace {

constexpr OLE_COLOR kBlue = 0x00FF0000;
constexpr OLE_COLOR kButtonText = 0x80000012;
constexpr OLE_COLOR kButtonFace = 0x8000000F;
constexpr RECT kHostPosition{10, 10, 200, 30};

class PersistenceTest : public ControlTest {
 protected:
  // A control sited in a host whose ambient font is MS Sans Serif 8.25,
  // not underlined, as a dialog's would be.
  ComPtr<_tessarelcontrol> SitedControl() {
    ComPtr<_tessarelcontrol> control = NewControl();
    if (control == nullptr) return nullptr;
    ComPtr<IOleObject> object;
    EXPECT_HRESULT_SUCCEEDED(control.As(&object));
    EXPECT_HRESULT_SUCCEEDED(object->SetClientSite(host_.Get()));
    controls_.push_back(object);
    return control;
  }

  void TearDown() override {
    for (auto& object : controls_) {
      EXPECT_HRESULT_SUCCEEDED(object->Close(OLECLOSE_NOSAVE));
      EXPECT_HRESULT_SUCCEEDED(object->SetClientSite(nullptr));
    }
    controls_.clear();
    ambientFont_.Reset();
    host_.Reset();
    ControlTest::TearDown();
  }

  // The control's persistence through a bag or a stream; every instance
  // serves both.
  template <typename Interface>
  static ComPtr<Interface> Persistence(IUnknown* control) {
    ComPtr<Interface> persist;
    EXPECT_HRESULT_SUCCEEDED(control->QueryInterface(IID_PPV_ARGS(&persist)));
    return persist;
  }
  static HRESULT Load(IUnknown* control, IPropertyBag* bag) {
    return Persistence<IPersistPropertyBag>(control)->Load(bag, nullptr);
  }
  static HRESULT Save(IUnknown* control, IPropertyBag* bag) {
    return Persistence<IPersistPropertyBag>(control)->Save(bag, TRUE, FALSE);
  }
  static std::wstring Text(_tessarelcontrol* control) {
    UniqueBstr text;
    EXPECT_EQ(S_OK, control->get_Text(text.put()));
    return text.get() ? text.get() : L"";
  }
  // The five properties as the control reports them. Of the font, its size
  // (ten-thousandths of a point) and underline: a font object reports the
  // face the system picked, which depends on the fonts installed.
  struct Label {
    std::wstring text, link;
    OLE_COLOR foreColor = 0, backColor = 0;
    LONGLONG fontSize = 0;
    BOOL underline = FALSE;
    bool operator==(const Label&) const = default;
    friend void PrintTo(const Label& l, std::ostream* out) {
      *out << ::testing::PrintToString(l.text.size() > 80 ? l.text.substr(0, 80) + L"..." : l.text) << " "
           << ::testing::PrintToString(l.link) << std::hex << " fore " << l.foreColor << " back " << l.backColor
           << std::dec << " font " << l.fontSize << (l.underline ? " underlined" : "");
    }
  };
  static Label Read(_tessarelcontrol* control) {
    Label label;
    UniqueBstr link;
    ComPtr<IFontDisp> dispatch;
    ComPtr<IFont> font;
    CY size{};
    label.text = Text(control);
    EXPECT_EQ(S_OK, control->get_Link(link.put()));
    label.link = link.get() ? link.get() : L"";
    EXPECT_EQ(S_OK, control->get_ForeColor(&label.foreColor));
    EXPECT_EQ(S_OK, control->get_BackColor(&label.backColor));
    EXPECT_EQ(S_OK, control->get_Font(&dispatch));
    EXPECT_HRESULT_SUCCEEDED(dispatch.As(&font));
    EXPECT_HRESULT_SUCCEEDED(font->get_Size(&size));
    EXPECT_HRESULT_SUCCEEDED(font->get_Underline(&label.underline));
    label.fontSize = size.int64;
    return label;
  }

  ComPtr<IFont> ambientFont_ = MakeFont(L"MS Sans Serif", 82500, false);
  ComPtr<TestHost> host_ = TestHost::Create(ambientFont_.Get(), kHostPosition);
  std::vector<ComPtr<IOleObject>> controls_;
};

TEST_F(PersistenceTest, NewInstanceSavesOnlyItsForeColorFontAndSizeAndComesBackTheSame) {
  ComPtr<_tessarelcontrol> placed = SitedControl();
  ASSERT_EQ(S_OK, Persistence<IPersistPropertyBag>(placed.Get())->InitNew());
  ComPtr<MemoryPropertyBag> bag = MemoryPropertyBag::Create();
  ASSERT_EQ(S_OK, Save(placed.Get(), bag.Get()));

  const std::vector<std::wstring> expected{L"_extentx", L"_extenty", L"forecolor", L"font"};
  EXPECT_EQ(expected, bag->Names());
  EXPECT_EQ(static_cast<LONG>(kBlue), bag->Find(L"forecolor")->lVal);
  // The design size, 1905 x 315 twips, in HIMETRIC.
  EXPECT_EQ(3360, bag->Find(L"_extentx")->lVal);
  EXPECT_EQ(556, bag->Find(L"_extenty")->lVal);

  ComPtr<_tessarelcontrol> restored = SitedControl();
  ASSERT_EQ(S_OK, Load(restored.Get(), bag.Get()));
  EXPECT_EQ((Label{L"Tessarel", L"http:\\\\", kBlue, kButtonFace, 82500, TRUE}), Read(restored.Get()));
}

TEST_F(PersistenceTest, MissingEntriesComeBackAsDefaultsNotAsTheDesignedLabel) {
  ComPtr<_tessarelcontrol> withoutForeColor = SitedControl();
  ComPtr<MemoryPropertyBag> empty = MemoryPropertyBag::Create();
  ASSERT_EQ(S_OK, Load(withoutForeColor.Get(), empty.Get()));
  // No stored font: the host's ambient font, as a copy of its own.
  EXPECT_EQ((Label{L"Tessarel", L"http:\\\\", kButtonText, kButtonFace, 82500, FALSE}), Read(withoutForeColor.Get()));
  ComPtr<IFontDisp> labelFont;
  ASSERT_EQ(S_OK, withoutForeColor->get_Font(&labelFont));
  ComPtr<IFont> labelIFont;
  ASSERT_HRESULT_SUCCEEDED(labelFont.As(&labelIFont));
  EXPECT_NE(ambientFont_.Get(), labelIFont.Get());

  ComPtr<_tessarelcontrol> blue = SitedControl();
  ComPtr<MemoryPropertyBag> bag = MemoryPropertyBag::Create();
  bag->PutInt(L"forecolor", static_cast<LONG>(kBlue));
  ASSERT_EQ(S_OK, Load(blue.Get(), bag.Get()));
  EXPECT_EQ(kBlue, Read(blue.Get()).foreColor);
}

TEST_F(PersistenceTest, AStoredLayoutWithLowerCaseNamesRoundTrips) {
  // As the About dialog's layout holds a link label.
  ComPtr<MemoryPropertyBag> layout = MemoryPropertyBag::Create();
  ComPtr<IFont> storedFont = MakeFont(L"Arial", 90000, true);
  layout->PutInt(L"_extentx", 1720);
  layout->PutInt(L"_extenty", 450);
  layout->PutInt(L"forecolor", 0x000080FF);
  layout->PutString(L"text", L"Contact Me");
  layout->PutString(L"link", L"mailto:someone@example.org");
  layout->PutObject(L"font", storedFont.Get());
  layout->PutInt(L"backcolor", 0x00C0FFC0);

  ComPtr<_tessarelcontrol> control = SitedControl();
  ASSERT_EQ(S_OK, Load(control.Get(), layout.Get()));
  EXPECT_EQ((Label{L"Contact Me", L"mailto:someone@example.org", 0x000080FF, 0x00C0FFC0, 90000, TRUE}),
            Read(control.Get()));
  ComPtr<IOleObject> object;
  ASSERT_HRESULT_SUCCEEDED(control.As(&object));
  SIZEL extent{};
  ASSERT_EQ(S_OK, object->GetExtent(DVASPECT_CONTENT, &extent));
  EXPECT_EQ(1720, extent.cx);
  EXPECT_EQ(450, extent.cy);

  ComPtr<MemoryPropertyBag> saved = MemoryPropertyBag::Create();
  ASSERT_EQ(S_OK, Save(control.Get(), saved.Get()));
  const std::vector<std::wstring> names{L"_extentx", L"_extenty", L"forecolor", L"text",
                                        L"link",     L"font",     L"backcolor"};
  EXPECT_EQ(names, saved->Names());
  for (const std::wstring& name : names) {
    if (name == L"font") continue;
    VARIANT original = *layout->Find(name);
    VARIANT copy = *saved->Find(name);
    EXPECT_EQ(VARCMP_EQ, VarCmp(&original, &copy, LOCALE_USER_DEFAULT, 0)) << name;
  }
}

TEST_F(PersistenceTest, ValuesOfTheWrongTypeAreErrors) {
  struct Case {
    const wchar_t* name;
    bool asString;  // otherwise an object where a value belongs
  } cases[] = {
      {L"forecolor", true}, {L"text", false},     {L"link", false},
      {L"font", true},      {L"backcolor", true}, {L"_extentx", true},
  };
  // An object with no IDispatch, so that no default value can be read.
  ComPtr<ChangeRecorder> someObject = ChangeRecorder::Create();
  for (const Case& bad : cases) {
    SCOPED_TRACE(bad.name);
    ComPtr<MemoryPropertyBag> bag = MemoryPropertyBag::Create();
    if (bad.asString)
      bag->PutString(bad.name, L"not that");
    else
      bag->PutObject(bad.name, someObject.Get());
    ComPtr<_tessarelcontrol> control = SitedControl();
    EXPECT_EQ(DISP_E_TYPEMISMATCH, Load(control.Get(), bag.Get()));
  }

  ComPtr<MemoryPropertyBag> badColour = MemoryPropertyBag::Create();
  badColour->PutInt(L"backcolor", static_cast<LONG>(0x80000099));
  ComPtr<_tessarelcontrol> control = SitedControl();
  EXPECT_EQ(CTL_E_INVALIDPROPERTYVALUE, Load(control.Get(), badColour.Get()));
  EXPECT_EQ(E_POINTER, Load(control.Get(), nullptr));
  EXPECT_EQ(E_POINTER, Save(control.Get(), nullptr));
}

// Load reads everything before it changes anything: a bag that fails
// after the extent and the text leaves both as they were.
TEST_F(PersistenceTest, ALoadThatFailsPartWayChangesNothing) {
  ComPtr<_tessarelcontrol> control = SitedControl();
  ComPtr<IOleObject> object;
  ASSERT_HRESULT_SUCCEEDED(control.As(&object));
  SIZEL before{}, after{};
  ASSERT_EQ(S_OK, object->GetExtent(DVASPECT_CONTENT, &before));
  ComPtr<MemoryPropertyBag> bag = MemoryPropertyBag::Create();
  bag->PutInt(L"_extentx", before.cx + 100);
  bag->PutInt(L"_extenty", before.cy + 100);
  bag->PutString(L"text", L"My Website");
  bag->PutFailure(L"font", E_FAIL);
  EXPECT_EQ(E_FAIL, Load(control.Get(), bag.Get()));
  ASSERT_EQ(S_OK, object->GetExtent(DVASPECT_CONTENT, &after));
  EXPECT_EQ(std::pair(before.cx, before.cy), std::pair(after.cx, after.cy));
  EXPECT_EQ(L"Tessarel", Text(control.Get()));
}

// Whatever Save writes, Load reads back: a text longer than any limit a
// reader might set (1 MiB of characters) too.
TEST_F(PersistenceTest, StreamRoundTripKeepsAllFiveAndRejectsATruncatedStream) {
  const std::wstring longText((1 << 20) + 1, L'x');
  ComPtr<_tessarelcontrol> original = SitedControl();
  const auto persist = Persistence<IPersistStreamInit>(original.Get());
  ASSERT_EQ(S_OK, persist->InitNew());
  EXPECT_EQ(S_FALSE, persist->IsDirty());
  ASSERT_EQ(S_OK, original->put_Text(UniqueBstr(SysAllocString(longText.c_str())).get()));
  ASSERT_EQ(S_OK, original->put_BackColor(0x00112233));
  EXPECT_EQ(S_OK, persist->IsDirty());

  ComPtr<IStream> stream;
  ASSERT_HRESULT_SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream));
  ASSERT_EQ(S_OK, persist->Save(stream.Get(), TRUE));
  EXPECT_EQ(S_FALSE, persist->IsDirty());

  ULARGE_INTEGER end{};
  ASSERT_HRESULT_SUCCEEDED(stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_CUR, &end));
  ASSERT_HRESULT_SUCCEEDED(stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr));
  ComPtr<_tessarelcontrol> copy = SitedControl();
  ASSERT_EQ(S_OK, Persistence<IPersistStreamInit>(copy.Get())->Load(stream.Get()));
  EXPECT_EQ((Label{longText, L"http:\\\\", kBlue, 0x00112233, 82500, TRUE}), Read(copy.Get()));

  // The same bytes cut short.
  ASSERT_HRESULT_SUCCEEDED(stream->SetSize(ULARGE_INTEGER{.QuadPart = end.QuadPart - 2}));
  ASSERT_HRESULT_SUCCEEDED(stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr));
  ComPtr<_tessarelcontrol> truncated = SitedControl();
  const auto truncatedPersist = Persistence<IPersistStreamInit>(truncated.Get());
  EXPECT_TRUE(FAILED(truncatedPersist->Load(stream.Get())));
  EXPECT_EQ(E_POINTER, truncatedPersist->Load(nullptr));
}

}  // namespace
}  // namespace tessarel::test
