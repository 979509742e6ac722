// The pictures compiled into the program live in a static library, so the linker keeps them only
// when someone asks for them: call this once before the first picture is loaded.
#pragma once

namespace veyra {
void InitResources();
}
