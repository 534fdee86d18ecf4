#include "app/windows/LazyHttpClient.h"

#include <exception>

#include "app/EmbeddedModule.h"

extern "C" const char saverhost_http_plugin_start[];
extern "C" const char saverhost_http_plugin_end[];

namespace saver {

namespace {

using CreateHttpClient = HttpClient* (*)(UiDispatcher*);

const EmbeddedModule kHttpModule{"feeds' HTTP module", saverhost_http_plugin_start,
                                 saverhost_http_plugin_end};

}  // namespace

LazyHttpClient::LazyHttpClient(UiDispatcher& ui) : ui_(ui) {}

LazyHttpClient::~LazyHttpClient() = default;

HttpClient* LazyHttpClient::Client() {
    if (!client_ && load_error_.empty()) {
        try {
            auto create = reinterpret_cast<CreateHttpClient>(
                LoadEmbeddedModule(kHttpModule, "SaverhostCreateHttpClient"));
            client_.reset(create(&ui_));
        } catch (const std::exception& error) {
            load_error_ = error.what();
        }
    }
    return client_.get();
}

void LazyHttpClient::Get(const std::string& url, HttpTransferEvents events) {
    if (HttpClient* client = Client()) {
        client->Get(url, std::move(events));
    } else {
        Fail(std::move(events));
    }
}

void LazyHttpClient::Fail(HttpTransferEvents events) {
    // Reported from the main loop, never from inside Get, as every transfer's end is.
    failure_pending_ = true;
    const uint64_t transfer = ++transfers_;
    ui_.Post([this, alive = std::weak_ptr<bool>(alive_), transfer, done = std::move(events.done)] {
        if (alive.expired() || transfer != transfers_ || !failure_pending_) {
            return;  // the client is gone, or the transfer was cancelled or replaced
        }
        failure_pending_ = false;
        if (done) {
            done(HttpResult{false, 0, "", load_error_});
        }
    });
}

void LazyHttpClient::Cancel() {
    failure_pending_ = false;
    if (client_) {
        client_->Cancel();
    }
}

bool LazyHttpClient::Busy() const {
    return failure_pending_ || (client_ && client_->Busy());
}

}  // namespace saver
