// The feeds' HTTP client on libcurl, built as a loadable module of its own: libcurl and
// the TLS and other libraries it brings are loaded only when the ticker fetches its
// first feed, so a show without feeds never loads them. The windows module carries it
// inside its own file.

#include "platform/linux/curl/CurlHttpClient.h"

extern "C" __attribute__((visibility("default"))) saver::HttpClient* SaverhostCreateHttpClient(
    saver::UiDispatcher* ui) {
    return new saver::CurlHttpClient(*ui);
}
