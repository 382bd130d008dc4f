#include "force/number_reading.h"

#include <cmath>

#include <gtest/gtest.h>

namespace zenthra {
namespace {

// Blanks, a sign, a fraction and an exponent, with the given decimal
// separator only; an exponent out of range saturates.
TEST(ReadRealValue, ReadsTheNumberWithTheGivenSeparatorAndSaturates) {
  const struct {
    const wchar_t* text;
    std::optional<double> value;
    const wchar_t* separator;
  } cases[] = {{L"3", 3.0, L"."},           {L"03", 3.0, L"."},           {L"  2 ", 2.0, L"."},
               {L"\t+1\t", 1.0, L"."},      {L"-1", -1.0, L"."},          {L"3.2", 3.2, L"."},
               {L".5", 0.5, L"."},          {L"2.", 2.0, L"."},           {L"3e0", 3.0, L"."},
               {L"0.3E+1", 3.0, L"."},      {L"300e-2", 3.0, L"."},       {L"2,5", 2.5, L","},
               {L"2.5", {}, L","},          {L"2,5", {}, L"."},           {L"1||5", 1.5, L"||"},
               {L"1e400", HUGE_VAL, L"."},  {L"-1e400", -HUGE_VAL, L"."}, {L"1e-400", 0.0, L"."},
               {L"0.0001e-330", 0.0, L"."}, {L"0e99999", 0.0, L"."}};
  for (const auto& c : cases)
    EXPECT_EQ(ReadRealValue(c.text, c.separator), c.value) << ::testing::PrintToString(std::wstring(c.text)) << " in "
                                                           << ::testing::PrintToString(std::wstring(c.separator));
  EXPECT_EQ(ReadRealValue(L"1e99999999999999999999", L"."), HUGE_VAL);
}

TEST(ReadRealValue, RejectsWhatIsNotANumber) {
  for (const wchar_t* text :
       {L"",      L" ",   L"   ", L"-",   L"+",    L".",   L"-.",  L"abc",      L"3a",     L"a3",     L"1e",     L"1e+",
        L"1.2.3", L"1 2", L"--1", L"+-1", L"0x10", L"inf", L"nan", L"infinity", L"\x0661", L"\xFF13", L"3\x00A0"})
    EXPECT_EQ(ReadRealValue(text, L"."), std::nullopt) << "text: \"" << std::wstring(text).c_str() << '"';
}

// Halves round to the even neighbour; a level must fit sixteen bits.
TEST(ReadLevel, RoundsHalvesToTheEvenNeighbourWithinSixteenBits) {
  using enum LevelReadError;
  const struct {
    const wchar_t* text;
    std::int16_t level;
    std::optional<LevelReadError> error;
  } cases[] = {{L"2.5", 2, {}},         {L"3.5", 4, {}},           {L"0.5", 0, {}},           {L"1.5", 2, {}},
               {L"-2.5", -2, {}},       {L"-0.5", 0, {}},          {L"2.4999", 2, {}},        {L"2.5001", 3, {}},
               {L"03", 3, {}},          {L"3.2", 3, {}},           {L"32767", 32767, {}},     {L"32767.4", 32767, {}},
               {L"-32768", -32768, {}}, {L"-32768.5", -32768, {}}, {L"32767.5", 0, TooLarge}, {L"32768", 0, TooLarge},
               {L"1e400", 0, TooLarge}, {L"-32769", 0, TooSmall},  {L"-1e400", 0, TooSmall},  {L"x", 0, NotANumber}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(std::wstring(c.text)));
    const LevelReading reading = ReadLevel(c.text, L".");
    EXPECT_EQ(reading.error, c.error);
    if (!c.error) {
      EXPECT_EQ(reading.level, c.level);
    }
  }
}

}  // namespace
}  // namespace zenthra
