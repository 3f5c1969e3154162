#pragma once
// Starting the program with the user's session: the per-user Run entry named "Vantrel",
// whose data is the quoted full path of the running executable. The installer's option
// writes the same entry.

#include <optional>
#include <string>

namespace platform {

class AutoStart {
 public:
  static constexpr const char16_t* kEntryName = u"Vantrel";

  virtual ~AutoStart() = default;
  // The entry's data, or nothing when there is no entry.
  virtual std::optional<std::u16string> Entry() = 0;
  // Writes the entry for the running executable; false when it could not be written.
  [[nodiscard]] virtual bool Enable() = 0;
  // Removes the entry; true when there is none afterwards.
  [[nodiscard]] virtual bool Disable() = 0;
};

}  // namespace platform
