#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace saver {

// How one transfer ended.
struct HttpResult {
    bool ok = false;    // the whole body arrived with a success status
    long status = 0;    // the last HTTP status, 0 when no answer came
    std::string body;   // what arrived (complete only when ok)
    std::string error;  // why it failed, in the client's words; empty when ok
};

// What a transfer tells its owner while it runs and when it ends. Every call comes on
// the user-interface thread, from inside the main loop, never from inside a HttpClient
// call. Each member may be empty.
struct HttpTransferEvents {
    // A phase of the connection changed ("Resolving example.org", "Connected" ...).
    std::function<void(const std::string& text)> status;
    // The body starts; `maximum` is its announced size in bytes, 0 when not announced.
    std::function<void(int64_t maximum)> work_begin;
    // `count` bytes of the body have arrived so far.
    std::function<void(int64_t count)> work;
    // The body ended, complete or not. Comes before `done`.
    std::function<void()> work_end;
    // The transfer ended. Comes exactly once, unless the transfer was cancelled.
    std::function<void(HttpResult result)> done;
};

// An HTTP client that runs one GET at a time without blocking the user-interface thread.
//
// Rules for every implementation:
// - http and https addresses (an address without a scheme is http); https certificates
//   are verified. Redirects are followed, at most 15 in a row. Cookies the servers set
//   are sent back for the life of the client. No proxy is used.
// - A transfer that cannot connect within 15 s, receives nothing for 30 s or whose body
//   exceeds 20 MB fails. An error status (400 and above) is a failure.
// - Get while a transfer runs cancels that one first. A cancelled transfer reports
//   nothing more, not even `done`. Destroying the client cancels the running transfer.
// - All calls come from the user-interface thread.
class HttpClient {
  public:
    virtual ~HttpClient() = default;

    virtual void Get(const std::string& url, HttpTransferEvents events) = 0;
    virtual void Cancel() = 0;
    // True from Get until `done` has been delivered or the transfer was cancelled.
    virtual bool Busy() const = 0;
};

}  // namespace saver
