#pragma once
// Every language text n reads "t<n>", so a test sees which text a name was made of.

#include "base/Format.h"
#include "base/Language.h"

inline void UseNumberedTexts() {
  ResetLanguage();
  for (int n = 0; n < kLanguageTextCount; ++n) {
    g_strLangText[static_cast<size_t>(n)] = base::Format(u"t%d", n);
  }
}
