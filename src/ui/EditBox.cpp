#include "ui/EditBox.h"

#include <algorithm>
#include <cstdlib>

#include "platform/Keys.h"
#include "platform/Platform.h"
#include "ui/SkinImage.h"
#include "ui/SlicedImage.h"

namespace {

constexpr platform::Colour kFieldFill = 0x110D0B;
constexpr platform::Colour kFrameNormal = 0x504239;
constexpr platform::Colour kFrameFocused = 0xFF8F4F;
constexpr platform::Colour kSelection = 0xC8642F;
constexpr platform::Colour kCaret = 0xFFFFFF;
constexpr int kPadding = 6;
constexpr int kCorner = 4;
constexpr uint32_t kTextFlags = platform::dt::kLeft | platform::dt::kSingleLine |
                                platform::dt::kVCenter | platform::dt::kNoPrefix;

bool IsHigh(char16_t u) {
  return u >= 0xD800 && u <= 0xDBFF;
}
bool IsLow(char16_t u) {
  return u >= 0xDC00 && u <= 0xDFFF;
}
bool IsDigit(char16_t u) {
  return u >= u'0' && u <= u'9';
}
bool IsSpace(char16_t u) {
  return u == u' ' || u == u'\t' || u == 0x3000 || u == 0xA0;
}

}  // namespace

CEditBox::CEditBox(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
                   std::u16string_view text)
    : CControlBase(hWnd, uID, rc, text),
      m_clrText(kTextHover),
      m_clrFrame(kFrameNormal),
      m_clrFrameFocused(kFrameFocused) {
  m_nCaret = m_nAnchor = m_strTitle.size();
}

CEditBox::~CEditBox() = default;

// --- setters ---

void CEditBox::SetText(std::u16string_view text) {
  m_strTitle.assign(text);
  m_nCaret = m_nAnchor = m_strTitle.size();
  m_nFirstVisible = 0;
  m_chPendingHigh = 0;
  m_bLayoutValid = false;
}

void CEditBox::SetTitle(std::u16string_view title) {
  if (title == m_strTitle) return;
  SetText(title);
  Invalidate();
}

void CEditBox::SetRect(int left, int top, int right, int bottom) {
  CControlBase::SetRect(left, top, right, bottom);
  m_nFirstVisible = 0;
}

void CEditBox::SetNumeric(int minValue, int maxValue) {
  m_bNumeric = true;
  m_nMin = std::min(minValue, maxValue);
  m_nMax = std::max(minValue, maxValue);
}

std::optional<int> CEditBox::Value() const {
  const std::u16string& t = m_strTitle;
  size_t i = 0;
  const bool negative = !t.empty() && t[0] == u'-';
  if (negative) i = 1;
  if (i >= t.size()) return std::nullopt;
  long long value = 0;
  for (; i < t.size(); ++i) {
    if (!IsDigit(t[i])) return std::nullopt;
    value = value * 10 + (t[i] - u'0');
    if (value > 1LL << 32) return std::nullopt;  // far outside any int range
  }
  if (negative) value = -value;
  const long long low = m_bNumeric ? m_nMin : INT32_MIN;
  const long long high = m_bNumeric ? m_nMax : INT32_MAX;
  if (value < low || value > high) return std::nullopt;
  return static_cast<int>(value);
}

void CEditBox::SelectAll() {
  m_nAnchor = 0;
  m_nCaret = m_strTitle.size();
  m_chPendingHigh = 0;
}

void CEditBox::SetFrameColours(platform::Colour normal, platform::Colour focused) {
  m_clrFrame = normal;
  m_clrFrameFocused = focused;
}

bool CEditBox::SetImageBackground(std::u16string_view path) {
  return LoadImageFile(path, m_pImageBg);
}

void CEditBox::LoadDefaultImages() {
  SetImageBackground(ui::SkinPath(u"edit_bg.png"));
}

void CEditBox::ReleaseImages() {
  m_pImageBg.reset();
}

std::pair<size_t, size_t> CEditBox::GetSelection() const {
  return {std::min(m_nCaret, m_nAnchor), std::max(m_nCaret, m_nAnchor)};
}

std::u16string CEditBox::GetSelectedText() const {
  const auto [from, to] = GetSelection();
  return m_strTitle.substr(from, to - from);
}

// --- positions ---

