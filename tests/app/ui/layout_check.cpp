#include "layout_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layout_expectations.h"
#include "ui/main_window_layout.h"

namespace zenthra::ui::test {

namespace {

struct Place {
  std::wstring_view name;
  shell::TwipsRect twips;
};

// frmqel as drawn, written out here apart from the program's table: each
// level box 1215 by 315 twips with its caption label 255 high at its left.
std::vector<Place> Places() {
  const struct {
    std::wstring_view box, label;
    int boxLeft, top, labelLeft, labelWidth;
  } rows[] = {
      {L"cbjump", L"lbljump", 2040, 1440, 1440, 495},
      {L"cbpush", L"lblpush", 2040, 1800, 1560, 375},
      {L"cbpull", L"lblpull", 2040, 2160, 1680, 255},
      {L"cbspeed", L"lblspeed", 2040, 2520, 1440, 495},
      {L"cbsee", L"lblsee", 2040, 2880, 1680, 375},
      {L"cbabsorb", L"lblabsorb", 840, 3600, 240, 495},
      {L"cbheal", L"lblheal", 840, 3960, 360, 495},
      {L"cbprotect", L"lblprotect", 840, 4320, 240, 615},
      {L"cbmindtrick", L"lblmindtrick", 840, 4680, 120, 735},
      {L"cbgrip", L"lblgrip", 3480, 3600, 3000, 375},
      {L"cblightning", L"lbllightning", 3480, 3960, 2640, 735},
      {L"cbdrain", L"lbldrain", 3480, 4320, 3000, 375},
      {L"cbrage", L"lblrage", 3480, 4680, 3000, 495},
      {L"cbsaberattack", L"lblsaberattack", 2280, 5400, 1200, 975},
      {L"cbsaberdefend", L"lblsaberdefend", 2280, 5760, 1200, 1095},
      {L"cbsaberthrow", L"lblsaberthrower", 2280, 6120, 1200, 975},
      {L"cbteamheal", L"lblteamheal", 2280, 6480, 1320, 855},
      {L"cbteamforce", L"lblteamforce", 2280, 6840, 1320, 855},
  };
  std::vector<Place> places{{L"lbltop", {120, 120, 4455, 855}},    {L"Label1", {2040, 1080, 615, 255}},
                            {L"optlight", {0, 3240, 735, 255}},    {L"optdark", {4080, 3240, 735, 255}},
                            {L"lblOther", {2280, 5040, 495, 255}}, {L"cmdgo", {1680, 7680, 1695, 375}},
                            {L"txtforce", {120, 8160, 4575, 285}}, {L"lblpoints", {1080, 7320, 2895, 255}}};
  for (const auto& row : rows) {
    places.push_back({row.box, {row.boxLeft, row.top, 1215, 315}});
    places.push_back({row.label, {row.labelLeft, row.top, row.labelWidth, 255}});
  }
  return places;
}

}  // namespace

void ExpectClientAreaAt(const MainWindow& window, UINT dpi) {
  zenthra::test::ExpectClientArea(window.Window(), 4800, 8490, dpi);
}

void ExpectLayoutAt(const MainWindow& window, UINT dpi) {
  const std::vector<Place> places = Places();
  ASSERT_EQ(places.size(), kMainWindowLayout.size()) << "a control is missing from the places above";
  for (const Place& place : places) {
    SCOPED_TRACE(std::string(place.name.begin(), place.name.end()));
    const auto index = LayoutIndexOf(place.name);
    ASSERT_TRUE(index.has_value());
    zenthra::test::ExpectPlaced(GetDlgItem(window.Window(), ControlId(*index)), place.twips, dpi);
  }
}

}  // namespace zenthra::ui::test
