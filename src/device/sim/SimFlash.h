#pragma once
// The simulated mouse's flash and the firmware side of report 0xBF: 512 KiB, erased to 0xFF;
// the base region (0x000000..0x02AFFF) can be erased and written only while unlocked
// (operation 5 with the shared unlock value); the running application's region (its header
// at 0x02B070) is written only by the boot code at a restart, from the update area
// (0x052000..) when the commit records say so and the image there carries its checksum.
//
// Commit rule of the boot code: the record sector 0x07F000 and the sectors 0x07C000 and
// 0x07D000 are erased, the 0x24 bytes at 0x07E008 are 0xFF, and the counter byte at 0x07E001
// differs from the one of the last installation.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

class SimFlash {
 public:
  static constexpr uint32_t kAppRegionStart = 0x02B000;
  static constexpr uint32_t kAppRegionEnd = 0x052000;

  SimFlash();

  // A SetFeature of report 0xBF; false for a request the mouse rejects (bad length, address
  // outside the flash, unknown operation).
  bool OnRequest(std::span<const uint8_t> report);
  // A GetFeature of report 0xBF: the data asked for by the last read request.
  void Answer(std::span<uint8_t> report);
  // Set by operation 2; taking it clears it.
  bool TakeRestart();
  // The boot code: installs a committed update. True when it installed one.
  bool Boot();

  // --- for tests ---
  std::vector<uint8_t>& Bytes() { return m_bytes; }
  const std::vector<uint8_t>& Bytes() const { return m_bytes; }
  // Puts an image into the application region as if installed long ago.
  void InstallApplication(std::span<const uint8_t> image);
  void WriteBase(std::span<const uint8_t> base);
  // CRC in the header of the running application.
  uint32_t ApplicationChecksum() const;
  bool Unlocked() const { return m_unlocked; }
  // The next `times` answers for a read at `address` come back with one byte flipped.
  void CorruptReadAt(uint32_t address, int times = 1) {
    m_corruptAt = address;
    m_corruptTimes = times;
  }
  int SectorErases() const { return m_sectorErases; }
  int AreaErases() const { return m_areaErases; }
  int BaseWrites() const { return m_baseWrites; }
  int Installs() const { return m_installs; }

 private:
  bool Writable(uint32_t address, size_t length) const;
  bool Erased(uint32_t address, size_t length) const;

  std::vector<uint8_t> m_bytes;
  bool m_unlocked = false;
  bool m_restart = false;
  uint32_t m_readAddress = 0;
  uint8_t m_readLength = 0;
  uint32_t m_corruptAt = 0;
  int m_corruptTimes = 0;
  uint8_t m_installedCounter = 0xFF;
  int m_sectorErases = 0;
  int m_areaErases = 0;
  int m_baseWrites = 0;
  int m_installs = 0;
};
