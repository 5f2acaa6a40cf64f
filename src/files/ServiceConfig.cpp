#include "files/ServiceConfig.h"

#include "files/Config.h"
#include "files/IniFile.h"
#include "text/TextPrimitives.h"

namespace {

void override(GbkText& host, const RunDirectory& run, const char* key) {
    const GbkText value = readIniValue(configPath(run), "service", key);
    if (!value.empty()) host = value;
}

}  // namespace

ServiceEndpoints loadServiceEndpoints(const RunDirectory& run) {
    ServiceEndpoints endpoints;
    override(endpoints.hlsHost, run, "hlsHost");
    override(endpoints.pageHost, run, "pageHost");
    override(endpoints.relayHost, run, "relayHost");
    return endpoints;
}

WindowOptions loadWindowOptions(const RunDirectory& run) {
    WindowOptions options;
    options.listButtons =
        equalsText(readIniValue(configPath(run), "window", "listButtons"), "enabled", true);
    return options;
}
