// The five properties through IDispatch, the change reports that setters
// (and only setters) send, the type library they come from, and bad input.
#include "control_harness.h"

#include <olectl.h>

#include <tuple>

namespace tessarel::test {
namespace {

constexpr DISPID kBackColor = 0x68030000;
constexpr DISPID kLink = 0x68030001;
constexpr DISPID kText = 0x68030002;
constexpr DISPID kForeColor = 0x68030003;
constexpr DISPID kFont = -512;

struct PropertyIdentity {
  const wchar_t* name;
  DISPID id;
  const wchar_t* helpString;
};

constexpr PropertyIdentity kProperties[] = {
    {L"ForeColor", kForeColor, L"Returns/sets the foreground color used to display text and graphics in an object."},
    {L"Text", kText, L"Returns/sets the text displayed in an object's title bar or below an object's icon."},
    {L"Link", kLink, L"The URL of the site you want to go to."},
    {L"Font", kFont, L"Returns a Font object."},
    {L"BackColor", kBackColor, L"Returns/sets the background color used to display text and graphics in an object."},
};

using DispatchTest = ControlTest;

TEST_F(DispatchTest, NamesResolveToTheirDispatchIdsInAnyCase) {
  ComPtr<_tessarelcontrol> control = NewControl();
  for (const PropertyIdentity& property : kProperties) {
    std::wstring lower = property.name;
    CharLowerBuffW(lower.data(), static_cast<DWORD>(lower.size()));
    for (std::wstring name : {std::wstring(property.name), lower}) {
      LPOLESTR names[] = {name.data()};
      DISPID id = 0;
      EXPECT_EQ(S_OK, control->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)) << name;
      EXPECT_EQ(property.id, id) << name;
    }
  }
}

TEST_F(DispatchTest, TypeLibraryDescribesEachPropertyAndTheClass) {
  ComPtr<_tessarelcontrol> control = NewControl();
  ComPtr<ITypeInfo> info;
  ASSERT_HRESULT_SUCCEEDED(control->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info));
  TYPEATTR* attributes = nullptr;
  ASSERT_HRESULT_SUCCEEDED(info->GetTypeAttr(&attributes));
  EXPECT_EQ(IID__tessarelcontrol, attributes->guid);
  constexpr WORD kFlags = TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE;
  EXPECT_EQ(kFlags, attributes->wTypeFlags & kFlags);
  const WORD functionCount = attributes->cFuncs;
  info->ReleaseTypeAttr(attributes);

  // The setter of each property, its argument name and help string.
  int settersFound = 0;
  for (UINT index = 0; index < functionCount; ++index) {
    FUNCDESC* function = nullptr;
    ASSERT_HRESULT_SUCCEEDED(info->GetFuncDesc(index, &function));
    for (const PropertyIdentity& property : kProperties) {
      if (function->memid != property.id) continue;
      UniqueBstr help;
      ASSERT_HRESULT_SUCCEEDED(info->GetDocumentation(function->memid, nullptr, help.put(), nullptr, nullptr));
      EXPECT_STREQ(property.helpString, help.get());
      if (function->invkind == INVOKE_PROPERTYPUT || function->invkind == INVOKE_PROPERTYPUTREF) {
        ++settersFound;
        EXPECT_EQ(property.id == kFont ? INVOKE_PROPERTYPUTREF : INVOKE_PROPERTYPUT, function->invkind);
        EXPECT_EQ(1, function->cParams);
      }
    }
    info->ReleaseFuncDesc(function);
  }
  EXPECT_EQ(5, settersFound);

  ComPtr<IProvideClassInfo2> classInfo;
  ASSERT_HRESULT_SUCCEEDED(control.As(&classInfo));
  GUID source{};
  ASSERT_EQ(S_OK, classInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source));
  EXPECT_EQ(DIID___tessarelcontrol, source);
  ComPtr<ITypeInfo> coclass;
  ASSERT_HRESULT_SUCCEEDED(classInfo->GetClassInfo(&coclass));
  ASSERT_HRESULT_SUCCEEDED(coclass->GetTypeAttr(&attributes));
  EXPECT_EQ(CLSID_tessarelcontrol, attributes->guid);
  EXPECT_TRUE(attributes->wTypeFlags & TYPEFLAG_FCONTROL);
  coclass->ReleaseTypeAttr(attributes);

  ComPtr<ITypeLib> library;
  UINT unused = 0;
  ASSERT_HRESULT_SUCCEEDED(info->GetContainingTypeLib(&library, &unused));
  TLIBATTR* libraryAttributes = nullptr;
  ASSERT_HRESULT_SUCCEEDED(library->GetLibAttr(&libraryAttributes));
  EXPECT_EQ(LIBID_Tessarel, libraryAttributes->guid);
  EXPECT_EQ(1, libraryAttributes->wMajorVerNum);
  EXPECT_EQ(0, libraryAttributes->wMinorVerNum);
  EXPECT_EQ(0u, libraryAttributes->lcid);  // language-neutral
  library->ReleaseTLibAttr(libraryAttributes);
  UniqueBstr libraryName, libraryHelp;
  ASSERT_HRESULT_SUCCEEDED(library->GetDocumentation(-1, libraryName.put(), libraryHelp.put(), nullptr, nullptr));
  EXPECT_STREQ(L"Tessarel", libraryName.get());
  EXPECT_STREQ(L"Tessarel", libraryHelp.get());
}

