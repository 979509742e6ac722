// The main window's nine tiles, row by row from the top left: the label, the picture, the tooltip
// and what a click does. Adding a feature is one row here. Labels and tooltips are marked for the
// catalogue in the context "TileTable", the refusal as a message.
#pragma once

#include <array>
#include <memory>

class CDialogBase;
class QWidget;

namespace veyra {
class HostPort;
}

// Builds a feature's window, already holding the port.
using TileOpener = std::unique_ptr<CDialogBase> (*)(QWidget* parent, veyra::HostPort& port);

struct TileRow {
  const char* label;
  const char* icon;        // ":/icons/<icon>.svg", and "<icon>_hover.svg" under the mouse
  const char* tooltipKey;  // the tooltip's [main] key in config.ini, or nullptr
  const char* tooltip;     // a tooltip of its own when there is no key, or nullptr
  const char* refusal;     // a box shown instead of a window (a message text), or nullptr
  TileOpener open;         // the window the tile opens, or nullptr
};

inline constexpr int kTileCount = 9;
const std::array<TileRow, kTileCount>& Tiles();
