#pragma once

#include <string>
#include <string_view>

#include "service/ServiceEndpoints.h"
#include "text/GbkText.h"

// Whether a room is live right now, found by resolving it and fetching its HLS playlist.
struct RoomCheck {
    enum class State { Alive, Offline, Dead };
    State state = State::Offline;
    std::string status;  // the playlist's HTTP status, or what went wrong before one came
    long long milliseconds = 0;
    GbkText address;
};

// "alive", "offline" (no address) or "dead" (the address gives no "#EXTM3U" playlist).
std::string_view stateName(RoomCheck::State state);

// Resolves the room, then fetches its address (following redirects) under the engine's
// limits. Keeps no shared state, so rooms may be checked on several threads at once.
RoomCheck checkRoom(std::string_view room, const ServiceEndpoints& endpoints);
