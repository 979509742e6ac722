// The feature dialogs the tiles open. A tile not listed here does nothing yet.
#pragma once

#define VEYRA_FEATURE_TILES
