#pragma once
// The insert menu of the macro manager: nine choices, each inserted after the selected action
// (at the end when none is selected). Clicks go in at once; a key, a cursor move or a delay
// goes in with a placeholder and opens its editor: Accept fills in the edited value, Cancel
// takes the placeholder out again.

#include <cstdint>

#include "macros/MacroRecord.h"

class ActionInserter {
 public:
  enum class Choice : int {
    LeftClick = 0,
    RightClick,
    MiddleClick,
    Delay,
    Key,
    MoveLeft,
    MoveRight,
    MoveUp,
    MoveDown,
  };
  static constexpr int kChoiceCount = 9;
  static constexpr uint32_t kMaxCommands = 92;
  static constexpr uint32_t kClickDelayMs = 50;
  static constexpr uint32_t kNewDelayMs = 100;
  static constexpr uint8_t kDefaultKey = 0x41;

  enum class Editor { None, Delay, Key, Move };

  struct Step {
    int refusalText = 0;           // a language text to show; nothing changed
    Editor editor = Editor::None;  // the editor to open on `editPosition`
    uint32_t editPosition = 0;
    int selected = -1;  // the selected action after a choice that needs no editor
  };

  // Starts choice `choice` (0..8) on `macro` with action `selected` selected (-1 = none).
  // Without a macro: text 236. Without room for the commands: text 237. Without room in the
  // 184 places, or for a choice outside 0..8, nothing happens and nothing is said.
  [[nodiscard]] Step Begin(MacroRecord* macro, int selected, int choice);

  // Whether an editor's answer is awaited.
  bool Pending() const { return m_pMacro != nullptr; }
  // The action being edited, to show in the editor.
  MacroAction Edited() const;

  // The editor's value: a key code (a code of 0..7 keeps the placeholder's key), a delay in ms
  // (at most 15300000) or a move amount (limited to 1..127). Returns the selected action.
  int Accept(uint32_t value);
  // Undoes the placeholder. Returns the selected action (the one selected before Begin).
  int Cancel();

 private:
  void Finish() { m_pMacro = nullptr; }

  MacroRecord* m_pMacro = nullptr;
  Choice m_choice = Choice::LeftClick;
  uint32_t m_nPosition = 0;
  bool m_bInserted = false;  // false when an existing delay is edited in place
  int m_nSelectedBefore = -1;
};
