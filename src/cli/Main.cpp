// Entry point of vantrelctl on POSIX systems: the POSIX adapter (main loop, files, hidraw),
// or the simulated mouse with --simulate, and one command.

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "adapters/posix/FileLock.h"
#include "adapters/posix/HidrawBus.h"
#include "adapters/posix/PosixFileSystem.h"
#include "adapters/posix/PosixLoop.h"
#include "adapters/posix/PosixSystem.h"
#include "base/AppGlobals.h"
#include "cli/CtlApp.h"
#include "cli/CtlEnvironment.h"
#include "cli/JsonWriter.h"
#include "device/sim/SimRunner.h"
#include "platform/Platform.h"

namespace {

namespace fs = std::filesystem;
using platform::posix::PosixFileSystem;

std::atomic<bool> g_interrupted{false};
std::atomic<bool> g_interruptible{true};
platform::posix::PosixLoop* g_loop = nullptr;

extern "C" void OnSignal(int) {
  const int savedErrno = errno;
  if (g_interruptible.load()) {
    g_interrupted.store(true);
  } else {
    static const char kNotice[] =
        "\nvantrelctl: the firmware update cannot be interrupted; it ends by itself.\n";
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, kNotice, sizeof kNotice - 1);
  }
  if (g_loop != nullptr) g_loop->Wake();
  errno = savedErrno;
}

void CatchSignals() {
  struct sigaction action {};
  action.sa_handler = OnSignal;
  // Reads and writes in progress go on; the run looks at the flag where it waits.
  action.sa_flags = SA_RESTART;
  sigemptyset(&action.sa_mask);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
  // A closed pipe (vantrelctl ... | head) fails the write, which ends the run; the process is
  // not killed in the middle of a write to the mouse.
  std::signal(SIGPIPE, SIG_IGN);
}

// A standard stream the shell closed (vantrelctl get >&-) is taken by /dev/null, opened so
// that writes fail: no file opened later (a profile, the lock) can take its number and
// receive the output.
void KeepStandardStreamsClosed() {
  for (int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    const int null = ::open("/dev/null", fd == STDIN_FILENO ? O_WRONLY : O_RDONLY);
    if (null >= 0 && null != fd) {
      ::dup2(null, fd);
      ::close(null);
    }
  }
}

bool WriteAll(FILE* stream, std::string_view text) {
  return std::fwrite(text.data(), 1, text.size(), stream) == text.size() &&
         std::fflush(stream) == 0;
}

class PosixEnvironment : public CtlEnvironment {
 public:
  PosixEnvironment(const platform::posix::HidrawBus& bus, fs::path installation)
      : m_bus(bus), m_installation(std::move(installation)) {}

  bool Out(std::string_view text) override {
    if (m_outFailed) return false;
    errno = 0;
    if (WriteAll(stdout, text)) return true;
    m_outFailed = true;
    // A reader that went away (| head) wanted no more; anything else is told.
    if (errno != EPIPE) {
      Err(std::string("vantrelctl: cannot write the output: ") +
          (errno != 0 ? std::strerror(errno) : "write error") + "\n");
    }
    return false;
  }
  void Err(std::string_view text) override { (void)WriteAll(stderr, text); }
  bool ErrIsTerminal() override { return ::isatty(STDERR_FILENO) == 1; }
  std::optional<std::string> AskLine(std::string_view prompt) override {
    if (::isatty(STDIN_FILENO) != 1) return std::nullopt;
    Err(prompt);
    // Reads restart after a signal: wait for the line here, where Ctrl+C is seen.
    pollfd input{STDIN_FILENO, POLLIN, 0};
    while (::poll(&input, 1, 100) <= 0) {
      if (Interrupted()) return std::nullopt;
    }
    std::string line;
    if (!std::getline(std::cin, line)) return std::nullopt;
    return line;
  }
  std::u16string ProgramPath(std::string_view userPath) override {
    std::error_code ec;
    fs::path path = fs::absolute(fs::path(userPath), ec);
    return PosixFileSystem::ProgramPath(ec ? fs::path(userPath) : path.lexically_normal());
  }
  std::string UserPath(std::u16string_view programPath) override {
    return PosixFileSystem::HostPath(programPath);
  }
  std::string UdevRulePath() override { return (m_installation / "70-vantrel.rules").string(); }
  bool Interrupted() override { return g_interrupted.load(); }
  void SetInterruptible(bool interruptible) override { g_interruptible.store(interruptible); }
  Lock LockDataFolder(std::u16string_view folder) override {
    const std::string path = PosixFileSystem::HostPath(folder) + "/vantrelctl.lock";
    bool told = false;
    for (;;) {
      switch (m_lock.TryLock(path)) {
        case platform::posix::FileLock::Result::Locked:
          return Lock::Locked;
        case platform::posix::FileLock::Result::Failed:
          return Lock::Unavailable;
        case platform::posix::FileLock::Result::Busy:
          break;
      }
      if (Interrupted()) return Lock::Interrupted;
      if (!told)
        Err("vantrelctl: waiting for another vantrelctl to finish with the data folder...\n");
      told = true;
      ::poll(nullptr, 0, 50);
    }
  }
  void UnlockDataFolder() override { m_lock.Unlock(); }
  std::optional<std::string> PermissionDeniedPath() override {
    return m_bus.PermissionDeniedPath();
  }

