#pragma once

#include "files/RunDirectory.h"
#include "service/ServiceEndpoints.h"

// The service hosts: the optional section [service] of config.conf (keys hlsHost, pageHost,
// relayHost) over the built-in defaults. Nothing ever writes the section.
ServiceEndpoints loadServiceEndpoints(const RunDirectory& run);

// Window options: the optional section [window] of config.conf, read at start-up and never
// written. listButtons=enabled leaves the four list buttons usable after start-up.
struct WindowOptions {
    bool listButtons = false;
};
WindowOptions loadWindowOptions(const RunDirectory& run);
