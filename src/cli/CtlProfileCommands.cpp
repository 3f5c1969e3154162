// get, set, button and profile: the commands about the settings of the profiles.

#include <algorithm>

#include "base/AppGlobals.h"
#include "base/Text.h"
#include "cli/CtlApp.h"
#include "cli/CtlEnvironment.h"
#include "cli/CtlText.h"
#include "cli/DataFolder.h"
#include "cli/FunctionNames.h"
#include "cli/MouseSession.h"
#include "cli/ProfileButtons.h"
#include "keys/ButtonAssignment.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProfileOperations.h"

namespace {

using namespace ctl_text;

std::string SlotList(const std::vector<int>& slots) {
  std::string list;
  for (int s : slots) list += (list.empty() ? "" : ", ") + std::to_string(s + 1);
  return list;
}

}  // namespace

ExitCode CtlApp::Get() {
  const auto& w = m_args.words;
  if (w.size() > 2) return Fail(ExitCode::Usage, "get takes at most one setting.");
  const SettingCatalog::Entry* only = nullptr;
  if (w.size() == 2) {
    only = SettingCatalog::Find(w[1]);
    if (!only) {
      return Fail(ExitCode::Usage,
                  "unknown setting \"" + w[1] + "\". Settings: " + SettingCatalog::Names() + ".");
    }
  }
  if (const ExitCode code = LoadData(); code != ExitCode::Ok) return code;
  std::string text;
  JsonWriter json = JsonWriter::Object();
  if (only) {
    const auto value = SettingCatalog::Get(only->key, *m_data);
    text = Line(only->name, value.text, 0);
    json.Set(SettingCatalog::JsonKey(*only), value.json);
  } else {
    text = Line("profile", ProfileText(), 21);
    json.Set("profile", ProfileJson());
    for (const auto& entry : SettingCatalog::Entries()) {
      const auto value = SettingCatalog::Get(entry.key, *m_data);
      text += "\n" + Line(entry.name, value.text, 21);
      json.Set(SettingCatalog::JsonKey(entry), value.json);
    }
  }
  if (const ExitCode code = Print(text, json); code != ExitCode::Ok) return code;
  // What was shown are the defaults that took the place of a damaged file.
  if (!m_data->WasRead(m_data->CurrentSlot())) {
    return Fail(ExitCode::BadFile, "profile " + std::to_string(m_data->CurrentSlot() + 1) +
                                       " could not be read; the values shown are its defaults.");
  }
  return ExitCode::Ok;
}

ExitCode CtlApp::Set() {
  const auto& w = m_args.words;
  if (w.size() < 2) {
    return Fail(ExitCode::Usage,
                "set needs a setting and a value. Settings: " + SettingCatalog::Names() + ".");
  }
  const SettingCatalog::Entry* entry = SettingCatalog::Find(w[1]);
  if (!entry) {
    return Fail(ExitCode::Usage,
                "unknown setting \"" + w[1] + "\". Settings: " + SettingCatalog::Names() + ".");
  }
  if (const ExitCode code = LoadData(); code != ExitCode::Ok) return code;
  auto checked = SettingCatalog::Check(*entry, std::span<const std::string>(w).subspan(2), *m_data);
  if (auto* message = std::get_if<std::string>(&checked)) {
    const std::string usage = entry->arguments.empty() ? std::string()
                                                       : " (set " + std::string(entry->name) + " " +
                                                             std::string(entry->arguments) + ")";
    return Fail(ExitCode::Usage, std::string(entry->name) + ": " + *message + usage + ".");
  }
  const SettingCatalog::Edit& edit = std::get<SettingCatalog::Edit>(checked);
  if (const ExitCode code = CheckBeforeChange(); code != ExitCode::Ok) return code;
  auto report = [&] {
    const auto value = SettingCatalog::Get(entry->key, *m_data);
    return Print(Line(entry->name, value.text, 0),
                 JsonWriter::Object().Set(SettingCatalog::JsonKey(*entry), value.json));
  };
  if (entry->commands == SettingCatalog::kNone) {
    // Kept in the profile only: no mouse needed.
    edit.apply(m_data->Current());
    if (!m_data->SaveCurrent())
      return Fail(ExitCode::Failed, "the data folder could not be saved.");
    return report();
  }
  MouseSession session(*m_data, m_env);
  if (const ExitCode code = OpenMouse(session, true); code != ExitCode::Ok) return code;
  if (edit.pollingIndex >= 0) {
    if (const ExitCode code = CheckPolling(session, edit.pollingIndex); code != ExitCode::Ok) {
      return code;
    }
  }
  edit.apply(m_data->Current());
  if (!Send(session, SettingCatalog::Packets(entry->commands, session.Model()))) {
    return NotTaken(session, "the change");
  }
  if (const ExitCode code = SaveAfterSend(m_data->SaveCurrent(), {}); code != ExitCode::Ok) {
    return code;
  }
  return report();
}

