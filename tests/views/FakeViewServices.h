#pragma once
// The main window's services for view tests: a real dialog on the headless adapter owns the
// controls, the profile and sensor table are the test's own, and every request is recorded.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "device/DeviceLink.h"
#include "device/MacroDownload.h"
#include "device/QuietDeviceHost.h"
#include "macros/MacroLibrary.h"
#include "profiles/GlobalSettings.h"
#include "profiles/ProfileSettings.h"
#include "profiles/ProfileStore.h"
#include "profiles/SensorDpiTable.h"
#include "ui/DlgBase.h"
#include "views/ProfileButtonBank.h"
#include "views/ViewServices.h"

class FakeViewServices : public ViewServices {
 public:
  explicit FakeViewServices(CDlgBase& dialog) : m_dialog(dialog) {}

  CDlgBase& MainDialog() override { return m_dialog; }
  ProfileSettings& CurrentProfile() override {
    ProfileSettings* current = store.At(settings.CurrentProfileIndex());
    return current ? *current : profile;
  }
  GlobalSettings& Settings() override { return settings; }
  ProfileStore& Profiles() override { return store; }
  const SensorDpiTable& SensorTable() const override { return table; }
  DeviceLink& Link() override { return link; }
  ButtonBank& CurrentButtons() override { return buttons; }
  MacroDownload& Macros() override { return macros; }

  void MarkPending(Group group) override { pending.push_back(group); }
  void MarkPendingWhileDragging(Group group) override { draggedPending.push_back(group); }
  void MarkSaveOnly() override { ++saveOnlyMarks; }
  void WriteNow() override { ++writes; }
  void SaveNow() override { ++saves; }
  void ExitProgram() override { ++exits; }
  void HideMainWindow() override { ++hides; }
  void RefreshPage() override { ++refreshes; }
  void CollectPage() override { ++collects; }
  void RunAfterMenuClosed(uintptr_t timerId, std::function<void()> action) override {
    deferred[timerId] = std::move(action);
  }
  // Runs what was deferred on `timerId`, as the timer would 100 ms later.
  bool RunDeferred(uintptr_t timerId) {
    auto it = deferred.find(timerId);
    if (it == deferred.end()) return false;
    auto action = std::move(it->second);
    deferred.erase(it);
    action();
    return true;
  }
  FactoryReset::Result RunFactoryReset() override {
    ++factoryResets;
    return factoryResetResult;
  }
  intptr_t ShowMessage(int textNumber, Box kind) override {
    messages.push_back(textNumber);
    return kind == Box::Modal ? modalAnswer : 0;
  }
  intptr_t ShowMessageText(std::u16string_view text, Box kind) override {
    messageTexts.emplace_back(text);
    return kind == Box::Modal ? modalAnswer : 0;
  }

  // The current profile is slot 0 of the test's own store.
  ProfileStore store;
  GlobalSettings settings;
  ProfileSettings& profile = store.profiles[0];
  SensorDpiTable table;
  MacroLibrary macroLibrary;
  MacroLibrary bulletLibrary;
  QuietDeviceHost host;
  DeviceLink link{host};
  ProfileButtonBank buttons{[this]() -> ProfileSettings& { return profile; }};
  MacroDownload macros{link, store, settings, macroLibrary, bulletLibrary};
  std::vector<Group> pending;
  std::vector<Group> draggedPending;
  std::map<uintptr_t, std::function<void()>> deferred;
  std::vector<int> messages;
  std::vector<std::u16string> messageTexts;
  intptr_t modalAnswer = CDlgBase::kIdOk;
  int saveOnlyMarks = 0;
  int writes = 0;
  int saves = 0;
  int exits = 0;
  int hides = 0;
  int refreshes = 0;
  int factoryResets = 0;
  FactoryReset::Result factoryResetResult = FactoryReset::Result::Done;
  int collects = 0;

 private:
  CDlgBase& m_dialog;
};
