// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/form/embedded_resources.h"

#include <QtGlobal>

// Outside any namespace, as Q_INIT_RESOURCE requires.
static void InitResources() {
  Q_INIT_RESOURCE(resources);
  Q_INIT_RESOURCE(qt_translations);
  Q_INIT_RESOURCE(messages);
}

namespace prism {

void RegisterResources() {
  static const bool registered = (InitResources(), true);
  (void)registered;
}

}  // namespace prism
