#pragma once
// The stored layout of frmAbout, in twips from the top-left corner of the
// client area. Everything the dialog places or draws is sized from this one
// table; shell::ToPixels is the only conversion to the window's DPI.

#include <windows.h>

#include "shell/twips.h"
#include "shell/window_placement.h"

namespace zenthra::about {

using shell::TwipsRect;

struct TwipsLine {
  POINT from;
  POINT to;
  int width;  // 15 twips are one pixel at 96 DPI
  COLORREF colour;
};

// A fixed dialog frame with a caption and a system menu, no menu bar.
inline constexpr shell::FrameStyle kAboutFrame{WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                                               WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, false};

// What a plain child of the dialog is (the link labels are hosted apart).
enum class ChildKind { Button, DefaultButton, Label };

// Text colour of a label: the button-text system colour unless black.
enum class TextColour { System, Black };

struct ChildLayout {
  int id;
  ChildKind kind;
  const wchar_t* text;  // the design caption; Form_Load replaces some
  TwipsRect rect;
  TextColour colour;
};

// Control ids. cmdOK is IDOK so that Enter reaches it as the default button.
enum ControlId : int {
  kCmdOK = IDOK,
  kCmdSysInfo = 100,
  kLblDescription,
  kLblDisclaimer,
  kLblTitle,
  kLblVersion,
  kFirstLinkLabel,  // tessarelcontrol1, 2, 3 follow in tab order
};

// image1 and line1 keep the names of the form's own controls (Image1, Line1),
// like the rest of the dialog's names, so that the table reads against it.
struct AboutLayout {
  int clientWidth;
  int clientHeight;
  TwipsRect image1;
  // Created in this order, which is the tab order.
  ChildLayout children[6];
  TwipsLine line1[2];  // element 0 white, element 1 grey; drawn in this order
  // tessarelcontrol1, tessarelcontrol2, tessarelcontrol3 in tab order.
  TwipsRect linkLabels[3];
};

inline constexpr AboutLayout kAboutLayout{
    .clientWidth = 5730,
    .clientHeight = 3555,
    .image1 = {0, 0, 1440, 1440},
    .children =
        {
            {kCmdOK, ChildKind::DefaultButton, L"OK", {4245, 2625, 1260, 345}, TextColour::System},
            {kCmdSysInfo, ChildKind::Button, L"&System Info...", {4260, 3075, 1245, 345}, TextColour::System},
            {kLblDescription,
             ChildKind::Label,
             L"This program will help you generate the Force Info for the bot .qeb files in Qel. In the .qeb files, "
             L"it asks you for force settings. This program provides a nicer User Interface for deciding on the "
             L"force points. You can use this program to find the forceinfo value.",
             {1560, 960, 3885, 1170},
             TextColour::Black},
            {kLblDisclaimer,
             ChildKind::Label,
             L"Warning: I am not responsible for any trouble you get into by using this program.",
             {255, 2625, 3870, 825},
             TextColour::Black},
            {kLblTitle, ChildKind::Label, L"Application Title", {1560, 120, 3885, 240}, TextColour::Black},
            {kLblVersion, ChildKind::Label, L"Version", {1560, 600, 3885, 225}, TextColour::System},
        },
    .line1 =
        {
            {{105, 2460}, {5654, 2460}, 30, RGB(0xFF, 0xFF, 0xFF)},
            {{90, 2445}, {5654, 2445}, 15, RGB(0x80, 0x80, 0x80)},
        },
    .linkLabels =
        {
            {120, 1680, 975, 255},
            {120, 2160, 975, 255},
            {120, 1920, 975, 255},
        },
};

}  // namespace zenthra::about
