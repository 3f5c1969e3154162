// Entry point of vantrelctl on POSIX systems: the POSIX adapter (main loop, files, hidraw),
// or the simulated mouse with --simulate, and one command.

#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "adapters/posix/HidrawBus.h"
#include "adapters/posix/PosixFileSystem.h"
#include "adapters/posix/PosixLoop.h"
#include "adapters/posix/PosixSystem.h"
#include "base/AppGlobals.h"
#include "cli/CtlApp.h"
#include "cli/CtlEnvironment.h"
#include "device/sim/SimRunner.h"
#include "platform/Platform.h"

namespace {

namespace fs = std::filesystem;
using platform::posix::PosixFileSystem;

std::atomic<bool> g_interrupted{false};
std::atomic<bool> g_interruptible{true};
platform::posix::PosixLoop* g_loop = nullptr;

extern "C" void OnSignal(int) {
  if (g_interruptible.load()) {
    g_interrupted.store(true);
  } else {
    static const char kNotice[] =
        "\nvantrelctl: the firmware update cannot be interrupted; it ends by itself.\n";
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, kNotice, sizeof kNotice - 1);
  }
  if (g_loop != nullptr) g_loop->Wake();
}

void CatchSignals() {
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
  // A closed pipe (vantrelctl ... | head) ends the output, not the process in mid-write.
  std::signal(SIGPIPE, SIG_IGN);
}

class PosixEnvironment : public CtlEnvironment {
 public:
  explicit PosixEnvironment(const platform::posix::HidrawBus& bus) : m_bus(bus) {}

  void Out(std::string_view text) override {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
  }
  void Err(std::string_view text) override {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
  }
  bool ErrIsTerminal() override { return ::isatty(STDERR_FILENO) == 1; }
  std::optional<std::string> AskLine(std::string_view prompt) override {
    if (::isatty(STDIN_FILENO) != 1) return std::nullopt;
    Err(prompt);
    std::string line;
    if (!std::getline(std::cin, line)) return std::nullopt;
    return line;
  }
  std::u16string ProgramPath(std::string_view userPath) override {
    std::error_code ec;
    fs::path path = fs::absolute(fs::path(userPath), ec);
    return PosixFileSystem::ProgramPath(ec ? fs::path(userPath) : path.lexically_normal());
  }
  bool Interrupted() override { return g_interrupted.load(); }
  void SetInterruptible(bool interruptible) override { g_interruptible.store(interruptible); }
  std::optional<std::string> PermissionDeniedPath() override {
    const auto& failure = m_bus.LastOpenFailure();
    if (failure && (failure->error == EACCES || failure->error == EPERM)) return failure->path;
    return std::nullopt;
  }

 private:
  const platform::posix::HidrawBus& m_bus;
};

// Where lang/ and res/ are: beside the program in a build tree, in ../share/vantrel when
// installed.
fs::path InstallationFolder() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  const fs::path beside = exe.parent_path();
  if (!ec && fs::is_directory(beside / "lang", ec)) return beside;
  return beside.parent_path() / "share" / "vantrel";
}

int Refuse(const std::string& message) {
  std::fprintf(stderr, "vantrelctl: %s\n", message.c_str());
  return static_cast<int>(ExitCode::Usage);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> words(argv + 1, argv + argc);
  std::string error;
  const std::optional<CtlArgs> args = CtlArgs::Parse(words, &error);
  if (!args) return Refuse(error + " (vantrelctl --help)");

  CatchSignals();
  platform::posix::PosixLoop loop;
  g_loop = &loop;
  PosixFileSystem files;
  const fs::path installation = InstallationFolder();
  platform::posix::PosixSystem system(installation / "res");
  platform::posix::HidrawBus hidraw(loop);
  platform::Services services;
  services.files = &files;
  services.clock = &loop;
  services.windows = &loop;
  services.hid = &hidraw;
  services.system = &system;
  platform::Install(services);
  g_strExeDir = PosixFileSystem::ProgramPath(installation) + u"\\";

  PosixEnvironment environment(hidraw);
  int code = 0;
  {
    // The simulated mouse takes the place of the machine's HID interfaces.
    std::unique_ptr<SimRunner> simulation;
    if (args->simulate) {
      std::optional<SimScript> script;
      if (!args->scriptPath.empty()) {
        const auto text = files.ReadAll(environment.ProgramPath(args->scriptPath));
        if (!text) {
          std::fprintf(stderr, "vantrelctl: cannot read the script %s\n", args->scriptPath.c_str());
          return static_cast<int>(ExitCode::BadFile);
        }
        std::string parseError;
        script = SimScript::Parse(*text, &parseError);
        if (!script) {
          std::fprintf(stderr, "vantrelctl: %s: %s\n", args->scriptPath.c_str(),
                       parseError.c_str());
          return static_cast<int>(ExitCode::BadFile);
        }
      }
      const std::u16string log =
          args->simLogPath.empty() ? std::u16string() : environment.ProgramPath(args->simLogPath);
      simulation = std::make_unique<SimRunner>(std::move(script), log);
      platform::Services simulated = platform::Current();
      simulated.hid = &simulation->Mouse();
      platform::Install(simulated);
      simulation->Start();
    }
    CtlApp app(environment);
    code = static_cast<int>(app.Run(*args));
  }
  platform::Install({});
  g_loop = nullptr;
  return code;
}
