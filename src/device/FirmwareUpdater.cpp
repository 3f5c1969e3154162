#include "device/FirmwareUpdater.h"

#include <algorithm>

#include "base/Crc32.h"
#include "base/Format.h"
#include "base/Language.h"
#include "device/DeviceLink.h"
#include "device/FirmwareProgress.h"
#include "platform/Platform.h"

namespace {

constexpr ConnectionMode::Kind kWired = ConnectionMode::Wired;
constexpr uint8_t kFullBlock = FirmwareReport::kDataLength;
constexpr uint8_t kHeaderRead = 0x10;

void Wait(uint32_t ms) {
  platform::Time().PumpDelay(ms);
}

uint32_t Le32(const uint8_t* p) {
  return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

}  // namespace

FirmwareUpdater::FirmwareUpdater(DeviceLink& link, FirmwareProgress& progress,
                                 const FirmwareImage& image)
    : m_link(link), m_ui(progress), m_image(image) {}

void FirmwareUpdater::Open() {
  m_ui.SetImageChecksumLine(base::Format(u"CS1:%.8x", m_image.Header().checksum));
  m_applicationMode = (m_link.WiredVersionNumber() >> 8) == 2;
}

// --- transfers ---

bool FirmwareUpdater::Send(const FirmwareReport& report) {
  platform::HidDevice* handle = m_link.HandleOf(kWired);
  if (!handle) return false;
  if (handle->SetFeature(report.bytes)) return true;
  m_link.MarkHandleFailed(kWired);
  return false;
}

bool FirmwareUpdater::SendWithRetry(const FirmwareReport& report) {
  for (int attempt = 0; attempt < kTries; ++attempt) {
    if (attempt > 0) Wait(kRetryWaitMs);
    if (Send(report)) return true;
  }
  return false;
}

std::optional<FirmwareUpdater::Block> FirmwareUpdater::Read(uint32_t address, uint8_t length) {
  const bool asked = Send(FirmwareReport::Read(address, length));
  Wait(kReadWaitMs);
  // The handle is taken again: a reconnection during the wait replaces it.
  platform::HidDevice* handle = m_link.HandleOf(kWired);
  if (!asked || !handle) return std::nullopt;
  std::array<uint8_t, FirmwareReport::kLength> answer{};
  answer[0] = FirmwareReport::kReportId;
  if (!handle->GetFeature(answer) || answer[0] != FirmwareReport::kReportId) {
    m_link.MarkHandleFailed(kWired);
    return std::nullopt;
  }
  Block data{};
  std::copy_n(answer.begin() + FirmwareReport::kDataOffset, data.size(), data.begin());
  return data;
}

// --- what the window shows ---

void FirmwareUpdater::Status(int text) {
  m_ui.SetStatus(text, LangText(text));
}

void FirmwareUpdater::Status(const std::u16string& text, int number) {
  m_ui.SetStatus(number, text);
}

void FirmwareUpdater::Advance(int steps) {
  m_progress += steps;
  m_ui.SetProgress(m_progress, m_total);
  const double percent = m_total > 0 ? m_progress * 100.0 / m_total : 0.0;
  m_ui.SetPercent(base::Format(u"%.1f%%", percent));
}

bool FirmwareUpdater::Fail(int text) {
  Status(text);
  return false;
}

// --- the steps ---

std::optional<uint32_t> FirmwareUpdater::ReadDeviceChecksum() {
  const auto header = Read(FirmwareReport::kAppHeader, kHeaderRead);
  Wait(kReadWaitMs);
  if (!header) return std::nullopt;
  m_deviceChecksum = Le32(header->data());
  m_ui.SetDeviceChecksumLine(base::Format(u"Device CS:%.8x", m_deviceChecksum));
  return m_deviceChecksum;
}

bool FirmwareUpdater::BaseMatches(bool& answered) {
  const std::vector<uint8_t>& base = m_image.Base();
  answered = true;
  for (uint32_t a = FirmwareReport::kBaseCheckStart; a < FirmwareReport::kBaseCheckEnd;
       a += kFullBlock) {
    const auto block = Read(a, kFullBlock);
    if (!block) {
      answered = false;
      return false;
    }
    if (!std::equal(block->begin(), block->end(), base.begin() + a)) return false;
    Wait(kReadWaitMs);
  }
  return true;
}

bool FirmwareUpdater::WriteBase() {
  const std::vector<uint8_t>& base = m_image.Base();
  auto failWriting = [this] {
    (void)Send(FirmwareReport::Protection(0));  // close the base again, best effort
    return Fail(kBaseWriteFailed);
  };
  if (!Send(FirmwareReport::Protection(FirmwareReport::kUnlockValue))) {
    return Fail(kBaseWriteFailed);
  }
  Wait(kProtectionWaitMs);
  int step = 0;
  const std::u16string writing = LangText(kWritingBase);
  for (uint32_t s = 0; s < kBaseSectors; ++s) {
    if (!Send(
            FirmwareReport::Make(FirmwareReport::kEraseSector, s * FirmwareReport::kSectorSize))) {
      return failWriting();
    }
    Wait(kSectorWaitMs);
    Status(base::Format(u"%s(%d/%d)", writing, ++step, kBaseSteps), kWritingBase);
  }
  // The check window goes last: a rewrite cut short always leaves it different from the
  // image, so the next check rewrites the base again instead of trusting a half-written one.
  constexpr uint32_t kWindowFirst = FirmwareReport::kBaseCheckStart / kFullBlock;
  constexpr uint32_t kWindowBlocks =
      (FirmwareReport::kBaseCheckEnd - FirmwareReport::kBaseCheckStart) / kFullBlock;
  for (uint32_t i = 0; i < kBaseBlocks; ++i) {
    const uint32_t k = i < kWindowFirst ? i
                       : i < kBaseBlocks - kWindowBlocks
                           ? i + kWindowBlocks
                           : i - (kBaseBlocks - kWindowBlocks) + kWindowFirst;
    const uint32_t a = k * kFullBlock;
    const auto data = std::span<const uint8_t>(base).subspan(a, kFullBlock);
    if (!SendWithRetry(FirmwareReport::Write(a, data))) return failWriting();
    Status(base::Format(u"%s(%d/%d)", writing, ++step, kBaseSteps), kWritingBase);
    Wait(kBlockWaitMs);
  }
  if (!Send(FirmwareReport::Protection(0))) return Fail(kBaseWriteFailed);
  Wait(kProtectionWaitMs);
  return true;
}

bool FirmwareUpdater::CheckWrittenBase() {
  const std::vector<uint8_t>& base = m_image.Base();
  const std::u16string checking = LangText(kCheckingBase);
  for (uint32_t k = 0; k < kBaseBlocks; ++k) {
    const uint32_t a = k * kFullBlock;
    const auto block = Read(a, kFullBlock);
    if (!block || !std::equal(block->begin(), block->end(), base.begin() + a)) {
      return Fail(kBaseCheckFailed);
    }
    Status(base::Format(u"%s(%d/%d)", checking, k + 1, kBaseBlocks), kCheckingBase);
    Wait(kReadWaitMs);
  }
  return true;
}

bool FirmwareUpdater::RewriteBaseRegion() {
  // Without a base image that covers the region the base cannot even be checked, and an
  // application written over an unknown base may never start.
  if (!m_image.HasBase()) return Fail(kBaseCheckFailed);
  for (int pass = 0; pass < kCheckPasses; ++pass) {
    bool answered = true;
    if (BaseMatches(answered)) return true;
    // An unanswered read tells nothing about the base: never rewrite on it.
    if (!answered) return Fail(kBaseCheckFailed);
  }
  return WriteBase() && CheckWrittenBase();
}

bool FirmwareUpdater::EraseUsedUpdateArea() {
  const auto first = Read(FirmwareReport::kUpdateArea, kFullBlock);
  if (!first) return Fail(kWriteFailed);
  if (Le32(first->data()) == 0xFFFFFFFFu) return true;
  Status(kErasing);
  if (!Send(FirmwareReport::Make(FirmwareReport::kEraseUpdateArea, 0))) return Fail(kWriteFailed);
  Wait(kEraseAreaWaitMs);
  return true;
}

bool FirmwareUpdater::WriteApplicationBlocks() {
  const std::vector<uint8_t>& app = m_image.Application();
  Status(kWriting);
  for (size_t at = 0; at < app.size(); at += kFullBlock) {
    const size_t length = std::min<size_t>(kFullBlock, app.size() - at);
    const auto data = std::span<const uint8_t>(app).subspan(at, length);
    if (!SendWithRetry(
            FirmwareReport::Write(FirmwareReport::kUpdateArea + static_cast<uint32_t>(at), data))) {
      return Fail(length == kFullBlock ? kWriteFailed : kLastBlockFailed);
    }
    Advance(4);
    Wait(kBlockWaitMs);
  }
  return true;
}

bool FirmwareUpdater::VerifyUpdateArea() {
  const size_t n = m_image.Application().size();
  Status(kVerifying);
  m_readBack.assign(n, 0);
  bool complete = true;
  for (size_t at = 0; at < n; at += kFullBlock) {
    const size_t length = std::min<size_t>(kFullBlock, n - at);
    const auto block =
        Read(FirmwareReport::kUpdateArea + static_cast<uint32_t>(at), static_cast<uint8_t>(length));
    if (!block) {
      complete = false;
      break;
    }
    std::copy_n(block->begin(), length, m_readBack.begin() + at);
    Advance(1);
    Wait(kReadWaitMs);
  }
  const uint32_t crc =
      base::Crc32(std::span<const uint8_t>(m_readBack).subspan(FirmwareHeader::kLength));
  if (complete && crc == m_image.Header().checksum) return true;
  // Never commit what did not verify; undo it instead.
  Status(kVerifyFailed);
  (void)Send(FirmwareReport::Make(FirmwareReport::kEraseUpdateArea, 0));
  Wait(kEraseAreaWaitMs);
  return false;
}

bool FirmwareUpdater::Commit() {
  if (!Send(FirmwareReport::Make(FirmwareReport::kEraseSector, FirmwareReport::kCommitFlag))) {
    return Fail(kWriteFailed);
  }
  Wait(kCommitWaitMs);
  auto record = Read(FirmwareReport::kCommitCounter, kFullBlock);
  Wait(kReadWaitMs);
  if (!record) return Fail(kWriteFailed);
  ++(*record)[1];
  if (!Send(FirmwareReport::WriteData(FirmwareReport::kCommitCounter, *record))) {
    return Fail(kWriteFailed);
  }
  Wait(kCommitWaitMs);
  for (uint32_t sector : {FirmwareReport::kCommitA, FirmwareReport::kCommitB}) {
    if (!Send(FirmwareReport::Make(FirmwareReport::kEraseSector, sector)))
      return Fail(kWriteFailed);
    Wait(kCommitWaitMs);
  }
  Block ones;
  ones.fill(0xFF);
  if (!Send(FirmwareReport::WriteData(
          FirmwareReport::kCommitTail,
          std::span<const uint8_t>(ones).first(FirmwareReport::kCommitTailLength)))) {
    return Fail(kWriteFailed);
  }
  Wait(kCommitWaitMs);
  return true;
}

bool FirmwareUpdater::RestartAndReconnect() {
  const std::u16string restarting = LangText(kRestarting);
  Status(base::Format(u"%s  ....3", restarting), kRestarting);
  // The mouse may restart before it answers the request: its removal is expected either way,
  // and the countdown and the checksum read below tell whether the new firmware runs.
  m_link.SetExpectedRemoval(true);
  (void)Send(FirmwareReport::Make(FirmwareReport::kRestart, 0));
  Wait(kCountdownMs);
  Status(base::Format(u"%s  ....2", restarting), kRestarting);
  Wait(kCountdownMs);
  Status(base::Format(u"%s  ....1", restarting), kRestarting);
  Wait(kCountdownMs);
  const std::u16string waiting = LangText(kWaiting);
  for (int i = 3; i >= 1; --i) {
    Status(base::Format(u"%s  ....%d", waiting, i), kWaiting);
    Wait(kCountdownMs);
  }
  const std::u16string reconnecting = LangText(kReconnecting);
  for (int i = kReconnectSeconds; i >= 1; --i) {
    Status(base::Format(u"%s  ....%d", reconnecting, i), kReconnecting);
    Wait(kCountdownMs);
  }
  // A removal that never came (or came while another mode stayed) must not swallow the
  // next real one.
  m_link.SetExpectedRemoval(false);

  const auto checksum = ReadDeviceChecksum();
  if (checksum && *checksum == m_image.Header().checksum) {
    Status(kUpToDate);
    return true;
  }
  return Fail(kNotStarted);
}

bool FirmwareUpdater::WriteApplication() {
  return EraseUsedUpdateArea() && WriteApplicationBlocks() && VerifyUpdateArea() && Commit() &&
         RestartAndReconnect();
}

FirmwareUpdater::Outcome FirmwareUpdater::Run() {
  if (!m_image.HasApplication()) return Outcome::NoImage;
  if (!m_applicationMode) {
    m_ui.SetDeviceChecksumLine(u"");
    Status(kNotApplicationMode);
    return Outcome::NotApplicationMode;
  }
  m_busy = true;
  const auto checksum = ReadDeviceChecksum();
  if (!checksum) {
    m_busy = false;
    Status(kNotApplicationMode);
    return Outcome::NoAnswer;
  }
  const auto allow = m_link.FirmwareBytes();
  if (*checksum == m_image.Header().checksum || allow[1] != 1 || allow[0] != 0) {
    m_busy = false;
    Status(kUpToDate);
    return Outcome::UpToDate;
  }
  // A base image that is missing or short refuses the update before anything is erased.
  if (!m_image.HasBase()) {
    m_busy = false;
    Status(kBaseCheckFailed);
    return Outcome::Failed;
  }
  m_ui.SetPercent(base::Format(u"0%%"));
  m_progress = 0;
  m_total = static_cast<int>(5 * m_image.BlockCount());
  m_ui.SetProgress(0, m_total);
  const bool done = RewriteBaseRegion() && WriteApplication();
  m_busy = false;
  return done ? Outcome::Updated : Outcome::Failed;
}
