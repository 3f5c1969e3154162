#include "views/buttons/LaunchTarget.h"

namespace buttons {

std::u16string FileNameOfPath(std::u16string_view path) {
  const size_t separator = path.find_last_of(u"\\/");
  if (separator == std::u16string_view::npos) return std::u16string(path);
  return std::u16string(path.substr(separator + 1));
}

std::optional<ButtonChoice> LaunchChoice(std::u16string_view path) {
  std::u16string name = FileNameOfPath(path);
  if (name.empty()) return std::nullopt;
  using BFC = ButtonFunctionCode;
  return ButtonChoice{std::move(name), BFC::Make(BFC::HostFunction, BFC::kHostLaunch),
                      std::u16string(path)};
}

platform::FileDialogDesc LaunchFileDialog(platform::WindowId owner) {
  platform::FileDialogDesc desc;
  desc.owner = owner;
  desc.defaultExtension = u"exe";
  desc.defaultName = u"ab.exe";
  desc.filter = u"exe file(*.exe)|*.exe||";
  desc.mustExist = true;
  return desc;
}

}  // namespace buttons