size_t CEditBox::PrevStop(size_t position) const {
  if (position == 0) return 0;
  size_t p = std::min(position, m_strTitle.size()) - 1;
  if (p > 0 && IsLow(m_strTitle[p]) && IsHigh(m_strTitle[p - 1])) --p;
  return p;
}

size_t CEditBox::NextStop(size_t position) const {
  const size_t n = m_strTitle.size();
  if (position >= n) return n;
  size_t p = position + 1;
  if (p < n && IsHigh(m_strTitle[position]) && IsLow(m_strTitle[p])) ++p;
  return p;
}

size_t CEditBox::PrevWord(size_t position) const {
  size_t p = position;
  while (p > 0 && IsSpace(m_strTitle[p - 1])) p = PrevStop(p);
  while (p > 0 && !IsSpace(m_strTitle[p - 1])) p = PrevStop(p);
  return p;
}

size_t CEditBox::NextWord(size_t position) const {
  const size_t n = m_strTitle.size();
  size_t p = position;
  while (p < n && !IsSpace(m_strTitle[p])) p = NextStop(p);
  while (p < n && IsSpace(m_strTitle[p])) p = NextStop(p);
  return p;
}

// --- layout ---

void CEditBox::Layout() const {
  if (m_bLayoutValid && m_font && m_font->Desc() == m_layoutFont) return;
  const size_t n = m_strTitle.size();
  m_vecX.assign(n + 1, 0);
  if (m_font && !m_pMeasure) m_pMeasure = platform::Gfx().CreateCanvas(1, 1);
  if (m_font && m_pMeasure) {
    // Prefix widths rather than a sum of glyphs, so kerning and pairs come out as drawn.
    for (size_t i = 1; i <= n; ++i) {
      if (i < n && IsLow(m_strTitle[i]) && IsHigh(m_strTitle[i - 1])) {
        m_vecX[i] = m_vecX[i - 1];
        continue;
      }
      m_vecX[i] =
          m_pMeasure
              ->MeasureText(std::u16string_view(m_strTitle).substr(0, i), *m_font, kTextFlags, 0)
              .cx;
    }
    m_layoutFont = m_font->Desc();
  }
  m_bLayoutValid = true;
}

int CEditBox::X(size_t position) const {
  Layout();
  return m_vecX[std::min(position, m_vecX.size() - 1)];
}

platform::Rect CEditBox::TextArea() const {
  const int pad = std::max(1, ui::Scaled(kPadding));
  return {m_rc.left + pad, m_rc.top + 2, m_rc.right - pad, m_rc.bottom - 2};
}

void CEditBox::ScrollToCaret() {
  const int width = std::max(TextArea().Width() - 1, 0);
  const size_t n = m_strTitle.size();
  m_nCaret = std::min(m_nCaret, n);
  m_nAnchor = std::min(m_nAnchor, n);
  m_nFirstVisible = std::min(m_nFirstVisible, n);
  if (m_nCaret < m_nFirstVisible) m_nFirstVisible = m_nCaret;
  while (m_nFirstVisible < m_nCaret && X(m_nCaret) - X(m_nFirstVisible) > width) {
    m_nFirstVisible = NextStop(m_nFirstVisible);
  }
  // Text removed at the end: bring back what fits again at the left.
  while (m_nFirstVisible > 0) {
    const size_t back = PrevStop(m_nFirstVisible);
    if (X(n) - X(back) > width) break;
    m_nFirstVisible = back;
  }
}

int CEditBox::TextOrigin() const {
  const platform::Rect area = TextArea();
  const int whole = X(m_strTitle.size());
  if (m_bCentred && m_nFirstVisible == 0 && whole < area.Width()) {
    return area.left + (area.Width() - whole) / 2;
  }
  return area.left - X(m_nFirstVisible);
}

size_t CEditBox::PositionAt(int x) const {
  const int origin = TextOrigin();
  size_t best = 0;
  int bestDistance = INT32_MAX;
  for (size_t p = 0; p <= m_strTitle.size(); p = NextStop(p)) {
    const int distance = std::abs(origin + X(p) - x);
    if (distance < bestDistance) {
      best = p;
      bestDistance = distance;
    }
    if (p == m_strTitle.size()) break;
  }
  return best;
}

// --- editing ---

void CEditBox::NotifyChanged() {
  SendToParent(m_uID, 0, Notify::kValueChanged);
}

bool CEditBox::AcceptsMinusAt(size_t position) const {
  if (!m_bNumeric || m_nMin >= 0 || position != 0) return false;
  const auto [from, to] = GetSelection();
  const size_t after = from == 0 ? to : 0;  // what follows the insertion point
  return after >= m_strTitle.size() || m_strTitle[after] != u'-';
}