 private:
  const platform::posix::HidrawBus& m_bus;
  fs::path m_installation;
  platform::posix::FileLock m_lock;
  bool m_outFailed = false;
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

// A failure before a command runs: the message, and with --json the error object every
// failure has.
int FailEarly(ExitCode code, const std::string& message, bool json) {
  std::fprintf(stderr, "vantrelctl: %s\n", message.c_str());
  if (json) {
    const std::string object =
        JsonWriter::Object()
            .Set("error", JsonWriter::Object()
                              .Set("code", JsonWriter::Int(static_cast<int>(code)))
                              .Set("name", JsonWriter::Text(CtlApp::ExitCodeName(code)))
                              .Set("message", JsonWriter::Text(message)))
            .Dump();
    (void)WriteAll(stdout, object + "\n");
  }
  return static_cast<int>(code);
}

// The script of --simulate=SCRIPT, if one is given; false (and the message) when it cannot be
// read or used.
bool ReadScript(const CtlArgs& args, PosixFileSystem& files, CtlEnvironment& environment,
                std::optional<SimScript>& script, std::string* message) {
  if (args.scriptPath.empty()) return true;
  const auto text = files.ReadAll(environment.ProgramPath(args.scriptPath));
  if (!text) {
    *message = "cannot read the script " + args.scriptPath + ".";
    return false;
  }
  std::string error;
  script = SimScript::Parse(*text, &error);
  if (!script) *message = args.scriptPath + ": " + error;
  return script.has_value();
}

// lang/ and res/ are where the tool looks for them; without them it works, with less.
void WarnWithoutInstallation(const CtlArgs& args, const fs::path& installation) {
  if (args.help || args.version || fs::is_directory(installation / "lang")) return;
  std::fprintf(stderr,
               "vantrelctl: the tool's files are missing from %s (lang/, res/): names are "
               "shown as numbers and the firmware cannot be updated. Reinstall it.\n",
               installation.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> words(argv + 1, argv + argc);
  std::string error;
  const std::optional<CtlArgs> args = CtlArgs::Parse(words, &error);
  if (!args) {
    const bool json = std::find(words.begin(), words.end(), "--json") != words.end();
    return FailEarly(ExitCode::Usage, error + " (vantrelctl --help)", json);
  }

  KeepStandardStreamsClosed();
  CatchSignals();
  platform::posix::PosixLoop loop;
  g_loop = &loop;
  PosixFileSystem files;
  const fs::path installation = InstallationFolder();
  WarnWithoutInstallation(*args, installation);
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

  PosixEnvironment environment(hidraw, installation);
  int code = 0;
  {
    // The simulated mouse takes the place of the machine's HID interfaces.
    std::unique_ptr<SimRunner> simulation;
    if (args->simulate) {
      std::optional<SimScript> script;
      if (std::string message; !ReadScript(*args, files, environment, script, &message)) {
        return FailEarly(ExitCode::BadFile, message, args->json);
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
