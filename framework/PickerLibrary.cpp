#include "PickerLibrary.h"

#include "SystemLibraries.h"

namespace {

// The library's function called name, or null.
template <typename Function>
Function PickerFunction(const char* name) {
  static const HMODULE library = LoadSystemLibrary("comdlg32.dll");
  return FunctionIn<Function>(library, name);
}

}  // namespace

BOOL PickFont(CHOOSEFONTA* choice) {
  const auto chooseFont = PickerFunction<BOOL(WINAPI*)(CHOOSEFONTA*)>("ChooseFontA");
  return chooseFont != nullptr && chooseFont(choice);
}

BOOL PickColor(CHOOSECOLORA* choice) {
  const auto chooseColor = PickerFunction<BOOL(WINAPI*)(CHOOSECOLORA*)>("ChooseColorA");
  return chooseColor != nullptr && chooseColor(choice);
}
