#include "service/LiveSourceResolver.h"

#include "http/HttpRequest.h"
#include "objects/HeaderList.h"
#include "service/JsonStringContent.h"
#include "text/Charset.h"
#include "text/TextCutting.h"

namespace {

constexpr std::string_view kBrowserAgent =
    "Mozilla/5.0 (Windows NT 6.1; WOW64; rv:46.0) Gecko/20100101 Firefox/46.0";

}  // namespace

GbkText liveSourceRequestUrl(std::string_view roomNumber, const ServiceEndpoints& endpoints) {
    GbkText url = "http://";
    url += endpoints.hlsHost;
    url += "/hls/new/get/";
    url += roomNumber;
    url += '/';
    url += roomNumber;
    url += "/1200?source=wapyy&callback=jsonp3";
    return url;
}

GbkText resolveLiveSource(std::string_view roomNumber, const ServiceEndpoints& endpoints) {
    HeaderList headers;
    headers.add("User-Agent", kBrowserAgent);
    HttpRequestArgs request;
    request.url = liveSourceRequestUrl(roomNumber, endpoints);
    request.method = static_cast<int>(HttpMethod::Get);
    request.headers = headers.toHeaderText();
    const ByteBuffer body = httpRequest(request);
    const GbkText answer = textOf(convertCharset(body));
    // The service writes the address as JSON string content ("http:\/\/..."), which no
    // player can open as it stands.
    return decodeJsonStringContent(textBetween(answer, "hls\":\"", "\","));
}
