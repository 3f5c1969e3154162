#pragma once
// The programs on a scripted machine: a test says which program comes to the front and
// which one ends. Reports reach the observer at once, as from the message loop.

#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "platform/Programs.h"

namespace platform::headless {

class HeadlessPrograms : public Programs {
 public:
  static constexpr uint32_t kOwnProcess = 1000;

  // Brings `path` (process `processId`) to the front; an empty path leaves no window in
  // front. The observer hears of it unless changes go unreported (see below).
  void BringToFront(std::u16string path, uint32_t processId);
  // Brings a window of the program itself to the front.
  void BringOursToFront();
  // Ends a process: the held one is reported; one in front leaves no window there.
  void EndProcess(uint32_t processId);
  // Like Wine 8: the foreground can be asked for, but its changes are never reported.
  void SetReportsChanges(bool reports) { m_reportsChanges = reports; }
  // Gives `path` an icon (ProgramIcon answers nullptr for any other path).
  void SetIcon(std::u16string path) { m_icons.insert(std::move(path)); }

  bool Watching() const { return m_observer != nullptr; }
  uint32_t HeldProcess() const { return m_held; }
  int ForegroundQueries() const { return m_queries; }

  ForegroundProgram Foreground() override;
  void Watch(ProgramObserver* observer) override;
  bool HoldProcess(uint32_t processId) override;
  void ReleaseProcess() override { m_held = 0; }
  std::unique_ptr<Image> ProgramIcon(std::u16string_view path, int size) override;

 private:
  ForegroundProgram m_front;
  std::map<uint32_t, bool> m_ended;
  ProgramObserver* m_observer = nullptr;
  bool m_reportsChanges = true;
  uint32_t m_held = 0;
  int m_queries = 0;
  std::set<std::u16string> m_icons;
};

}  // namespace platform::headless
