#include "win32/design_font.h"

namespace win32 {
namespace {

constexpr const wchar_t* kScalableFaces[] = {L"Microsoft Sans Serif", L"Tahoma"};

// The design face's proportions at its design size, 8.25 point at 96 DPI:
// characters 11 pixels high in a 13 pixel cell, on average 5 wide. The
// windows' layout leaves no room to spare beside some captions in it, and
// Tahoma's letters run wider ("Team Force" takes 62 pixels at 11 where MS
// Sans Serif takes 57): a stand-in keeps the design face's average width.
constexpr int kDesignCharHeight = 11;
constexpr int kDesignCellHeight = 13;
constexpr int kDesignAverageWidth = 5;

// How far `font` draws from the height `lfHeight` asks (a character height
// when negative, a cell height when positive), and whether the font mapper
// gave it `face` itself rather than another family that the system has in
// its place.
struct Realized {
  int offBy = 0;
  bool faceFound = false;
};

bool Realize(HDC dc, HFONT font, LONG lfHeight, const wchar_t* face, Realized& realized) {
  const ScopedSelectObject selected(dc, font);
  TEXTMETRICW metrics{};
  wchar_t found[LF_FACESIZE] = {};
  if (!GetTextMetricsW(dc, &metrics) || !GetTextFaceW(dc, LF_FACESIZE, found)) return false;
  const LONG height = lfHeight < 0 ? metrics.tmHeight - metrics.tmInternalLeading : metrics.tmHeight;
  const LONG asked = lfHeight < 0 ? -lfHeight : lfHeight;
  realized.offBy = static_cast<int>(height > asked ? height - asked : asked - height);
  realized.faceFound = lstrcmpiW(found, face) == 0;
  return true;
}

}  // namespace

UniqueHfont CreateScalableStandIn(const LOGFONTW& asked) {
  if (asked.lfHeight == 0 || lstrcmpiW(asked.lfFaceName, kDesignFontFace) != 0) return UniqueHfont();
  const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  const UniqueHfont own(CreateFontIndirectW(&asked));
  Realized realized;
  if (!dc || !own || !Realize(dc.get(), own.get(), asked.lfHeight, kDesignFontFace, realized) || realized.offBy <= 1)
    return UniqueHfont();
  const LONG height = asked.lfHeight < 0 ? -asked.lfHeight : asked.lfHeight;
  const int designHeight = asked.lfHeight < 0 ? kDesignCharHeight : kDesignCellHeight;
  for (const wchar_t* face : kScalableFaces) {
    LOGFONTW scalable = asked;
    lstrcpynW(scalable.lfFaceName, face, LF_FACESIZE);
    scalable.lfOutPrecision = OUT_TT_PRECIS;
    scalable.lfWidth = MulDiv(static_cast<int>(height), kDesignAverageWidth, designHeight);
    UniqueHfont standIn(CreateFontIndirectW(&scalable));
    if (standIn && Realize(dc.get(), standIn.get(), asked.lfHeight, face, realized) && realized.faceFound)
      return standIn;
  }
  return UniqueHfont();
}

UniqueHfont CreateDesignFont(int charHeight) {
  LOGFONTW asked{};
  asked.lfHeight = -charHeight;
  asked.lfWeight = FW_NORMAL;
  asked.lfCharSet = DEFAULT_CHARSET;
  asked.lfOutPrecision = OUT_DEFAULT_PRECIS;
  asked.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  asked.lfQuality = DEFAULT_QUALITY;
  asked.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  lstrcpynW(asked.lfFaceName, kDesignFontFace, LF_FACESIZE);
  UniqueHfont standIn = CreateScalableStandIn(asked);
  return standIn ? std::move(standIn) : UniqueHfont(CreateFontIndirectW(&asked));
}

}  // namespace win32
