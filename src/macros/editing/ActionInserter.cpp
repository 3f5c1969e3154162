#include "macros/editing/ActionInserter.h"

#include <algorithm>

#include "macros/editing/ActionEdits.h"
#include "macros/editing/EditingTexts.h"

namespace {

using macros::editing::MoveDirection;

constexpr uint8_t kClickCodes[3] = {0xE0, 0xE1, 0xE2};

MoveDirection DirectionOf(ActionInserter::Choice choice) {
  switch (choice) {
    case ActionInserter::Choice::MoveLeft:
      return MoveDirection::Left;
    case ActionInserter::Choice::MoveRight:
      return MoveDirection::Right;
    case ActionInserter::Choice::MoveUp:
      return MoveDirection::Up;
    default:
      return MoveDirection::Down;
  }
}

}  // namespace

ActionInserter::Step ActionInserter::Begin(MacroRecord* macro, int selected, int choice) {
  Step step;
  step.selected = selected;
  Finish();
  if (choice < 0 || choice >= kChoiceCount) return step;
  if (macro == nullptr) {
    step.refusalText = macros::text::kNoMacroToInsert;
    return step;
  }
  const auto which = static_cast<Choice>(choice);
  const uint32_t count = std::min(macro->MacroActionNum, MacroRecord::kMaxActions);
  const uint32_t p =
      selected >= 0 && static_cast<uint32_t>(selected) < count ? selected + 1u : count;
  const uint32_t free = MacroRecord::kMaxActions - count;
  const uint32_t commands = macro->MacroCommandActionNum;

  const bool pair = which == Choice::LeftClick || which == Choice::RightClick ||
                    which == Choice::MiddleClick || which == Choice::Key;
  if (which != Choice::Delay) {
    const uint32_t newCommands = pair ? 2 : 1;
    if (commands + newCommands > kMaxCommands) {
      step.refusalText = macros::text::kMacroFull;
      return step;
    }
  }

  if (pair) {
    if (free < 3) return step;
    const uint8_t code = which == Choice::Key ? kDefaultKey : kClickCodes[choice];
    (void)macro->InsertAction(p, MacroAction::Key(code, false));
    (void)macro->InsertAction(p + 1, MacroAction::Delay(kClickDelayMs));
    (void)macro->InsertAction(p + 2, MacroAction::Key(code, true));
    if (which != Choice::Key) {
      macro->MacroCommandActionNum = static_cast<uint8_t>(commands + 2);
      step.selected = static_cast<int>(p + 2);
      return step;
    }
    step.editor = Editor::Key;
  } else if (which == Choice::Delay) {
    if (p > 0 && macro->actions[p - 1].IsDelay()) {
      m_pMacro = macro;
      m_choice = which;
      m_nPosition = p - 1;
      m_bInserted = false;
      m_nSelectedBefore = selected;
      step.editor = Editor::Delay;
      step.editPosition = p - 1;
      return step;
    }
    if (free < 1) return step;
    (void)macro->InsertAction(p, MacroAction::Delay(kNewDelayMs));
    step.editor = Editor::Delay;
  } else {
    if (free < 1) return step;
    (void)macro->InsertAction(p, macros::editing::MoveAction(DirectionOf(which), 1));
    step.editor = Editor::Move;
  }
  m_pMacro = macro;
  m_choice = which;
  m_nPosition = p;
  m_bInserted = true;
  m_nSelectedBefore = selected;
  step.editPosition = p;
  return step;
}

MacroAction ActionInserter::Edited() const {
  return m_pMacro ? m_pMacro->GetAction(m_nPosition) : MacroAction{};
}

int ActionInserter::Accept(uint32_t value) {
  MacroRecord* macro = m_pMacro;
  if (macro == nullptr) return -1;
  Finish();
  const uint32_t p = m_nPosition;
  switch (m_choice) {
    case Choice::Key: {
      const auto code = static_cast<uint8_t>(value);
      (void)macro->SetAction(p, macros::editing::EditedKey(macro->GetAction(p), code));
      (void)macro->SetAction(p + 2, macros::editing::EditedKey(macro->GetAction(p + 2), code));
      macro->MacroCommandActionNum = static_cast<uint8_t>(macro->MacroCommandActionNum + 2);
      return static_cast<int>(p + 2);
    }
    case Choice::Delay:
      (void)macro->SetAction(p, macros::editing::EditedDelay(value));
      return static_cast<int>(p);
    default:
      (void)macro->SetAction(p, macros::editing::MoveAction(DirectionOf(m_choice), value));
      macro->MacroCommandActionNum = static_cast<uint8_t>(macro->MacroCommandActionNum + 1);
      return static_cast<int>(p);
  }
}

int ActionInserter::Cancel() {
  MacroRecord* macro = m_pMacro;
  if (macro == nullptr) return -1;
  Finish();
  if (m_bInserted) {
    const int placeholders = m_choice == Choice::Key ? 3 : 1;
    for (int i = 0; i < placeholders; ++i) (void)macro->DeleteAction(m_nPosition);
  }
  return m_nSelectedBefore;
}
