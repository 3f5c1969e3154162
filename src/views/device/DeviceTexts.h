#pragma once
// Language texts of the device windows and the update check, by what they say.

#include "base/TextNumbers.h"

namespace device_text {

constexpr int kVersion = 3;  // the version label: this text, then the program version
constexpr int kOk = common_text::kOk;
constexpr int kCancel = common_text::kCancel;
constexpr int kFactoryResetButton = 7;
constexpr int kFactoryResetQuestion = 140;
constexpr int kSaving = common_text::kSaving;  // the progress window
constexpr int kCaption = common_text::kAttentionCaption;
constexpr int kPairButton = 276;
constexpr int kNoCable = 291;
constexpr int kFirmwareButton = 330;
constexpr int kSoftwareButton = 331;
constexpr int kServerUnreachable = 332;
constexpr int kLatestVersion = 333;
constexpr int kNewerVersion = 334;
constexpr int kDownload = 335;
constexpr int kDownloading[3] = {336, 337, 338};  // for tick % 3 = 0, 1, 2
constexpr int kInstallerStarts = 339;
constexpr int kInstallerMismatch = 344;
constexpr int kVersionFileUnsigned = 343;

}  // namespace device_text
