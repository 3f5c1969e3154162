#include "profiles/ProfileStore.h"

ProfileStore g_ProfileStore;
