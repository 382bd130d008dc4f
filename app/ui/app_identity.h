#pragma once
// The program's identity as its windows show it.

#include <string_view>

namespace zenthra::ui {

// The application title: the caption of every message box.
inline constexpr std::wstring_view kAppTitle = L"Orvane";

// The main window frmqel: its window class and caption.
inline constexpr std::wstring_view kMainWindowClass = L"frmqel";
inline constexpr std::wstring_view kMainWindowCaption = L"Zenthra";

}  // namespace zenthra::ui
