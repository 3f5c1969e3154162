#include "device/sim/SimFlash.h"

#include <algorithm>

#include "base/Crc32.h"
#include "device/FirmwareImage.h"
#include "device/FirmwareReport.h"

namespace {
using R = FirmwareReport;
}

SimFlash::SimFlash() : m_bytes(R::kFlashSize, 0xFF) {}

bool SimFlash::Writable(uint32_t address, size_t length) const {
  if (size_t{address} + length > R::kFlashSize) return false;
  const uint32_t end = static_cast<uint32_t>(address + length);
  // Only the boot code writes the running application.
  if (address < kAppRegionEnd && end > kAppRegionStart) return false;
  if (address < R::kBaseEnd && !m_unlocked) return false;
  return true;
}

bool SimFlash::Erased(uint32_t address, size_t length) const {
  return std::all_of(m_bytes.begin() + address, m_bytes.begin() + address + length,
                     [](uint8_t b) { return b == 0xFF; });
}

bool SimFlash::OnRequest(std::span<const uint8_t> report) {
  if (report.size() < R::kLength || report[0] != R::kReportId) return false;
  R r;
  std::copy_n(report.begin(), R::kLength, r.bytes.begin());
  const uint32_t address = r.address();
  switch (r.operation()) {
    case R::kTransfer:
      if (r.writeLength() > R::kDataLength || r.readLength() > R::kDataLength) return false;
      if (r.writeLength() > 0) {
        // A protected place takes nothing, as the real part does; the read-back tells.
        if (Writable(address, r.writeLength())) {
          std::copy_n(r.bytes.begin() + R::kDataOffset, r.writeLength(), m_bytes.begin() + address);
          if (address < R::kBaseEnd) ++m_baseWrites;
        }
        return true;
      }
      if (size_t{address} + r.readLength() > R::kFlashSize) return false;
      m_readAddress = address;
      m_readLength = r.readLength();
      return true;
    case R::kEraseUpdateArea:
      std::fill(m_bytes.begin() + R::kUpdateArea, m_bytes.begin() + R::kUpdateAreaEnd, 0xFF);
      ++m_areaErases;
      return true;
    case R::kRestart:
      m_restart = true;
      return true;
    case R::kEraseSector: {
      const uint32_t sector = address & ~(R::kSectorSize - 1);
      if (sector >= R::kFlashSize) return false;
      if (Writable(sector, R::kSectorSize)) {
        std::fill_n(m_bytes.begin() + sector, R::kSectorSize, 0xFF);
        ++m_sectorErases;
      }
      return true;
    }
    case R::kWriteData: {
      const uint8_t length = r.bytes[4];
      if (length > R::kDataLength) return false;
      if (Writable(address, length)) {
        std::copy_n(r.bytes.begin() + R::kDataOffset, length, m_bytes.begin() + address);
      }
      return true;
    }
    case R::kProtection:
      m_unlocked = r.value() == R::kUnlockValue;
      return true;
    default:
      return false;
  }
}

void SimFlash::Answer(std::span<uint8_t> report) {
  if (report.empty()) return;
  std::fill(report.begin() + 1, report.end(), 0);
  report[0] = R::kReportId;
  if (report.size() < R::kDataOffset) return;
  const size_t n = std::min<size_t>(m_readLength, report.size() - R::kDataOffset);
  std::copy_n(m_bytes.begin() + m_readAddress, n, report.begin() + R::kDataOffset);
  if (m_corruptTimes > 0 && m_corruptAt == m_readAddress && n > 0) {
    report[R::kDataOffset + n - 1] ^= 0x5A;
    --m_corruptTimes;
  }
}

bool SimFlash::TakeRestart() {
  const bool was = m_restart;
  m_restart = false;
  return was;
}

bool SimFlash::Boot() {
  m_unlocked = false;
  const uint8_t counter = m_bytes[R::kCommitCounter + 1];
  const bool committed =
      Erased(R::kCommitFlag, R::kSectorSize) && Erased(R::kCommitA, R::kSectorSize) &&
      Erased(R::kCommitB, R::kSectorSize) && Erased(R::kCommitTail, R::kCommitTailLength) &&
      counter != m_installedCounter;
  if (!committed) return false;
  const auto area =
      std::span<const uint8_t>(m_bytes).subspan(R::kUpdateArea, R::kUpdateAreaEnd - R::kUpdateArea);
  const auto header = FirmwareHeader::Parse(area);
  const size_t length = size_t{header->lengthWords} * 4;
  const size_t room = kAppRegionEnd - R::kAppHeader;
  if (length <= FirmwareHeader::kLength || length > room ||
      base::Crc32(area.subspan(FirmwareHeader::kLength, length - FirmwareHeader::kLength)) !=
          header->checksum) {
    return false;
  }
  std::fill(m_bytes.begin() + kAppRegionStart, m_bytes.begin() + kAppRegionEnd, 0xFF);
  std::copy_n(area.begin(), length, m_bytes.begin() + R::kAppHeader);
  m_installedCounter = counter;
  ++m_installs;
  return true;
}

void SimFlash::InstallApplication(std::span<const uint8_t> image) {
  const size_t n = std::min<size_t>(image.size(), kAppRegionEnd - R::kAppHeader);
  std::fill(m_bytes.begin() + kAppRegionStart, m_bytes.begin() + kAppRegionEnd, 0xFF);
  std::copy_n(image.begin(), n, m_bytes.begin() + R::kAppHeader);
}

void SimFlash::WriteBase(std::span<const uint8_t> base) {
  const size_t n = std::min<size_t>(base.size(), R::kBaseEnd);
  std::copy_n(base.begin(), n, m_bytes.begin());
}

uint32_t SimFlash::ApplicationChecksum() const {
  return FirmwareHeader::Parse(std::span<const uint8_t>(m_bytes).subspan(R::kAppHeader))->checksum;
}