TEST_F(DispatchTest, NewInstanceShowsTheDesignedLabel) {
  ComPtr<_tessarelcontrol> control = NewControl();
  UniqueVariant value;
  ASSERT_EQ(S_OK, GetProperty(control.Get(), kText, value));
  EXPECT_STREQ(L"Tessarel", value->bstrVal);
  ASSERT_EQ(S_OK, GetProperty(control.Get(), kForeColor, value));
  EXPECT_EQ(0x00FF0000, value->lVal);
  ASSERT_EQ(S_OK, GetProperty(control.Get(), kBackColor, value));
  EXPECT_EQ(static_cast<LONG>(0x8000000F), value->lVal);

  ASSERT_EQ(S_OK, GetProperty(control.Get(), kFont, value));
  ASSERT_EQ(VT_DISPATCH, value->vt);
  ComPtr<IFont> font;
  ASSERT_HRESULT_SUCCEEDED(value->pdispVal->QueryInterface(IID_PPV_ARGS(&font)));
  CY size{};
  BOOL underline = FALSE, italic = TRUE;
  SHORT weight = 0, charset = -1;
  font->get_Size(&size);
  font->get_Underline(&underline);
  font->get_Italic(&italic);
  font->get_Weight(&weight);
  font->get_Charset(&charset);
  // The face name is not compared: the font object reports the face
  // the system picked for it, which depends on the fonts installed.
  EXPECT_EQ(std::tuple(LONGLONG{82500}, true, false, SHORT{400}, SHORT{0}),
            std::tuple(size.int64, underline != FALSE, italic != FALSE, weight, charset));
}

TEST_F(DispatchTest, EachSetterReportsItsOwnChangeAndGettersReportNothing) {
  ComPtr<_tessarelcontrol> control = NewControl();
  ChangeConnection connection(control.Get());
  ASSERT_HRESULT_SUCCEEDED(connection.Result());
  ComPtr<IFont> newFont = MakeFont(L"Arial", 100000, false);
  ComPtr<IFontDisp> newFontDispatch;
  ASSERT_HRESULT_SUCCEEDED(newFont.As(&newFontDispatch));

  auto setAndRead = [&](DISPID id, WORD kind, const VARIANT& value) {
    SCOPED_TRACE(id);
    connection.Changes().clear();
    ASSERT_EQ(S_OK, PutProperty(control.Get(), id, value, kind));
    EXPECT_EQ(std::vector<DISPID>{id}, connection.Changes());

    UniqueVariant read;
    ASSERT_EQ(S_OK, GetProperty(control.Get(), id, read));
    VARIANT expected = value;  // shallow: only compared
    ASSERT_HRESULT_SUCCEEDED(VariantChangeType(read.get(), read.get(), 0, value.vt));
    EXPECT_EQ(VARCMP_EQ, VarCmp(read.get(), &expected, LOCALE_USER_DEFAULT, 0));
    EXPECT_EQ(std::vector<DISPID>{id}, connection.Changes()) << "a getter reported a change";
  };
  setAndRead(kForeColor, DISPATCH_PROPERTYPUT, IntVariant(0x000000FF));
  setAndRead(kText, DISPATCH_PROPERTYPUT, *StringVariant(L"My Website").get());
  setAndRead(kLink, DISPATCH_PROPERTYPUT, *StringVariant(L"mailto:someone@example.org").get());
  setAndRead(kBackColor, DISPATCH_PROPERTYPUT, IntVariant(0x80000005));

  // The font by reference: the getter then hands out the very object.
  connection.Changes().clear();
  VARIANT fontValue;
  VariantInit(&fontValue);
  fontValue.vt = VT_DISPATCH;
  fontValue.pdispVal = newFontDispatch.Get();  // borrowed for the call
  ASSERT_EQ(S_OK, PutProperty(control.Get(), kFont, fontValue, DISPATCH_PROPERTYPUTREF));
  EXPECT_EQ(std::vector<DISPID>{kFont}, connection.Changes());
  UniqueVariant readFont;
  ASSERT_EQ(S_OK, GetProperty(control.Get(), kFont, readFont));
  EXPECT_EQ(newFontDispatch.Get(), readFont->pdispVal);
  EXPECT_EQ(std::vector<DISPID>{kFont}, connection.Changes());
}

