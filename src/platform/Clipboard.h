#pragma once
// The system clipboard, for Unicode text only.

#include <optional>
#include <string>
#include <string_view>

#include "platform/Types.h"

namespace platform {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // The clipboard's text as UTF-16, exactly as stored (line breaks and lone surrogates
  // included; the caller decides what it accepts). Nothing when the clipboard holds no text
  // or cannot be opened. `owner` is the window asking.
  virtual std::optional<std::u16string> GetText(WindowId owner) = 0;
  // Replaces the clipboard's contents with this text; false when the clipboard could not be
  // opened or written, and then it is unchanged.
  [[nodiscard]] virtual bool SetText(WindowId owner, std::u16string_view text) = 0;
};

}  // namespace platform