ExitCode CtlApp::CheckPolling(MouseSession& session, int pollingIndex) {
  auto allowed = [&] { return SettingCatalog::MaxPollingIndex(session.Link().MaxPollingClass()); };
  // The limit comes with the mouse's status report; the start-up class allows 1000 Hz.
  if (pollingIndex > allowed() && session.StatusReports() == 0) {
    (void)session.PumpUntil(static_cast<uint32_t>(m_args.waitMs),
                            [&] { return session.StatusReports() > 0; });
    if (m_env.Interrupted()) return Interrupted();
  }
  if (pollingIndex > allowed()) {
    return Fail(ExitCode::Usage,
                "polling: the link allows " + SettingCatalog::PollingChoices(allowed()) +
                    (session.StatusReports() == 0 ? " until the mouse reports more" : "") + ".");
  }
  return ExitCode::Ok;
}

ExitCode CtlApp::Button() {
  const auto& w = m_args.words;
  const auto number = w.size() >= 2 ? base::ParseStrictInt(w[1], 1, 6) : std::nullopt;
  if (!number) {
    return Fail(ExitCode::Usage,
                "button needs a button number 1 to 6 (1 left, 2 right, 3 middle, 4 and 5 the side "
                "buttons, 6 the DPI button) and a function.");
  }
  if (w.size() < 3) return Fail(ExitCode::Usage, "button " + w[1] + " needs a function.");
  if (const ExitCode code = LoadData(); code != ExitCode::Ok) return code;
  const FunctionNames names(*m_data);
  const auto parsed = names.Parse(Join(w, 2));
  if (const auto* message = std::get_if<std::string>(&parsed)) {
    return Fail(ExitCode::Usage, "button " + w[1] + ": " + *message + ".");
  }
  const FunctionNames::Function& function = std::get<FunctionNames::Function>(parsed);
  const int control = keys::kFirstButtonControl + *number - 1;
  auto assign = [&](ProfileSettings& profile) {
    ProfileButtons buttons(profile);
    return keys::AssignButtonFunction(buttons, control, function.name, function.code.bytes.data(),
                                      function.macro, function.url);
  };
  // The left-button guard, tried on a copy: a choice it would undo is refused instead.
  ProfileSettings copy = m_data->Current();
  ProfileButtons buttons(copy);
  if (!assign(copy) ||
      keys::RunLeftButtonGuard(buttons, control) == keys::LeftButtonGuard::LeftButtonRestored) {
    return Fail(ExitCode::Usage, "button " + w[1] +
                                     ": one button must stay the left click; give another "
                                     "button \"Left click\" first.");
  }
  if (const ExitCode code = CheckBeforeChange(); code != ExitCode::Ok) return code;
  MouseSession session(*m_data, m_env);
  if (const ExitCode code = OpenMouse(session, true); code != ExitCode::Ok) return code;
  (void)assign(m_data->Current());
  if (!SendButtons(session, {})) return NotTaken(session, "the button table");
  if (const ExitCode code = SaveAfterSend(m_data->SaveCurrent(), session.Macros().RefusedButtons());
      code != ExitCode::Ok) {
    return code;
  }
  const auto value = SettingCatalog::Get(SettingCatalog::Key::Buttons, *m_data);
  return Print(value.text, JsonWriter::Object().Set("buttons", value.json));
}

