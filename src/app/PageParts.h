#pragma once
// Every part of the main page, in build order. Each feature adds its parts here.

#include <memory>
#include <vector>

#include "views/main/PagePart.h"

std::vector<std::unique_ptr<PagePart>> CreatePageParts();
