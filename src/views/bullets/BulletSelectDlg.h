#pragma once
// Choosing a shooting action for a button: the library list (folders closed when it opens)
// and OK. OK with nothing chosen or a folder says so and stays open, as it does for a
// shooting action longer than the mouse can play; otherwise the dialog ends with the choice.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "macros/LibraryLocation.h"
#include "macros/MacroRecord.h"
#include "ui/DlgBase.h"

class CBulletLibraryList;
class MacroLibrary;
class ViewServices;

// What the button gets: its caption, its function code and, for a shooting action, the
// record as the button's own copy.
struct BulletSelection {
  std::u16string name;
  std::array<uint8_t, 3> code{};
  std::optional<MacroRecord> macro;
};

class CBulletSelectDlg : public CDlgBase {
 public:
  static constexpr uint32_t kCloseButton = 2004;
  static constexpr uint32_t kOkButton = 2010;
  static constexpr uint32_t kLibraryList = 2015;
  static constexpr uint32_t kLibraryScroll = 2021;
  static constexpr uint32_t kTitleLabel = 2040;
  static constexpr int kWidth = 319;
  static constexpr int kHeight = 470;

  CBulletSelectDlg(platform::WindowId parent, MacroLibrary& library, LibraryLocation& selection,
                   std::function<void(int)> showMessage);
  ~CBulletSelectDlg() override;

  // The choice after OK.
  const std::optional<BulletSelection>& Selection() const { return m_result; }
  CBulletLibraryList* LibraryList() const { return m_pList; }

  // What choosing `location` gives a button, or the message text that refuses it.
  static std::optional<BulletSelection> ChoiceFor(const MacroLibrary& library,
                                                  const LibraryLocation& location, int& refusal);

  void InitUI(const platform::Rect& client) override;
  void DrawWindow(platform::Canvas& canvas, const platform::Rect& client) override;
  platform::LResult OnMessage(platform::WindowId window, uint32_t message, platform::WParam wParam,
                              platform::LParam lParam, bool& handled) override;

 protected:
  void OnOK() override;
  void OnCancel() override {}

 private:
  void Close(intptr_t result);

  MacroLibrary& m_library;
  LibraryLocation& m_selection;
  std::function<void(int)> m_showMessage;
  std::optional<BulletSelection> m_result;
  CBulletLibraryList* m_pList = nullptr;
};

// Runs the select dialog over the main window on the process's shooting-action library;
// nothing when the user closed it without a choice.
std::optional<BulletSelection> RunBulletSelect(ViewServices& services);
std::optional<BulletSelection> RunBulletSelect(ViewServices& services, MacroLibrary& library,
                                               LibraryLocation& selection);
