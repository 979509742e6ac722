#include "ui/Resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void InitCompiledResources() { Q_INIT_RESOURCE(resources); }

namespace veyra {

void InitResources() {
  static const bool done = (InitCompiledResources(), true);
  (void)done;
}

}  // namespace veyra
