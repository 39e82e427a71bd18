#pragma once
// Every host reference the add-in holds across ticks lives here, from OnConnection to
// OnDisconnection. Members go in the reverse of their order: the click sinks first, then the
// controls, the VBE last.
#include "addin/command_bar_refs.h"
#include "host/vbe.h"

namespace qv {

// The code pane the main loop follows and its module: a pane shows one module for its life, so the
// module is asked for again only when another pane is active.
struct FollowedPane {
  CodePane pane;
  CodeModule module;
};

struct Connection {
  explicit Connection(Vbe vbe) : VBInstance(std::move(vbe)) {}

  Vbe VBInstance;
  CommandBarRefs bars;
  FollowedPane followed;
};

void OpenConnection(Vbe vbe);
// Releases everything the connection holds.
void CloseConnection() noexcept;
bool IsConnected();
// Throws VbError 91 (an object not set) between connections.
Connection& CurrentConnection();

inline const Vbe& VBInstance() { return CurrentConnection().VBInstance; }
inline CommandBarRefs& Bars() { return CurrentConnection().bars; }
inline FollowedPane& Followed() { return CurrentConnection().followed; }

}  // namespace qv
