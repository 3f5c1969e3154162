#pragma once
// The launch editor's rules: the file dialog it shows and what a chosen program stores.

#include <optional>
#include <string>
#include <string_view>

#include "platform/Shell.h"
#include "views/buttons/ButtonChoice.h"

namespace buttons {

// The last part of a path, after its last backslash or slash ("C:\Tools\calc.exe" gives
// "calc.exe"); the whole text when it has neither.
std::u16string FileNameOfPath(std::u16string_view path);

// Name = the program's file name, URL = its full path, code 60 05 00. Nothing without a path
// or for a path that names no file (ends in a separator): such a launch would start nothing.
std::optional<ButtonChoice> LaunchChoice(std::u16string_view path);

// The open dialog for a program: "exe" files, initial name "ab.exe", the file must exist.
platform::FileDialogDesc LaunchFileDialog(platform::WindowId owner);

}  // namespace buttons
