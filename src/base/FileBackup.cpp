#include "base/FileBackup.h"

#include <algorithm>
#include <optional>

#include "base/Format.h"
#include "base/Text.h"
#include "platform/Platform.h"

namespace base {

namespace {

constexpr std::u16string_view kSuffix = u".bak";
constexpr size_t kStampLength = 15;  // yyyymmdd-hhmmss

struct Backup {
  std::u16string stamp;  // empty for the old single "<file>.bak"
  int number = 1;        // the "-n" after the time
  std::u16string name;
};

bool AllDigits(std::u16string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

// A name of the folder that is a backup of `file`, or nothing.
std::optional<Backup> ParseBackup(std::u16string_view file, std::u16string_view name) {
  if (!StartsWith(name, file) || !EndsWith(name, kSuffix)) return std::nullopt;
  std::u16string_view middle = name.substr(file.size());
  middle.remove_suffix(kSuffix.size());
  if (middle.empty()) return Backup{{}, 0, std::u16string(name)};
  if (middle.front() != u'.') return std::nullopt;
  middle.remove_prefix(1);
  if (middle.size() < kStampLength || middle[8] != u'-' || !AllDigits(middle.substr(0, 8)) ||
      !AllDigits(middle.substr(9, 6))) {
    return std::nullopt;
  }
  Backup backup{std::u16string(middle.substr(0, kStampLength)), 1, std::u16string(name)};
  const std::u16string_view rest = middle.substr(kStampLength);
  if (!rest.empty()) {
    if (rest.front() != u'-' || !AllDigits(rest.substr(1)) || rest.size() > 6) return std::nullopt;
    backup.number = static_cast<int>(ParseDecimal(rest.substr(1)));
  }
  return backup;
}

std::vector<Backup> ListBackups(std::u16string_view folder, std::u16string_view file) {
  std::vector<Backup> backups;
  if (folder.empty()) return backups;  // program paths are absolute
  for (const std::u16string& name :
       platform::Files().FileNames(folder.substr(0, folder.size() - 1))) {
    if (auto backup = ParseBackup(file, name)) backups.push_back(std::move(*backup));
  }
  std::sort(backups.begin(), backups.end(), [](const Backup& a, const Backup& b) {
    return a.stamp != b.stamp ? a.stamp < b.stamp : a.number < b.number;
  });
  return backups;
}

}  // namespace

std::vector<std::u16string> BackupsOf(std::u16string_view path) {
  const std::u16string folder = FolderOf(path);
  const std::u16string_view file = path.substr(folder.size());
  std::vector<std::u16string> paths;
  for (const Backup& backup : ListBackups(folder, file)) paths.push_back(folder + backup.name);
  return paths;
}

bool KeepBackup(std::u16string_view path) {
  auto& files = platform::Files();
  if (!files.FileExists(path)) return true;
  const std::optional<std::string> content = files.ReadAll(path);
  if (!content) return false;
  const std::u16string folder = FolderOf(path);
  const std::u16string file(path.substr(folder.size()));
  std::vector<Backup> backups = ListBackups(folder, file);
  for (const Backup& backup : backups) {
    if (files.ReadAll(folder + backup.name) == content) return true;
  }

  const platform::LocalTime now = platform::Time().LocalNow();
  const std::u16string stamp = Format(u"%.4d%.2d%.2d-%.2d%.2d%.2d", now.year, now.month, now.day,
                                      now.hour, now.minute, now.second);
  std::u16string name = file + u"." + stamp + std::u16string(kSuffix);
  for (int n = 2; files.FileExists(folder + name); ++n) {
    name = file + u"." + stamp + Format(u"-%d", n) + std::u16string(kSuffix);
  }
  if (!files.WriteAll(folder + name, *content)) {
    files.Remove(folder + name);
    return false;
  }
  // The oldest go; the one just made stays even when the clock was set back.
  backups = ListBackups(folder, file);
  size_t count = backups.size();
  for (const Backup& backup : backups) {
    if (count <= kBackupGenerations) break;
    if (backup.name == name) continue;
    if (files.Remove(folder + backup.name)) --count;
  }
  return true;
}

}  // namespace base
