#include "device/PairingSession.h"

PairingSession::StartAction PairingSession::Start() {
  if (m_state == State::Pairing || m_state == State::Paired) return StartAction::None;
  const bool first = m_state == State::Idle;
  m_ticks = 0;
  m_state = State::Pairing;
  m_statusText = kWaitingTexts[0];
  return first ? StartAction::SendAndTick : StartAction::TickOnly;
}

PairingSession::TickResult PairingSession::Tick(bool linked) {
  if (m_state != State::Pairing) return TickResult::Stop;
  if (linked) {
    m_statusText = kPairedText;
    m_state = State::Paired;
    return TickResult::Stop;
  }
  ++m_ticks;
  if (m_ticks > kGiveUpAfter) {
    m_statusText = kFailedText;
    m_state = State::Failed;
    return TickResult::Stop;
  }
  m_statusText = kWaitingTexts[phase()];
  return TickResult::Continue;
}
