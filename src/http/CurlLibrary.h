#pragma once

#include <curl/curl.h>

// libcurl, loaded when first needed instead of at program start: the dozens of libraries it
// pulls in cost a start-up more than the window's own work, and the window can load it on its
// request thread while it builds itself.
struct CurlLibrary {
    CURL* (*easyInit)();
    void (*easyCleanup)(CURL*);
    CURLcode (*easySetopt)(CURL*, CURLoption, ...);
    CURLM* (*multiInit)();
    CURLMcode (*multiCleanup)(CURLM*);
    CURLMcode (*multiAddHandle)(CURLM*, CURL*);
    CURLMcode (*multiRemoveHandle)(CURLM*, CURL*);
    CURLMcode (*multiPerform)(CURLM*, int*);
    CURLMcode (*multiPoll)(CURLM*, curl_waitfd[], unsigned int, int, int*);
    CURLMcode (*multiWakeup)(CURLM*);
    CURLMsg* (*multiInfoRead)(CURLM*, int*);
    curl_slist* (*slistAppend)(curl_slist*, const char*);
    void (*slistFreeAll)(curl_slist*);
};

// The library, loaded and initialised once for the process; null when it cannot be loaded,
// and every request then fails as one that cannot be set up.
const CurlLibrary* curlLibrary();
