// What each tile of the main window opens, in a sentence a screen reader gives after the tile's
// label; in the order of the tile table. Marked for the catalogue in the context "TileTable".
#pragma once

#include <array>

#include "app/TileTable.h"

const std::array<const char*, kTileCount>& TileDescriptions();