TEST_F(DispatchTest, FontGetterHandsOutTheLabelsOwnFontWhoseChangesShowButAreNotReported) {
  ComPtr<_tessarelcontrol> control = NewControl();
  ChangeConnection connection(control.Get());
  ASSERT_HRESULT_SUCCEEDED(connection.Result());
  // A view sink learns when the label must be drawn again.
  struct ViewSink final : TestObject<IAdviseSink, Lifetime::OnStack> {
    int viewChanges = 0;
    IFACEMETHODIMP_(void) OnDataChange(FORMATETC*, STGMEDIUM*) override {}
    IFACEMETHODIMP_(void) OnViewChange(DWORD, LONG) override { ++viewChanges; }
    IFACEMETHODIMP_(void) OnRename(IMoniker*) override {}
    IFACEMETHODIMP_(void) OnSave() override {}
    IFACEMETHODIMP_(void) OnClose() override {}
  } viewSink;
  ComPtr<IViewObject2> view;
  ASSERT_HRESULT_SUCCEEDED(control.As(&view));
  ASSERT_HRESULT_SUCCEEDED(view->SetAdvise(DVASPECT_CONTENT, 0, &viewSink));

  ComPtr<IFontDisp> first, second;
  ASSERT_EQ(S_OK, control->get_Font(&first));
  ASSERT_EQ(S_OK, control->get_Font(&second));
  EXPECT_EQ(first.Get(), second.Get()) << "the getter must return the same object, not a copy";

  ComPtr<IFont> font;
  ASSERT_HRESULT_SUCCEEDED(first.As(&font));
  ASSERT_HRESULT_SUCCEEDED(font->put_Size(CY{.int64 = 120000}));
  EXPECT_GT(viewSink.viewChanges, 0) << "the label was not redrawn";
  EXPECT_TRUE(connection.Changes().empty());

  ComPtr<IFontDisp> again;
  ASSERT_EQ(S_OK, control->get_Font(&again));
  ComPtr<IFont> againFont;
  ASSERT_HRESULT_SUCCEEDED(again.As(&againFont));
  CY size{};
  againFont->get_Size(&size);
  EXPECT_EQ(120000, size.int64);
  ASSERT_HRESULT_SUCCEEDED(view->SetAdvise(DVASPECT_CONTENT, 0, nullptr));
}

TEST_F(DispatchTest, BadInputGivesErrorsAndChangesNothing) {
  ComPtr<_tessarelcontrol> control = NewControl();
  ChangeConnection connection(control.Get());
  ASSERT_HRESULT_SUCCEEDED(connection.Result());

  // Unknown names and dispatch ids, a foreign interface id.
  std::wstring unknown = L"Caption";
  LPOLESTR names[] = {unknown.data()};
  DISPID id = 0;
  EXPECT_EQ(DISP_E_UNKNOWNNAME, control->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
  UniqueVariant value;
  EXPECT_EQ(DISP_E_MEMBERNOTFOUND, GetProperty(control.Get(), 0x68030004, value));
  DISPPARAMS none{};
  EXPECT_EQ(DISP_E_UNKNOWNINTERFACE,
            control->Invoke(kText, IID_IUnknown, 0, DISPATCH_PROPERTYGET, &none, value.put(), nullptr, nullptr));

  // Values of the wrong type, or out of range.
  UniqueVariant notAColour = StringVariant(L"blue");
  EXPECT_EQ(DISP_E_TYPEMISMATCH, PutProperty(control.Get(), kForeColor, *notAColour.get()));
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS colourParams{notAColour.get(), &named, 1, 1};
  UINT argumentError = 99;
  EXPECT_EQ(DISP_E_TYPEMISMATCH, control->Invoke(kForeColor, IID_NULL, 0, DISPATCH_PROPERTYPUT, &colourParams, nullptr,
                                                 nullptr, &argumentError));
  EXPECT_EQ(0u, argumentError);
  UniqueVariant notAFont = StringVariant(L"Arial");
  EXPECT_TRUE(FAILED(PutProperty(control.Get(), kFont, *notAFont.get(), DISPATCH_PROPERTYPUTREF)));
  EXPECT_EQ(CTL_E_INVALIDPROPERTYVALUE, control->put_BackColor(0x80000099));
  EXPECT_EQ(CTL_E_INVALIDPROPERTYVALUE, control->putref_Font(nullptr));

  // Null out-pointers.
  EXPECT_EQ(E_POINTER, control->get_ForeColor(nullptr));
  EXPECT_EQ(E_POINTER, control->get_Text(nullptr));
  EXPECT_EQ(E_POINTER, control->get_Link(nullptr));
  EXPECT_EQ(E_POINTER, control->get_Font(nullptr));
  EXPECT_EQ(E_POINTER, control->get_BackColor(nullptr));
  EXPECT_EQ(E_POINTER, control->Invoke(kText, IID_NULL, 0, DISPATCH_PROPERTYGET, nullptr, nullptr, nullptr, nullptr));

  EXPECT_TRUE(connection.Changes().empty());
  OLE_COLOR colour = 0;
  ASSERT_EQ(S_OK, control->get_ForeColor(&colour));
  EXPECT_EQ(0x00FF0000u, colour);
}

TEST_F(DispatchTest, NullStringSetsAnEmptyText) {
  ComPtr<_tessarelcontrol> control = NewControl();
  ASSERT_EQ(S_OK, control->put_Link(nullptr));
  UniqueBstr link;
  ASSERT_EQ(S_OK, control->get_Link(link.put()));
  EXPECT_EQ(0u, SysStringLen(link.get()));
}

}  // namespace
}  // namespace tessarel::test
