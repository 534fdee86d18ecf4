#pragma once

#include <memory>
#include <string>

#include "support/ChildProcess.h"

namespace saver::test {

// The loopback server of the feed tests (feed_server.py): the files of a folder plus the
// faults real feed servers show. With `tls` it also serves https with a self-signed
// certificate for 127.0.0.1 made for the run; CaFile() is that certificate.
class FeedServer {
  public:
    explicit FeedServer(const std::string& folder, bool tls = false);
    ~FeedServer();
    FeedServer(const FeedServer&) = delete;
    FeedServer& operator=(const FeedServer&) = delete;

    // "http://127.0.0.1:PORT/", empty when the server did not start.
    const std::string& BaseUrl() const { return base_url_; }
    // "https://127.0.0.1:PORT/", empty without tls.
    const std::string& TlsUrl() const { return tls_url_; }
    const std::string& CaFile() const { return ca_file_; }
    std::string Url(const std::string& path) const { return base_url_ + path; }
    // The next request's path; empty when none comes within `timeout_ms`.
    std::string NextRequest(int timeout_ms = 10000);

  private:
    std::string keys_;  // the folder of the certificate and its key
    std::string ca_file_;
    std::unique_ptr<ChildProcess> process_;
    std::string base_url_;
    std::string tls_url_;
};

}  // namespace saver::test
