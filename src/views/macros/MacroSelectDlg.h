#pragma once
// The select dialog of a button, for either library (function-menu item 9 for macros, 10 for
// shooting actions): the library list and OK. OK on a folder or with nothing selected says
// text 234 and stays open; an entry the mouse cannot hold says the library's refusal and
// stays open. Otherwise the dialog ends with the choice: the entry, or "disabled" for a
// selected place that holds nothing.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "keys/ButtonFunctionCode.h"
#include "macros/LibraryLocation.h"
#include "macros/MacroRecord.h"
#include "macros/editing/LibraryKind.h"
#include "ui/DlgBase.h"

class CEditShowList;
class MacroLibrary;

// What a select dialog gives a button: caption and Key%uName, the code and the macro copy.
struct MacroChoice {
  std::u16string name;
  ButtonFunctionCode code;
  std::optional<MacroRecord> macro;
};

class CMacroSelectDlg : public CDlgBase {
 public:
  static constexpr uint32_t kCloseButton = 2004;
  static constexpr uint32_t kOkButton = 2010;
  static constexpr uint32_t kLibraryList = 2015;
  static constexpr uint32_t kLibraryBar = 2021;
  static constexpr int kWidth = 319;
  static constexpr int kHeight = 480;
  static constexpr uint32_t kTitleLabel = 3400;

  CMacroSelectDlg(platform::WindowId parent, MacroLibrary& library, LibraryLocation& selection,
                  std::function<void(int)> showMessage,
                  const macros::editing::LibraryKind& kind = macros::editing::kMacroLibrary);

  // The choice after OK.
  const std::optional<MacroChoice>& Choice() const { return m_choice; }
  // What OK would give for this selection, or the text of its refusal.
  static std::optional<MacroChoice> ChoiceFor(const MacroLibrary& library,
                                              const LibraryLocation& selection,
                                              const macros::editing::LibraryKind& kind,
                                              int& refusalText);
  CEditShowList* LibraryList() const { return m_pLibrary; }
  const macros::editing::LibraryKind& Kind() const { return m_kind; }

  void InitUI(const platform::Rect& client) override;
  platform::LResult OnMessage(platform::WindowId window, uint32_t message, platform::WParam wParam,
                              platform::LParam lParam, bool& handled) override;

 protected:
  void OnOK() override;

 private:
  MacroLibrary& m_library;
  LibraryLocation& m_selection;
  std::function<void(int)> m_showMessage;
  const macros::editing::LibraryKind& m_kind;
  std::optional<MacroChoice> m_choice;
  CEditShowList* m_pLibrary = nullptr;
};

// The shooting-action select dialog (function-menu item 10): the select dialog on the
// shooting-action library.
class CBulletSelectDlg : public CMacroSelectDlg {
 public:
  CBulletSelectDlg(platform::WindowId parent, MacroLibrary& library, LibraryLocation& selection,
                   std::function<void(int)> showMessage)
      : CMacroSelectDlg(parent, library, selection, std::move(showMessage),
                        macros::editing::kShootingLibrary) {}
};