bool CtlApp::SendButtons(MouseSession& session,
                         const std::vector<SettingCatalog::Packet>& afterKeyTable) {
  MacroDownload& macros = session.Macros();
  macros.AssignMacroSlots();
  const uint32_t dropped = session.Dropped();
  const auto keys = SettingsWriter::BuildKeyTable(session.Model());
  std::vector<SettingCatalog::Packet> packets{
      {SettingsWriter::kKeyTable, SettingsWriter::kSinglePacket,
       std::vector<uint8_t>(keys.begin(), keys.end()), CommandReport::kLength}};
  packets.insert(packets.end(), afterKeyTable.begin(), afterKeyTable.end());
  if (!Send(session, packets)) return false;
  macros.SendMacros(true);
  return session.Dropped() == dropped;
}

ExitCode CtlApp::Profile() {
  const auto& w = m_args.words;
  const std::string sub = w.size() >= 2 ? w[1] : std::string();
  const bool slotTaken = sub == "apply";
  if (m_args.Given("--slot") && !slotTaken) {
    return Fail(ExitCode::Usage, "profile " + sub + " does not take --slot.");
  }
  if (sub == "apply" && w.size() == 3) return ProfileApply();
  if (sub == "list" && w.size() == 2) return ProfileList();
  if (sub == "switch" && w.size() == 3) return ProfileSwitch();
  if (sub == "export" && w.size() == 4) return ProfileExport();
  return Fail(ExitCode::Usage,
              "usage: vantrelctl profile list | profile switch N | profile export N FILE.psf | "
              "profile apply FILE.psf [--slot=N]");
}

// The slot a user names ("2"): one of the profiles the program shows, else a message.
std::optional<int> CtlApp::ShownSlot(const std::string& word, std::string* message) const {
  const std::vector<int> shown = m_data->settings.ShownSlots();
  const auto number = base::ParseStrictInt(word, 1, ProfileStore::kProfileCount);
  if (number && std::find(shown.begin(), shown.end(), *number - 1) != shown.end()) {
    return *number - 1;
  }
  *message = "profile " + word +
             " is not one of the program's profiles; slots in use: " + SlotList(shown) + ".";
  return std::nullopt;
}

ExitCode CtlApp::ProfileList() {
  if (const ExitCode code = LoadData(); code != ExitCode::Ok) return code;
  std::string text;
  JsonWriter list = JsonWriter::Array();
  for (int slot : m_data->settings.ShownSlots()) {
    const bool active = slot == m_data->CurrentSlot();
    const std::u16string& name = m_data->store.profiles[static_cast<size_t>(slot)].ProfileName();
    if (!text.empty()) text += "\n";
    text += (active ? "* " : "  ") + std::to_string(slot + 1) + "  " + base::ToUtf8(name) +
            (m_data->WasRead(slot) ? "" : "  (could not be read: defaults)");
    list.Add(JsonWriter::Object()
                 .Set("slot", JsonWriter::Int(slot + 1))
                 .Set("name", JsonWriter::Text(name))
                 .Set("active", JsonWriter::Bool(active))
                 .Set("read", JsonWriter::Bool(m_data->WasRead(slot))));
  }
  return Print(text, JsonWriter::Object()
                         .Set("active", JsonWriter::Int(m_data->CurrentSlot() + 1))
                         .Set("profiles", std::move(list)));
}

ExitCode CtlApp::ReadableSlot(const std::string& word, std::string_view unread, int& slot) {
  if (const ExitCode code = LoadData(); code != ExitCode::Ok) return code;
  std::string message;
  const auto shown = ShownSlot(word, &message);
  if (!shown) return Fail(ExitCode::Usage, message);
  if (!m_data->WasRead(*shown)) {
    return Fail(ExitCode::BadFile, "profile " + word + " could not be read" + std::string(unread));
  }
  slot = *shown;
  return ExitCode::Ok;
}