std::u16string CEditBox::Accepted(std::u16string_view text) const {
  const size_t at = GetSelection().first;
  std::u16string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t u = text[i];
    if (u == u'\r' || u == u'\n') break;
    if (u < 0x20 || u == 0x7F) continue;
    if (IsHigh(u)) {
      if (i + 1 < text.size() && IsLow(text[i + 1]) && !m_bNumeric) {
        out.push_back(u);
        out.push_back(text[++i]);
      }
      continue;
    }
    if (IsLow(u)) continue;  // a half without its partner
    if (m_bNumeric && !IsDigit(u) && !(u == u'-' && out.empty() && AcceptsMinusAt(at))) continue;
    out.push_back(u);
  }
  return out;
}

bool CEditBox::ReplaceSelection(std::u16string_view text, Fit fit) {
  const auto [from, to] = GetSelection();
  const size_t kept = m_strTitle.size() - (to - from);
  size_t room = text.size();
  if (m_nMaxLength != 0) room = m_nMaxLength > kept ? m_nMaxLength - kept : 0;
  if (text.size() > room) {
    if (fit == Fit::Whole) return false;
    size_t cut = room;
    if (cut > 0 && IsHigh(text[cut - 1])) --cut;
    text = text.substr(0, cut);
  }
  if (text.empty() && from == to) return false;
  m_strTitle.replace(from, to - from, text);
  m_nCaret = m_nAnchor = from + text.size();
  m_bLayoutValid = false;
  ScrollToCaret();
  NotifyChanged();
  return true;
}

bool CEditBox::DeleteRange(size_t from, size_t to) {
  if (from >= to || to > m_strTitle.size()) return false;
  m_nAnchor = from;
  m_nCaret = to;
  return ReplaceSelection(u"", Fit::Whole);
}

void CEditBox::MoveCaret(size_t position, bool extend) {
  m_nCaret = std::min(position, m_strTitle.size());
  if (!extend) m_nAnchor = m_nCaret;
  ScrollToCaret();
}

bool CEditBox::Copy() {
  if (!HasSelection()) return false;
  platform::Clipboard* clipboard = platform::Current().clipboard;
  return clipboard && clipboard->SetText(m_hWnd, GetSelectedText());
}

bool CEditBox::Cut() {
  // The text goes only once the clipboard holds it, so a failed copy loses nothing.
  if (!Copy()) return false;
  const auto [from, to] = GetSelection();
  return DeleteRange(from, to);
}

bool CEditBox::Paste() {
  platform::Clipboard* clipboard = platform::Current().clipboard;
  if (!clipboard) return false;
  const std::optional<std::u16string> text = clipboard->GetText(m_hWnd);
  if (!text) return false;
  const std::u16string accepted = Accepted(*text);
  if (accepted.empty()) return false;
  return ReplaceSelection(accepted, Fit::Cut);
}

// --- input ---

bool CEditBox::OnKeyDown(uint32_t vk, uint32_t flags) {
  if (flags & platform::mod::kAlt) return false;
  const bool shift = (flags & platform::mod::kShift) != 0;
  const bool ctrl = (flags & platform::mod::kControl) != 0;
  const auto [from, to] = GetSelection();
  switch (vk) {
    case platform::kVkLeft:
      if (HasSelection() && !shift) {
        MoveCaret(from, false);
      } else {
        MoveCaret(ctrl ? PrevWord(m_nCaret) : PrevStop(m_nCaret), shift);
      }
      break;
    case platform::kVkRight:
      if (HasSelection() && !shift) {
        MoveCaret(to, false);
      } else {
        MoveCaret(ctrl ? NextWord(m_nCaret) : NextStop(m_nCaret), shift);
      }
      break;
    case platform::kVkHome:
      MoveCaret(0, shift);
      break;
    case platform::kVkEnd:
      MoveCaret(m_strTitle.size(), shift);
      break;
    case platform::kVkBack:
      if (HasSelection()) {
        DeleteRange(from, to);
      } else {
        DeleteRange(ctrl ? PrevWord(m_nCaret) : PrevStop(m_nCaret), m_nCaret);
      }
      break;
    case platform::kVkDelete:
      if (shift && !ctrl) {
        Cut();
      } else if (HasSelection()) {
        DeleteRange(from, to);
      } else {
        DeleteRange(m_nCaret, ctrl ? NextWord(m_nCaret) : NextStop(m_nCaret));
      }
      break;
    case platform::kVkInsert:
      if (ctrl) {
        Copy();
      } else if (shift) {
        Paste();
      } else {
        return false;
      }
      break;
    case 'A':
    case 'C':
    case 'V':
    case 'X':
      if (!ctrl) return false;
      if (vk == 'A') SelectAll();
      if (vk == 'C') Copy();
      if (vk == 'V') Paste();
      if (vk == 'X') Cut();
      break;
    default:
      // Enter, Escape, Tab and everything else belong to the dialog.
      return false;
  }
  m_chPendingHigh = 0;
  return true;
}

