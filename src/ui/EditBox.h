#pragma once
// Single-line text entry on the skin: caret, selection (Shift+arrows, mouse), Home/End,
// Backspace/Delete, Ctrl+A/C/V/X through the port's clipboard, a length limit and a
// numeric mode with a range. Text is UTF-16 and a surrogate pair is never split: the caret
// never stands between its halves and a cut never keeps half of one. Each edit notifies the
// parent (id, 0, Notify::kValueChanged); Enter, Escape and Tab are left to the dialog.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/ControlBase.h"

class CEditBox : public CControlBase {
 public:
  CEditBox(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
           std::u16string_view text = u"");
  ~CEditBox() override;

  // Caret to the end, no selection; no notification. The text is kept as given, even
  // beyond the length limit.
  void SetText(std::u16string_view text);
  const std::u16string& GetText() const { return m_strTitle; }
  // 0 = no limit. Typing that would pass it is refused; a paste is cut to fit.
  void SetMaxLength(size_t codeUnits) { m_nMaxLength = codeUnits; }
  size_t GetMaxLength() const { return m_nMaxLength; }
  // Digits only (and a leading minus sign when minValue < 0); Value() checks the range.
  void SetNumeric(int minValue, int maxValue);
  bool IsNumeric() const { return m_bNumeric; }
  // The text as a number: nothing when empty, not a number, or outside the range.
  std::optional<int> Value() const;
  void SelectAll();
  void SetTextColour(platform::Colour colour) { m_clrText = colour; }
  // Centres a text that fits the field (one too long scrolls from the left as usual).
  void SetCentred(bool centred) { m_bCentred = centred; }
  void SetFrameColours(platform::Colour normal, platform::Colour focused);
  // The field's background, drawn with its rounded corners kept ("skins\edit_bg.png").
  bool SetImageBackground(std::u16string_view path);
  void LoadDefaultImages();

  // Caret and selection as code-unit positions; the selection is [first, second).
  size_t GetCaret() const { return m_nCaret; }
  std::pair<size_t, size_t> GetSelection() const;
  std::u16string GetSelectedText() const;

  void Draw(platform::Canvas& canvas, const platform::Rect& update) override;
  // The same as SetText, and repaints when the text differs.
  void SetTitle(std::u16string_view title) override;
  void SetRect(int left, int top, int right, int bottom) override;
  bool OnMouseMove(uint32_t flags, int x, int y) override;
  bool OnLButtonDown(uint32_t flags, int x, int y) override;
  bool OnLButtonUp(uint32_t flags, int x, int y) override;
  bool OnLButtonDblClk(uint32_t flags, int x, int y) override;
  void ReleaseImages() override;

  bool CanFocus() const override { return true; }
  void OnFocusChanged(bool focused) override;
  bool OnKeyDown(uint32_t vk, uint32_t flags) override;
  bool OnChar(char16_t unit) override;

 private:
  enum class Fit { Whole, Cut };

  bool HasSelection() const { return m_nCaret != m_nAnchor; }
  // Replaces the selection with `text` and notifies. Whole: refused (false) when the text
  // does not fit the limit; Cut: as much as fits, never half a surrogate pair.
  bool ReplaceSelection(std::u16string_view text, Fit fit);
  bool DeleteRange(size_t from, size_t to);
  void MoveCaret(size_t position, bool extend);
  bool Copy();
  bool Cut();
  bool Paste();
  // Only what a single-line field takes from pasted text: up to the first line break, no
  // control characters or lone surrogates, and in numeric mode the characters it accepts.
  std::u16string Accepted(std::u16string_view text) const;
  bool AcceptsMinusAt(size_t position) const;
  void NotifyChanged();

  size_t PrevStop(size_t position) const;
  size_t NextStop(size_t position) const;
  size_t PrevWord(size_t position) const;
  size_t NextWord(size_t position) const;

  // Layout: x of every position from the start of the text, measured with the control's font.
  void Layout() const;
  int X(size_t position) const;
  platform::Rect TextArea() const;
  void ScrollToCaret();
  size_t PositionAt(int x) const;
  // Where position 0 of the text is drawn.
  int TextOrigin() const;

  size_t m_nCaret = 0;
  size_t m_nAnchor = 0;
  size_t m_nFirstVisible = 0;  // first code unit drawn at the left of the text area
  size_t m_nMaxLength = 0;
  bool m_bNumeric = false;
  int m_nMin = 0;
  int m_nMax = 0;
  bool m_bSelecting = false;
  char16_t m_chPendingHigh = 0;  // first half of a pair typed as two characters

  platform::Colour m_clrText;
  platform::Colour m_clrFrame;
  platform::Colour m_clrFrameFocused;
  std::unique_ptr<platform::Image> m_pImageBg;

  mutable bool m_bLayoutValid = false;
  mutable platform::FontDesc m_layoutFont;
  mutable std::vector<int> m_vecX;
  mutable std::unique_ptr<platform::Canvas> m_pMeasure;
  bool m_bCentred = false;
};
