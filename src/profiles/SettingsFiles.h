#pragma once
// Loading and saving the global settings together with the five profiles, and bringing the
// profiles to a new sensor.

#include <array>
#include <cstdint>

#include "profiles/GlobalSettings.h"
#include "profiles/ProfileStore.h"
#include "profiles/SensorDpiTable.h"

enum class ConfigLoad {
  Read,        // config.ini was read
  Recreated,   // config.ini was missing or damaged: made anew from its defaults
  Unreadable,  // config.ini exists but could not be read: defaults for this run, file untouched
};

// Start-up: reads config.ini (pairs it does not supply keep their defaults; a missing or
// damaged one is rebuilt from its defaults), then the five profile files (a bad one gets its
// defaults and is rewritten; one that reads cleanly is kept, also after a rebuilt config.ini),
// then checks that the profiles' DPI values were made for the configured sensor and brings
// them to its defaults when not.
// A damaged config.ini or profile file is kept as a dated backup before it is replaced.
// `profilesRead`, when given, says which slots were read from their files (the others hold
// their defaults now).
ConfigLoad LoadAllSettings(GlobalSettings& settings, ProfileStore& store,
                           std::array<bool, ProfileStore::kProfileCount>* profilesRead = nullptr);

// config.ini (SaveCurrentProfileIndex) and all five profiles; true when every file was written,
// apart from those left alone because they could not be read.
bool SaveSettingsAndProfiles(GlobalSettings& settings, ProfileStore& store);

// The mouse reported a sensor: store it, write Sensor and PreST and save config.ini, give all
// five profiles the sensor's DPI defaults and save them, and rebuild the DPI table. With the
// current sensor id this is the reload for an unknown sensor code.
void ChangeSensor(GlobalSettings& settings, ProfileStore& store, SensorDpiTable& table,
                  uint16_t sensorId);
