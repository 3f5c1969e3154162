#pragma once
// Keeping a file the program could not read before it is replaced, so that a save never
// destroys what the user may still want back.

#include <string_view>

namespace base {

// Copies the file to "<path>.bak". True when there is nothing to keep or the copy was made;
// false when an existing file could not be copied, in which case the caller must not replace
// it.
[[nodiscard]] bool KeepBackup(std::u16string_view path);

}  // namespace base
