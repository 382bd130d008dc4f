#pragma once
// What a client may still call on an accessibility object it kept: every
// method, for the tests of objects whose window is gone.

#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <utility>

namespace zenthra::test {

// Expects every IAccessible method of `object`, asked about the object
// itself, to fail (and not to crash). What a call that wrongly succeeds
// hands out is not released: it fails the test anyway.
inline void ExpectEveryCallFails(IAccessible& object) {
  VARIANT self{}, out{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR text = nullptr;
  wchar_t name[] = L"name";
  IDispatch* dispatch = nullptr;
  LONG number = 0;
  const std::pair<const char*, HRESULT> calls[] = {
      {"get_accParent", object.get_accParent(&dispatch)},
      {"get_accChildCount", object.get_accChildCount(&number)},
      {"get_accChild", object.get_accChild(self, &dispatch)},
      {"get_accName", object.get_accName(self, &text)},
      {"get_accValue", object.get_accValue(self, &text)},
      {"get_accDescription", object.get_accDescription(self, &text)},
      {"get_accRole", object.get_accRole(self, &out)},
      {"get_accState", object.get_accState(self, &out)},
      {"get_accHelp", object.get_accHelp(self, &text)},
      {"get_accHelpTopic", object.get_accHelpTopic(&text, self, &number)},
      {"get_accKeyboardShortcut", object.get_accKeyboardShortcut(self, &text)},
      {"get_accFocus", object.get_accFocus(&out)},
      {"get_accSelection", object.get_accSelection(&out)},
      {"get_accDefaultAction", object.get_accDefaultAction(self, &text)},
      {"accSelect", object.accSelect(SELFLAG_TAKEFOCUS, self)},
      {"accLocation", object.accLocation(&number, &number, &number, &number, self)},
      {"accNavigate", object.accNavigate(NAVDIR_NEXT, self, &out)},
      {"accHitTest", object.accHitTest(0, 0, &out)},
      {"accDoDefaultAction", object.accDoDefaultAction(self)},
      {"put_accName", object.put_accName(self, name)},
      {"put_accValue", object.put_accValue(self, name)},
  };
  for (const auto& [method, result] : calls)
    EXPECT_TRUE(FAILED(result)) << method << " answered 0x" << std::hex << result;
}

}  // namespace zenthra::test
