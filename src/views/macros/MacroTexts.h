#pragma once
// Language texts of the macro manager's own controls and file dialogs (its messages are in
// macros/editing/EditingTexts.h).

#include "macros/editing/EditingTexts.h"

namespace macros::text {

constexpr int kRecordDelays = 193;
constexpr int kLoopHeldLabel = 194;  // 195 and 196 follow
constexpr int kInsertHeader = 197;
constexpr int kRecord = 198;
constexpr int kStop = 199;
constexpr int kNew = 200;
constexpr int kModify = 201;
constexpr int kDelete = 202;
constexpr int kExportMacroTitle = 253;
constexpr int kImportMacroTitle = 254;
constexpr int kExportEntriesTitle = 255;
constexpr int kImportEntriesTitle = 256;

}  // namespace macros::text
