#pragma once

// Stand-in for the ticker's HTTP client: transfers end when the test completes them. The
// feed window's stand-in is the support library's.
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/HttpClient.h"
#include "support/FakeFeedWindow.h"
#include "support/FakePlatform.h"
#include "support/FakeWindowSystem.h"

namespace saver::test {

class FakeHttpClient : public HttpClient {
  public:
    void Get(const std::string& url, HttpTransferEvents events) override {
        requests.push_back(url);
        running = std::move(events);
    }
    void Cancel() override { running.reset(); }
    bool Busy() const override { return running.has_value(); }

    // Ends the running transfer with `body` (ok) or as failed.
    void Complete(const std::string& body, bool ok = true) {
        HttpTransferEvents events = std::move(*running);
        running.reset();
        if (events.status) {
            events.status("Connected.");
        }
        if (events.work_begin) {
            events.work_begin(static_cast<int64_t>(body.size()));
        }
        if (events.work) {
            events.work(static_cast<int64_t>(body.size()));
        }
        if (events.work_end) {
            events.work_end();
        }
        HttpResult result;
        result.ok = ok;
        result.status = ok ? 200 : 404;
        result.body = ok ? body : "";
        events.done(result);
    }

    std::vector<std::string> requests;
    std::optional<HttpTransferEvents> running;
};

}  // namespace saver::test
