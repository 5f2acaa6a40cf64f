#pragma once

#include "text/GbkText.h"

// Where the service's interfaces live; host[:port] each, plain HTTP.
struct ServiceEndpoints {
    GbkText hlsHost = "interface.yy.com";
    GbkText pageHost = "data.3g.yy.com";
    GbkText relayHost = "127.0.0.1:8866";
};
