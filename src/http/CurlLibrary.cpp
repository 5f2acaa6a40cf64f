#include "http/CurlLibrary.h"

#include <dlfcn.h>

#include <mutex>

namespace {

template <typename Function>
bool bind(void* handle, const char* name, Function& function) {
    function = reinterpret_cast<Function>(::dlsym(handle, name));
    return function != nullptr;
}

CurlLibrary* load() {
    void* handle = ::dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) return nullptr;
    static CurlLibrary curl;
    CURLcode (*globalInit)(long) = nullptr;
    const bool bound = bind(handle, "curl_global_init", globalInit) &&
                       bind(handle, "curl_easy_init", curl.easyInit) &&
                       bind(handle, "curl_easy_cleanup", curl.easyCleanup) &&
                       bind(handle, "curl_easy_setopt", curl.easySetopt) &&
                       bind(handle, "curl_multi_init", curl.multiInit) &&
                       bind(handle, "curl_multi_cleanup", curl.multiCleanup) &&
                       bind(handle, "curl_multi_add_handle", curl.multiAddHandle) &&
                       bind(handle, "curl_multi_remove_handle", curl.multiRemoveHandle) &&
                       bind(handle, "curl_multi_perform", curl.multiPerform) &&
                       bind(handle, "curl_multi_poll", curl.multiPoll) &&
                       bind(handle, "curl_multi_wakeup", curl.multiWakeup) &&
                       bind(handle, "curl_multi_info_read", curl.multiInfoRead) &&
                       bind(handle, "curl_slist_append", curl.slistAppend) &&
                       bind(handle, "curl_slist_free_all", curl.slistFreeAll);
    if (!bound || globalInit(CURL_GLOBAL_DEFAULT) != CURLE_OK) return nullptr;
    return &curl;  // the library stays loaded for the rest of the run
}

}  // namespace

const CurlLibrary* curlLibrary() {
    static std::once_flag once;
    static const CurlLibrary* loaded = nullptr;
    std::call_once(once, [] { loaded = load(); });
    return loaded;
}
