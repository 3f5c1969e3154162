#pragma once
// A private file that the program holds open so that nobody can change or delete it: what
// was checked is what is started.

#include <cstdint>
#include <optional>
#include <span>

namespace platform {

class HeldFile {
 public:
  virtual ~HeldFile() = default;
  // Reads on from the current position (the start, at first). The number of bytes read, 0 at
  // the end, nothing when the file cannot be read.
  [[nodiscard]] virtual std::optional<size_t> Read(std::span<uint8_t> buffer) = 0;
  // Starts the held file as a program with no arguments, still holding it until the system
  // has opened it; true when it started. The file is released either way.
  [[nodiscard]] virtual bool Start() = 0;
};

}  // namespace platform
