#include "adapters/headless/HeadlessPrograms.h"

#include "adapters/headless/RecordingCanvas.h"

namespace platform::headless {

void HeadlessPrograms::BringToFront(std::u16string path, uint32_t processId) {
  m_front = {std::move(path), processId};
  if (m_front.path.empty()) m_front.processId = 0;
  if (m_observer && m_reportsChanges) m_observer->OnForegroundChanged();
}

void HeadlessPrograms::BringOursToFront() {
  m_front = {u"C:\\Program Files\\Vantrel\\Vantrel.exe", kOwnProcess, true};
  if (m_observer && m_reportsChanges) m_observer->OnForegroundChanged();
}

void HeadlessPrograms::EndProcess(uint32_t processId) {
  m_ended[processId] = true;
  if (m_front.processId == processId) m_front = {};
  if (m_held == processId && processId != 0) {
    m_held = 0;
    if (m_observer) m_observer->OnHeldProcessExited();
  }
}

ForegroundProgram HeadlessPrograms::Foreground() {
  ++m_queries;
  return m_front;
}

void HeadlessPrograms::Watch(ProgramObserver* observer) {
  m_observer = observer;
  if (!observer) m_held = 0;
}

bool HeadlessPrograms::HoldProcess(uint32_t processId) {
  if (processId == 0) return false;
  m_held = processId;
  if (m_ended.count(processId) && m_observer) {
    m_held = 0;
    m_observer->OnHeldProcessExited();
  }
  return true;
}

std::unique_ptr<Image> HeadlessPrograms::ProgramIcon(std::u16string_view path, int size) {
  if (!m_icons.count(std::u16string(path))) return nullptr;
  return std::make_unique<HeadlessImage>(size, size, std::vector<uint32_t>{},
                                         u"icon:" + std::u16string(path));
}

}  // namespace platform::headless
