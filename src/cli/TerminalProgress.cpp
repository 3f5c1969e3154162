#include "cli/TerminalProgress.h"

#include <algorithm>
#include <cstdint>

#include "base/Language.h"
#include "base/Text.h"
#include "cli/CtlEnvironment.h"
#include "cli/DataFolder.h"

namespace {

constexpr int kBarWidth = 30;

}  // namespace

TerminalProgress::~TerminalProgress() {
  if (m_drawn) m_environment.Err("\n");
}

void TerminalProgress::SetStatus(int textNumber, const std::u16string& text) {
  std::u16string shown = text;
  // The engine builds its lines from the program's language; say them in English when the
  // English text is known, keeping the counters the engine added after the text.
  if (textNumber > 0) {
    const std::u16string& own = LangText(textNumber);
    const std::u16string& english = m_data.EnglishText(textNumber);
    if (!own.empty() && base::StartsWith(text, own)) shown = english + text.substr(own.size());
  }
  std::string status = base::ToUtf8(shown);
  while (!status.empty() && status.back() == ' ') status.pop_back();
  if (status == m_status) return;
  m_status = status;
  if (m_environment.ErrIsTerminal()) {
    Draw();
  } else {
    m_environment.Err(m_status + "\n");
  }
}

void TerminalProgress::SetPercent(const std::u16string& text) {
  m_percent = base::ToUtf8(text);
  if (m_environment.ErrIsTerminal()) Draw();
}

void TerminalProgress::SetProgress(int value, int total) {
  m_value = value;
  m_total = total;
  if (m_environment.ErrIsTerminal()) Draw();
}

void TerminalProgress::Draw() {
  const int filled = m_total > 0 ? static_cast<int>(int64_t{m_value} * kBarWidth / m_total) : 0;
  std::string bar =
      "\r[" + std::string(static_cast<size_t>(std::clamp(filled, 0, kBarWidth)), '#') +
      std::string(static_cast<size_t>(kBarWidth - std::clamp(filled, 0, kBarWidth)), ' ') + "] " +
      m_percent + "  " + m_status;
  // Clear what a longer line left behind.
  bar += "\x1b[K";
  m_environment.Err(bar);
  m_drawn = true;
}
