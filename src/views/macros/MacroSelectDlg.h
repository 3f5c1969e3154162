#pragma once
// The macro select dialog of a button (function-menu item 9): the library list and OK. OK on
// a folder or with nothing selected says text 234 and stays open; a macro the mouse cannot
// hold says text 258 and stays open. Otherwise the dialog ends with the choice: the macro, or
// "disabled" for a selected place that holds nothing.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "keys/ButtonFunctionCode.h"
#include "macros/LibraryLocation.h"
#include "macros/MacroRecord.h"
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
  static constexpr int kListHeaderText = 191;
  static constexpr int kPrefixText = 190;

  // `type`: the function type the choice gets (0x90; the shooting-action dialog uses 0x91
  // with its prefix text 189 and library).
  CMacroSelectDlg(platform::WindowId parent, MacroLibrary& library, LibraryLocation& selection,
                  std::function<void(int)> showMessage,
                  uint8_t type = ButtonFunctionCode::MacroFunction, int prefixText = kPrefixText,
                  int headerText = kListHeaderText);

  // The choice after OK.
  const std::optional<MacroChoice>& Choice() const { return m_choice; }
  // What OK would give for this selection, or the text of its refusal.
  static std::optional<MacroChoice> ChoiceFor(const MacroLibrary& library,
                                              const LibraryLocation& selection, uint8_t type,
                                              int prefixText, int& refusalText);
  CEditShowList* LibraryList() const { return m_pLibrary; }

  void InitUI(const platform::Rect& client) override;
  void DrawWindow(platform::Canvas& canvas, const platform::Rect& client) override;
  platform::LResult OnMessage(platform::WindowId window, uint32_t message, platform::WParam wParam,
                              platform::LParam lParam, bool& handled) override;

 protected:
  void OnOK() override;

 private:
  MacroLibrary& m_library;
  LibraryLocation& m_selection;
  std::function<void(int)> m_showMessage;
  uint8_t m_nType;
  int m_nPrefixText;
  int m_nHeaderText;
  std::optional<MacroChoice> m_choice;
  CEditShowList* m_pLibrary = nullptr;
};
