// A program that calls into a library no system has, through the same
// delay-load imports and failure answer as Zenthra.exe: what a user sees
// when a library that Zenthra loads on first use cannot be loaded.

#include <windows.h>

extern "C" void WINAPI AbsentFunction();

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  AbsentFunction();
  return 0;
}
