#pragma once
// The device windows and their page parts on the page-part host, without the installation
// (no artwork, no firmware images), with every text they use reading "T<n>".

#include <string>
#include <vector>

#include "base/Text.h"
#include "ui/ControlBase.h"
#include "ui/DlgBase.h"
#include "views/PartTestHost.h"

class DeviceViewTest : public parttest::PartTest {
 protected:
  DeviceViewTest() : PartTest(Installation::None) {
    Open();
    for (int n : {4,   5,   140, 146, 276, 277, 278, 279, 280, 281, 282, 283, 330,
                  331, 332, 333, 334, 335, 336, 337, 338, 339, 343, 344, 440}) {
      g_strLangText[n] = u"T" + base::FromUtf8(std::to_string(n));
    }
  }

  static std::u16string TitleOf(const CDlgBase& dialog, uint32_t id) {
    const CControlBase* control = dialog.GetControl(id);
    return control ? control->GetTitle() : u"<none>";
  }
  std::vector<platform::WindowId> WindowsOfClass(std::u16string_view name) {
    std::vector<platform::WindowId> found;
    for (platform::WindowId w : desktop.AllWindows()) {
      if (desktop.Info(w)->desc.className == name) found.push_back(w);
    }
    return found;
  }
};
