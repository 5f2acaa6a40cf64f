#pragma once

#include "files/RunDirectory.h"
#include "service/ServiceEndpoints.h"

// The service hosts: the optional section [service] of config.conf (keys hlsHost, pageHost,
// relayHost) over the built-in defaults. Nothing ever writes the section.
ServiceEndpoints loadServiceEndpoints(const RunDirectory& run);
