#pragma once
// Converts a filter of the form u"psf file(*.psf)|*.psf||" into the list the system's file
// dialogs read: description and pattern pairs, each ended by NUL, the list by a second NUL.

#include <string>
#include <string_view>

namespace platform {

inline std::u16string FileDialogFilterList(std::u16string_view filter) {
  std::u16string list;
  for (char16_t c : filter) list.push_back(c == u'|' ? u'\0' : c);
  // A filter without its closing "||" must still end the list, and an empty one is no list.
  while (list.size() >= 2 && list[list.size() - 1] == u'\0' && list[list.size() - 2] == u'\0') {
    list.pop_back();
  }
  if (list.empty()) return std::u16string(2, u'\0');
  if (list.back() != u'\0') list.push_back(u'\0');
  list.push_back(u'\0');
  return list;
}

}  // namespace platform
