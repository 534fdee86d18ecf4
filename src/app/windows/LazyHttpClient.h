#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/HttpClient.h"
#include "platform/UiDispatcher.h"

namespace saver {

// The HttpClient of the show's feeds, loaded on its first Get from the HTTP module that
// the windows module carries (libcurl), so that libcurl is never loaded by a show that
// fetches nothing. When the module cannot be loaded every transfer fails, saying why.
// `ui` must outlive the client.
class LazyHttpClient : public HttpClient {
  public:
    explicit LazyHttpClient(UiDispatcher& ui);
    ~LazyHttpClient() override;
    LazyHttpClient(const LazyHttpClient&) = delete;
    LazyHttpClient& operator=(const LazyHttpClient&) = delete;

    void Get(const std::string& url, HttpTransferEvents events) override;
    void Cancel() override;
    bool Busy() const override;

  private:
    HttpClient* Client();
    void Fail(HttpTransferEvents events);

    UiDispatcher& ui_;
    std::unique_ptr<HttpClient> client_;
    std::string load_error_;  // why the module could not be loaded; empty until then
    // The failure of the latest transfer waits to be delivered; the token tells a
    // delivery that the client is still there.
    bool failure_pending_ = false;
    uint64_t transfers_ = 0;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace saver
