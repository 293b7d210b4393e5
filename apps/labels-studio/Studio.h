// What the studio's windows share: the simulated host, the person's actions
// on it, and the one refresh that brings every view in line with the host's
// models after an action.
#pragma once

#include <functional>

#include "hostsim/Host.h"
#include "hostsim/UserActions.h"

namespace studio {

struct Studio {
  hostsim::Host& host;
  hostsim::UserActions& user;
  std::function<void()> refresh;  // after every action: artboard, panel, dialogs, menus
};

// The toolkit's modifier flags for the keys held now.
int32_t ModifierFlags(Qt::KeyboardModifiers modifiers);
hostsim::ItemModifiers ItemModifiersOf(Qt::KeyboardModifiers modifiers);

}  // namespace studio