bool CEditBox::OnChar(char16_t unit) {
  if (IsHigh(unit)) {
    m_chPendingHigh = unit;
    return true;
  }
  if (IsLow(unit)) {
    // Only as the second half of a pair; a stray half is dropped.
    if (m_chPendingHigh != 0 && !m_bNumeric) {
      const char16_t pair[2] = {m_chPendingHigh, unit};
      ReplaceSelection(std::u16string_view(pair, 2), Fit::Whole);
    }
    m_chPendingHigh = 0;
    return true;
  }
  m_chPendingHigh = 0;
  // Control characters come with keys the dialog or OnKeyDown handles (Enter, Ctrl+A ...).
  if (unit < 0x20 || unit == 0x7F) return false;
  if (m_bNumeric && !IsDigit(unit) && !(unit == u'-' && AcceptsMinusAt(GetSelection().first))) {
    return true;
  }
  ReplaceSelection(std::u16string_view(&unit, 1), Fit::Whole);
  return true;
}

bool CEditBox::OnLButtonDown(uint32_t flags, int x, int y) {
  if (!Contains(x, y)) return false;
  MoveCaret(PositionAt(x), (flags & platform::kMkShift) != 0);
  m_bSelecting = true;
  m_chPendingHigh = 0;
  return true;
}

bool CEditBox::OnMouseMove(uint32_t, int x, int) {
  if (!m_bSelecting) return false;
  const size_t caret = m_nCaret;
  const size_t first = m_nFirstVisible;
  MoveCaret(PositionAt(x), true);
  return caret != m_nCaret || first != m_nFirstVisible;
}

bool CEditBox::OnLButtonUp(uint32_t, int, int) {
  m_bSelecting = false;
  return false;
}

bool CEditBox::OnLButtonDblClk(uint32_t, int x, int y) {
  if (!Contains(x, y)) return false;
  SelectAll();
  ScrollToCaret();
  return true;
}

void CEditBox::OnFocusChanged(bool focused) {
  m_bSelecting = false;
  m_chPendingHigh = 0;
  // As in a dialog's fields: arriving selects everything, so typing replaces it.
  if (focused) {
    SelectAll();
    ScrollToCaret();
  }
  Invalidate();
}

// --- drawing ---

void CEditBox::Draw(platform::Canvas& canvas, const platform::Rect&) {
  if (m_pImageBg) {
    ui::DrawSliced(canvas, m_pImageBg.get(), m_rc, kCorner);
  } else {
    canvas.FillRect(m_rc, kFieldFill);
  }
  const bool focused = HasFocus() && !m_bDisable;
  canvas.FrameRect(m_rc, focused ? m_clrFrameFocused : m_clrFrame);

  const platform::Rect area = TextArea();
  if (area.IsEmpty()) return;
  ScrollToCaret();
  const int origin = TextOrigin();
  const auto [from, to] = GetSelection();
  if (focused && from != to) {
    const int left = std::max(origin + X(from), area.left);
    const int right = std::min(origin + X(to), area.right);
    if (left < right) canvas.FillRect({left, area.top + 1, right, area.bottom - 1}, kSelection);
  }
  if (m_font && m_nFirstVisible < m_strTitle.size()) {
    const platform::Rect text{std::max(origin + X(m_nFirstVisible), area.left), area.top,
                              area.right, area.bottom};
    canvas.DrawText(std::u16string_view(m_strTitle).substr(m_nFirstVisible), *m_font, m_clrText,
                    text, kTextFlags);
  }
  if (focused) {
    const int x = std::min(origin + X(m_nCaret), area.right - 1);
    canvas.FillRect({x, area.top + 1, x + 1, area.bottom - 1}, kCaret);
  }
}
