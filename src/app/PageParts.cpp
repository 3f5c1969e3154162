#include "app/PageParts.h"

#include "views/buttons/ButtonFieldsPart.h"
#include "views/macros/MacroWindows.h"
#include "views/macros/ManagerButtonsPart.h"
#include "views/main/DebouncePagePart.h"
#include "views/main/DpiPagePart.h"
#include "views/main/LiftOffPagePart.h"
#include "views/main/LightingPagePart.h"
#include "views/main/PairingPage.h"
#include "views/main/PointerPagePart.h"
#include "views/main/PollingPagePart.h"
#include "views/main/PowerOptionsPart.h"
#include "views/main/ProfileBar.h"
#include "views/main/SensorPagePart.h"
#include "views/main/SystemPart.h"
#include "views/main/UpdatePage.h"

std::vector<std::unique_ptr<PagePart>> CreatePageParts() {
  std::vector<std::unique_ptr<PagePart>> parts;
  // One line per part; the order is the build order (controls of one layer paint in it).
  parts.push_back(std::make_unique<ButtonFieldsPart>());
  parts.push_back(std::make_unique<ProfileBar>());
  parts.push_back(std::make_unique<PowerOptionsPart>());
  parts.push_back(std::make_unique<DpiPagePart>());
  parts.push_back(std::make_unique<LightingPagePart>());
  parts.push_back(std::make_unique<PointerPagePart>());
  parts.push_back(std::make_unique<PollingPagePart>());
  parts.push_back(std::make_unique<LiftOffPagePart>());
  parts.push_back(std::make_unique<DebouncePagePart>());
  parts.push_back(std::make_unique<SensorPagePart>());
  parts.push_back(std::make_unique<SystemPart>());
  parts.push_back(std::make_unique<PairingPage>());
  parts.push_back(std::make_unique<UpdatePage>());
  auto managers = std::make_unique<ManagerButtonsPart>();
  managers->SetShootingManager([](ViewServices& services) { RunBulletManager(services); });
  parts.push_back(std::move(managers));
  return parts;
}
