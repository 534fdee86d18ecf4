#include "support/FeedServer.h"

#include <stdlib.h>

#include <filesystem>
#include <vector>

namespace saver::test {

namespace {

const std::string kScript = std::string(SAVER_TEST_SUPPORT_DIR) + "/feed_server.py";

// A self-signed certificate for 127.0.0.1 that may also sign, so that a client trusting
// it as a CA accepts the server.
bool MakeCertificate(const std::string& folder) {
    const ChildResult made =
        RunChild({"openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj",
                  "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1", "-addext",
                  "basicConstraints=critical,CA:TRUE", "-keyout", folder + "/key.pem", "-out",
                  folder + "/cert.pem"});
    return made.exited && made.status == 0;
}

}  // namespace

FeedServer::FeedServer(const std::string& folder, bool tls) {
    std::vector<std::string> argv = {"python3", "-u", kScript, folder};
    if (tls) {
        char pattern[] = "/tmp/feed-tls-XXXXXX";
        keys_ = mkdtemp(pattern);
        if (!MakeCertificate(keys_)) {
            return;
        }
        ca_file_ = keys_ + "/cert.pem";
        argv.insert(argv.end(), {ca_file_, keys_ + "/key.pem"});
    }
    process_ = std::make_unique<ChildProcess>(argv);
    const std::string first = process_->ReadLine(10000);
    if (first.starts_with("PORT ")) {
        base_url_ = "http://127.0.0.1:" + first.substr(5) + "/";
    }
    if (tls) {
        const std::string second = process_->ReadLine(10000);
        if (second.starts_with("TLSPORT ")) {
            tls_url_ = "https://127.0.0.1:" + second.substr(8) + "/";
        }
    }
}

FeedServer::~FeedServer() {
    process_.reset();
    if (!keys_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(keys_, ignored);
    }
}

std::string FeedServer::NextRequest(int timeout_ms) {
    const std::string line = process_ ? process_->ReadLine(timeout_ms) : "";
    return line.starts_with("GET ") ? line.substr(4) : "";
}

}  // namespace saver::test
