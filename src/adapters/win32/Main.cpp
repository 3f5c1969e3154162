// Entry point of Vantrel.exe.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "adapters/win32/WideText.h"
#include "adapters/win32/Win32Platform.h"
#include "adapters/win32/WindowsInclude.h"
#include "app/CommandLine.h"
#include "app/VantrelApp.h"
#include "device/sim/SimRunner.h"

#include <shellapi.h>

namespace {

std::vector<std::u16string> Arguments() {
  std::vector<std::u16string> args;
  int count = 0;
  LPWSTR* list = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (list == nullptr) return args;
  for (int i = 1; i < count; ++i) args.push_back(platform::win32::FromWide(list[i]));
  ::LocalFree(list);
  return args;
}

int Refuse(const std::u16string& message) {
  ::MessageBoxW(nullptr, platform::win32::Wide(message).c_str(), L"Gaming Mouse",
                MB_OK | MB_ICONERROR);
  return 2;
}

std::u16string FromAscii(const std::string& text) {
  return std::u16string(text.begin(), text.end());
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // A second instance hands its right to take the foreground on to the first one, which it
  // is about to ask to come forward.
  ::AllowSetForegroundWindow(ASFW_ANY);

  std::u16string error;
  std::optional<CommandLine> options = CommandLine::Parse(Arguments(), &error);
  if (!options) return Refuse(error);

  platform::win32::Win32Platform platform;

  // The simulated mouse takes the place of the machine's HID interfaces.
  std::unique_ptr<SimRunner> simulation;
  if (options->simulate) {
    std::optional<SimScript> script;
    if (!options->scriptPath.empty()) {
      std::optional<std::string> text = platform::Files().ReadAll(options->scriptPath);
      if (!text) return Refuse(u"Cannot read the script file " + options->scriptPath + u".");
      std::string parseError;
      script = SimScript::Parse(*text, &parseError);
      if (!script) return Refuse(options->scriptPath + u": " + FromAscii(parseError));
    }
    simulation = std::make_unique<SimRunner>(std::move(script), options->simLogPath);
    platform::Services services = platform::Current();
    services.hid = &simulation->Mouse();
    platform::Install(services);
    simulation->Start();
  }

  {
    CVantrelApp theApp;
    theApp.SetUiDumpPath(options->uiDumpPath);
    theApp.InitInstance();
  }
  if (simulation) {
    platform::Services services = platform::Current();
    services.hid = platform.services().hid;
    platform::Install(services);
  }
  return 0;
}
