// The POSIX file boundary: names that are not UTF-8, the data folder without HOME, the lock
// two runs share, and the udev rule that is installed.

#include <fnmatch.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "adapters/posix/FileLock.h"
#include "adapters/posix/PosixFileSystem.h"

namespace {

namespace fs = std::filesystem;
using platform::posix::FileLock;
using platform::posix::PosixFileSystem;

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "vantrel-files-XXXXXX").string();
    m_path = ::mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code ec;
    fs::remove_all(m_path, ec);
  }
  const fs::path& path() const { return m_path; }

 private:
  fs::path m_path;
};

// Sets an environment variable for one test, or unsets it.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : m_name(name) {
    if (const char* old = std::getenv(name)) m_old = old;
    if (value) {
      ::setenv(name, value, 1);
    } else {
      ::unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (m_old) {
      ::setenv(m_name, m_old->c_str(), 1);
    } else {
      ::unsetenv(m_name);
    }
  }

 private:
  const char* m_name;
  std::optional<std::string> m_old;
};

TEST(PosixFileSystemTest, NamesThatAreNotUtf8CanBeOpenedAgain) {
  TempFolder folder;
  PosixFileSystem files;
  for (const std::string name :
       {"profil\xE9.psf", "\xFF\xFE.psf", "caf\xC3\xA9.psf", "\xED\xA0\x80"}) {
    SCOPED_TRACE(name);
    const fs::path host = folder.path() / name;
    std::ofstream(host) << "x";
    const std::u16string program = PosixFileSystem::ProgramPath(host);
    EXPECT_EQ(PosixFileSystem::HostPath(program), host.string());
    EXPECT_EQ(files.ReadAll(program), "x");
    EXPECT_TRUE(files.WriteAll(program + u".copy", "y"));
    EXPECT_TRUE(fs::exists(host.string() + ".copy"));
  }
  // A name listed from the folder opens too.
  for (const auto& name : files.FileNames(PosixFileSystem::ProgramPath(folder.path()))) {
    EXPECT_TRUE(files.FileExists(PosixFileSystem::ProgramPath(folder.path()) + u"\\" + name));
  }
  // Valid UTF-8 reads as its characters.
  EXPECT_EQ(PosixFileSystem::ProgramPath("/tmp/caf\xC3\xA9"), u"\\tmp\\caf\u00E9");
}

TEST(PosixFileSystemTest, WithoutHomeTheDataStaysInTheAccountsHome) {
  PosixFileSystem files;
  const ScopedEnv config("XDG_CONFIG_HOME", nullptr);
  {
    const ScopedEnv home("HOME", "/home/someone");
    EXPECT_EQ(files.AppDataFolder(), u"\\home\\someone\\.config");
  }
  const ScopedEnv home("HOME", nullptr);
  const std::u16string folder = files.AppDataFolder();
  EXPECT_EQ(folder.find(u"\\tmp"), std::u16string::npos);
  EXPECT_TRUE(folder.empty() || folder.find(u"\\.config") == folder.size() - 8) << folder.size();
}

TEST(FileLockTest, TwoHoldersTakeTurns) {
  TempFolder folder;
  const std::string path = (folder.path() / "vantrelctl.lock").string();
  FileLock first;
  FileLock second;
  EXPECT_EQ(first.TryLock(path), FileLock::Result::Locked);
  EXPECT_EQ(second.TryLock(path), FileLock::Result::Busy);
  first.Unlock();
  EXPECT_EQ(second.TryLock(path), FileLock::Result::Locked);
  EXPECT_EQ(FileLock().TryLock((folder.path() / "missing" / "x.lock").string()),
            FileLock::Result::Failed);
}

TEST(UdevRuleTest, MatchesTheMouseOnUsbAndBluetoothOnly) {
  std::ifstream in(std::string(VANTREL_SOURCE_DIR) + "/dist/linux/70-vantrel.rules");
  const std::string rules((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::string> patterns;
  for (size_t at = rules.find("KERNELS==\""); at != std::string::npos;
       at = rules.find("KERNELS==\"", at + 1)) {
    const size_t start = at + 10;
    patterns.push_back(rules.substr(start, rules.find('"', start) - start));
  }
  ASSERT_FALSE(patterns.empty());
  auto matches = [&](const char* kernel) {
    for (const auto& p : patterns) {
      if (::fnmatch(p.c_str(), kernel, 0) == 0) return true;
    }
    return false;
  };
  for (const char* kernel : {"0003:04F3:026E.0001", "0003:04F3:026F.000A", "0005:04F3:026D.0003"}) {
    EXPECT_TRUE(matches(kernel)) << kernel;
  }
  // I2C, a virtual bus, another product.
  for (const char* kernel : {"0018:04F3:026E.0001", "0006:04F3:026D.0002", "0003:04F3:0270.0001"}) {
    EXPECT_FALSE(matches(kernel)) << kernel;
  }
}

}  // namespace
