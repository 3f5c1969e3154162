#include "views/macros/MacroWindows.h"

#include "base/Language.h"
#include "device/MacroDownload.h"
#include "keys/ButtonAssignment.h"
#include "macros/MacroLibrary.h"
#include "macros/MacroLibraryFile.h"
#include "macros/editing/ActionEdits.h"
#include "macros/editing/EditingTexts.h"
#include "profiles/ProfileSettings.h"
#include "ui/DlgBase.h"
#include "views/ViewServices.h"
#include "views/macros/MacroManagerDlg.h"

namespace {

const MacroRecord* FindMacro(const MacroLibrary& library, uint32_t macroKeyIndex) {
  const MacroRecord* found = nullptr;
  for (int32_t stage = 0; stage < LibraryLocation::kLevels && !found; ++stage) {
    library.ForEachEntry(stage, [&](const LibraryLocation&, const LibraryEntry& entry) {
      if (!found && entry.IsMacro() && entry.record->MacroKeyIndex == macroKeyIndex) {
        found = entry.record.get();
      }
    });
  }
  return found;
}

// The shooting-action dialog keeps its own class, so that the window tells which it is.
template <class Dialog>
std::optional<MacroChoice> RunSelect(ViewServices& services, MacroLibrary& library,
                                     LibraryLocation& selection) {
  Dialog dlg(services.MainDialog().GetSafeHwnd(), library, selection,
             [&services](int text) { (void)services.ShowMessage(text, ViewServices::Box::Modal); });
  if (dlg.DoModal() != CDlgBase::kIdOk) return std::nullopt;
  return dlg.Choice();
}

}  // namespace

void RunMacroManager(ViewServices& services) {
  RunMacroManager(services, g_macroLibrary, g_librarySelection);
}

void RunMacroManager(ViewServices& services, MacroLibrary& library, LibraryLocation& selection) {
  services.Macros().MarkManagerOpened();
  CMacroManagerDlg dlg(services.MainDialog().GetSafeHwnd(), services, library, selection);
  (void)dlg.DoModal();
  AfterManagerClosed(services, library, dlg.Saved(), ButtonFunctionCode::MacroFunction);
}

std::optional<MacroChoice> RunMacroSelect(ViewServices& services) {
  return RunMacroSelect(services, g_macroLibrary, g_librarySelection);
}

std::optional<MacroChoice> RunMacroSelect(ViewServices& services, MacroLibrary& library,
                                          LibraryLocation& selection) {
  return RunSelect<CMacroSelectDlg>(services, library, selection);
}

std::optional<MacroChoice> RunBulletSelect(ViewServices& services) {
  return RunBulletSelect(services, g_bulletLibrary, g_librarySelection);
}

std::optional<MacroChoice> RunBulletSelect(ViewServices& services, MacroLibrary& library,
                                           LibraryLocation& selection) {
  return RunSelect<CBulletSelectDlg>(services, library, selection);
}

int DisableTooLongMacros(ViewServices& services, const MacroLibrary& library, uint8_t type) {
  ProfileSettings& profile = services.CurrentProfile();
  int disabled = 0;
  for (int slot = 0; slot < ProfileSettings::kButtonCount; ++slot) {
    const ButtonSlot& button = profile.buttons[static_cast<size_t>(slot)];
    if (button.KeyValue[0] != type || button.MacroKeyIndex == 0) continue;
    const MacroRecord* macro = FindMacro(library, button.MacroKeyIndex);
    if (!macro || macros::editing::FitsOnMouse(*macro)) continue;
    const uint8_t off[3] = {0, 0, 0};
    const int control = keys::kFirstButtonControl + slot;
    (void)keys::AssignButtonFunction(services.CurrentButtons(), control,
                                     LangText(macros::text::kDisabled), off, nullptr, u"");
    (void)keys::RunLeftButtonGuard(services.CurrentButtons(), control);
    ++disabled;
  }
  return disabled;
}

void AfterManagerClosed(ViewServices& services, MacroLibrary& library, bool saved, uint8_t type) {
  // A library that could not be saved stays as edited rather than going back to the file.
  if (saved) (void)ReadLibraryFile(library);
  if (DisableTooLongMacros(services, library, type) > 0) {
    (void)services.ShowMessage(macros::text::kTooLongButtonDisabled, ViewServices::Box::Modal);
  }
  bool playsMacro = false;
  for (const ButtonSlot& button : services.CurrentProfile().buttons) {
    playsMacro = playsMacro || ButtonFunctionCode{button.KeyValue}.IsMacro();
  }
  if (playsMacro) services.MarkPending(ViewServices::Group::Keys);
  services.WriteNow();
  services.RefreshPage();
}