ExitCode CtlApp::ProfileExport() {
  const auto& w = m_args.words;
  int slot = 0;
  if (const ExitCode code = ReadableSlot(w[2], "; its defaults were not exported.", slot);
      code != ExitCode::Ok) {
    return code;
  }
  const std::u16string path = m_env.ProgramPath(w[3]);
  if (!WriteProfileFile(m_data->store.profiles[static_cast<size_t>(slot)], path)) {
    return Fail(ExitCode::Failed, "cannot write " + w[3] + ".");
  }
  return Print("profile " + w[2] + " exported to " + w[3],
               JsonWriter::Object()
                   .Set("exported", JsonWriter::Text(m_env.UserPath(path)))
                   .Set("slot", JsonWriter::Int(slot + 1)));
}

ExitCode CtlApp::ProfileSwitch() {
  int slot = 0;
  if (const ExitCode code = ReadableSlot(
          m_args.words[2], ", so it was not sent; the mouse keeps its settings.", slot);
      code != ExitCode::Ok) {
    return code;
  }
  if (!m_data->CanWrite()) {
    return Fail(ExitCode::Failed, "the data folder " + m_env.UserPath(g_strDataDir) +
                                      " cannot be written; nothing was sent to the mouse.");
  }
  MouseSession session(*m_data, m_env);
  if (const ExitCode code = OpenMouse(session, true); code != ExitCode::Ok) return code;
  (void)SwitchProfile(m_data->settings, slot);
  if (const ExitCode code = SendProfile(session); code != ExitCode::Ok) return code;
  return Print("profile " + ProfileText() + " is active",
               JsonWriter::Object().Set("profile", ProfileJson()));
}

ExitCode CtlApp::ProfileApply() {
  const auto& w = m_args.words;
  if (const ExitCode code = LoadData(); code != ExitCode::Ok) return code;
  std::string message;
  const auto slot = m_args.slot > 0 ? ShownSlot(std::to_string(m_args.slot), &message)
                                    : std::optional<int>(m_data->CurrentSlot());
  if (!slot) return Fail(ExitCode::Usage, message);
  const std::u16string path = m_env.ProgramPath(w[2]);
  // Read into a copy: a bad file must not cost the slot its profile.
  ProfileSettings scratch = m_data->store.profiles[static_cast<size_t>(*slot)];
  switch (ParseProfileFile(path, scratch)) {
    case ProfileReadResult::CannotOpen:
      return Fail(ExitCode::BadFile, "cannot read " + w[2] + ".");
    case ProfileReadResult::Malformed:
      return Fail(ExitCode::BadFile, w[2] + " is not a profile file; nothing was changed.");
    case ProfileReadResult::Ok:
      break;
  }
  if (!m_data->CanWrite()) {
    return Fail(ExitCode::Failed, "the data folder " + m_env.UserPath(g_strDataDir) +
                                      " cannot be written; nothing was sent to the mouse.");
  }
  MouseSession session(*m_data, m_env);
  if (const ExitCode code = OpenMouse(session, true); code != ExitCode::Ok) return code;
  m_data->store.profiles[static_cast<size_t>(*slot)] = std::move(scratch);
  (void)SwitchProfile(m_data->settings, *slot);
  if (const ExitCode code = SendProfile(session); code != ExitCode::Ok) return code;
  const std::u16string& name = m_data->Current().ProfileName();
  return Print(
      "profile " + std::to_string(*slot + 1) + " (" + base::ToUtf8(name) + ") applied from " + w[2],
      JsonWriter::Object()
          .Set("applied", JsonWriter::Text(m_env.UserPath(path)))
          .Set("slot", JsonWriter::Int(*slot + 1))
          .Set("name", JsonWriter::Text(name)));
}

// What a write after a switch sends: the button table, the DPI group, then the macros; then
// everything is saved, config.ini with the active profile too.
ExitCode CtlApp::SendProfile(MouseSession& session) {
  if (!SendButtons(session, SettingCatalog::Packets(SettingCatalog::kDpiGroup, session.Model()))) {
    return NotTaken(session, "the profile");
  }
  return SaveAfterSend(m_data->Save(), session.Macros().RefusedButtons());
}
