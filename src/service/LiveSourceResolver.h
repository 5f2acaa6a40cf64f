#pragma once

#include <string_view>

#include "service/ServiceEndpoints.h"
#include "text/GbkText.h"

// The HLS interface address of a room, the room number used exactly as given.
GbkText liveSourceRequestUrl(std::string_view roomNumber, const ServiceEndpoints& endpoints);

// The room's current live HLS address, empty when none could be had. Keeps no shared state.
GbkText resolveLiveSource(std::string_view roomNumber,
                          const ServiceEndpoints& endpoints = ServiceEndpoints());
