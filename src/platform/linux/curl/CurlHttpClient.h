#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/HttpClient.h"
#include "platform/UiDispatcher.h"

namespace saver {

// How long a transfer may take and how much it may bring.
struct HttpLimits {
    int connect_timeout_s = 15;
    int idle_timeout_s = 30;    // nothing received for this long ends the transfer
    int total_timeout_s = 300;  // a body that trickles in for ever ends too
    int64_t max_body_bytes = 20 * 1024 * 1024;
};

struct CurlTransfer;

// The HttpClient on libcurl. Transfers run one at a time on a worker thread of the
// client's own (curl's multi interface, woken at once for a cancel); what they report is
// handed to the user-interface thread through `ui`, which must outlive the client.
//
// The certificate store is the system's. SAVERHOST_CA_FILE names a PEM file of CA
// certificates to trust instead (for tests that run their own TLS server).
class CurlHttpClient : public HttpClient {
  public:
    explicit CurlHttpClient(UiDispatcher& ui, HttpLimits limits = {});
    ~CurlHttpClient() override;
    CurlHttpClient(const CurlHttpClient&) = delete;
    CurlHttpClient& operator=(const CurlHttpClient&) = delete;

    void Get(const std::string& url, HttpTransferEvents events) override;
    void Cancel() override;
    bool Busy() const override;

  private:
    void WorkerLoop();
    void Run(const std::shared_ptr<CurlTransfer>& transfer);

    UiDispatcher& ui_;
    const HttpLimits limits_;
    void* multi_ = nullptr;  // CURLM, used by the worker; woken from the UI thread
    void* share_ = nullptr;  // CURLSH holding the cookies, used by the worker only
    std::mutex lock_;
    std::condition_variable wake_;
    std::shared_ptr<CurlTransfer> queued_;   // under lock_
    bool stopping_ = false;                  // under lock_
    std::shared_ptr<CurlTransfer> current_;  // UI thread only
    std::thread worker_;
};

}  // namespace saver
