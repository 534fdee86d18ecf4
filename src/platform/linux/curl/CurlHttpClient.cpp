#include "platform/linux/curl/CurlHttpClient.h"

#include <curl/curl.h>
#include <strings.h>

#include <atomic>
#include <chrono>
#include <cstdlib>

namespace saver {

namespace {

using Clock = std::chrono::steady_clock;

constexpr long kMaxRedirects = 15;
constexpr int kPollMs = 100;
constexpr auto kWorkReportEvery = std::chrono::milliseconds(100);

#ifndef SAVERHOST_VERSION
#define SAVERHOST_VERSION "0"
#endif
constexpr const char* kUserAgent = "saverhost/" SAVERHOST_VERSION;

void InitCurlOnce() {
    static const CURLcode initialised = curl_global_init(CURL_GLOBAL_DEFAULT);
    (void)initialised;
}

std::string HostOf(const std::string& url) {
    std::string host;
    CURLU* parsed = curl_url();
    char* part = nullptr;
    if (curl_url_set(parsed, CURLUPART_URL, url.c_str(), CURLU_DEFAULT_SCHEME) == CURLUE_OK &&
        curl_url_get(parsed, CURLUPART_HOST, &part, 0) == CURLUE_OK) {
        host = part;
    }
    curl_free(part);
    curl_url_cleanup(parsed);
    return host.empty() ? url : host;
}

// The phases a transfer goes through, in the order they are reported.
enum class Phase { kResolving, kConnecting, kConnected };

}  // namespace

// One GET. The events and `finished` belong to the user-interface thread, the body and
// the counters to the worker; `cancelled` is shared.
struct CurlTransfer {
    std::string url;
    HttpTransferEvents events;
    std::atomic<bool> cancelled{false};
    bool finished = false;
    int64_t max_body_bytes = 0;
    std::string body;
    bool too_big = false;
    char error[CURL_ERROR_SIZE] = {};
    curl_slist* headers = nullptr;
    ~CurlTransfer() { curl_slist_free_all(headers); }
};

namespace {

size_t WriteBody(char* data, size_t size, size_t count, void* user) {
    auto* transfer = static_cast<CurlTransfer*>(user);
    const size_t bytes = size * count;
    if (static_cast<int64_t>(transfer->body.size() + bytes) > transfer->max_body_bytes) {
        transfer->too_big = true;
        return 0;  // ends the transfer with a write error
    }
    transfer->body.append(data, bytes);
    return bytes;
}

curl_off_t InfoOffset(CURL* easy, CURLINFO info) {
    curl_off_t value = 0;
    return curl_easy_getinfo(easy, info, &value) == CURLE_OK ? value : 0;
}

bool IsHttpsAddress(const std::string& url) {
    return strncasecmp(url.c_str(), "https:", 6) == 0;
}

void SetOptions(CURL* easy, CurlTransfer& transfer, CURLSH* share, const HttpLimits& limits) {
    curl_easy_setopt(easy, CURLOPT_URL, transfer.url.c_str());
    curl_easy_setopt(easy, CURLOPT_DEFAULT_PROTOCOL, "http");
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    // A feed asked for over https is never followed to a plain http address, where
    // anyone on the way could change it.
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR,
                     IsHttpsAddress(transfer.url) ? "https" : "http,https");
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(easy, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_PROXY, "");  // never a proxy, whatever the environment
    curl_easy_setopt(easy, CURLOPT_USERAGENT, kUserAgent);
    // The feed servers see the request headers they have always seen from the ticker.
    transfer.headers = curl_slist_append(transfer.headers, "Accept: text/html, */*");
    transfer.headers = curl_slist_append(transfer.headers, "Content-Type: text/html");
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, transfer.headers);
    curl_easy_setopt(easy, CURLOPT_COOKIEFILE, "");  // cookies in memory, kept in `share`
    curl_easy_setopt(easy, CURLOPT_SHARE, share);
    // Every feed is fetched over a fresh connection, closed once it has arrived.
    curl_easy_setopt(easy, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, static_cast<long>(limits.connect_timeout_s));
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, static_cast<long>(limits.idle_timeout_s));
    curl_easy_setopt(easy, CURLOPT_TIMEOUT, static_cast<long>(limits.total_timeout_s));
    curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE,
                     static_cast<curl_off_t>(limits.max_body_bytes));
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, WriteBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, transfer.error);
    if (const char* ca_file = std::getenv("SAVERHOST_CA_FILE"); ca_file && *ca_file) {
        curl_easy_setopt(easy, CURLOPT_CAINFO, ca_file);
    }
}

std::string ErrorText(CURLcode code, const CurlTransfer& transfer, long status) {
    if (transfer.too_big) {
        return "the body is larger than " + std::to_string(transfer.max_body_bytes) + " bytes";
    }
    if (code == CURLE_HTTP_RETURNED_ERROR) {
        return "HTTP status " + std::to_string(status);
    }
    return transfer.error[0] != '\0' ? transfer.error : curl_easy_strerror(code);
}

}  // namespace

CurlHttpClient::CurlHttpClient(UiDispatcher& ui, HttpLimits limits) : ui_(ui), limits_(limits) {
    InitCurlOnce();
    multi_ = curl_multi_init();
    share_ = curl_share_init();
    curl_share_setopt(static_cast<CURLSH*>(share_), CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
    worker_ = std::thread([this] { WorkerLoop(); });
}

CurlHttpClient::~CurlHttpClient() {
    Cancel();
    {
        std::lock_guard<std::mutex> hold(lock_);
        stopping_ = true;
    }
    wake_.notify_one();
    curl_multi_wakeup(static_cast<CURLM*>(multi_));
    worker_.join();
    curl_share_cleanup(static_cast<CURLSH*>(share_));
    curl_multi_cleanup(static_cast<CURLM*>(multi_));
}

void CurlHttpClient::Get(const std::string& url, HttpTransferEvents events) {
    Cancel();
    auto transfer = std::make_shared<CurlTransfer>();
    transfer->url = url;
    transfer->events = std::move(events);
    transfer->max_body_bytes = limits_.max_body_bytes;
    current_ = transfer;
    {
        std::lock_guard<std::mutex> hold(lock_);
        queued_ = std::move(transfer);
    }
    wake_.notify_one();
}

void CurlHttpClient::Cancel() {
    if (!current_) {
        return;
    }
    current_->cancelled = true;
    current_.reset();
    {
        std::lock_guard<std::mutex> hold(lock_);
        queued_.reset();
    }
    curl_multi_wakeup(static_cast<CURLM*>(multi_));
}

bool CurlHttpClient::Busy() const {
    return current_ && !current_->finished;
}

void CurlHttpClient::WorkerLoop() {
    for (;;) {
        std::shared_ptr<CurlTransfer> transfer;
        {
            std::unique_lock<std::mutex> hold(lock_);
            wake_.wait(hold, [this] { return stopping_ || queued_; });
            if (stopping_) {
                return;
            }
            transfer = std::move(queued_);
        }
        Run(transfer);
    }
}

void CurlHttpClient::Run(const std::shared_ptr<CurlTransfer>& transfer) {
    // Hands `report` to the user-interface thread, where it runs unless the transfer has
    // been cancelled by then.
    auto post = [this, transfer](std::function<void(CurlTransfer&)> report) {
        ui_.Post([transfer, report = std::move(report)] {
            if (!transfer->cancelled) {
                report(*transfer);
            }
        });
    };
    auto post_status = [&post](std::string text) {
        post([text = std::move(text)](CurlTransfer& t) {
            if (t.events.status) {
                t.events.status(text);
            }
        });
    };

    CURL* easy = curl_easy_init();
    CURLM* multi = static_cast<CURLM*>(multi_);
    SetOptions(easy, *transfer, static_cast<CURLSH*>(share_), limits_);
    curl_multi_add_handle(multi, easy);
    const std::string host = HostOf(transfer->url);
    post_status("Resolving hostname " + host + ".");
    Phase phase = Phase::kResolving;
    bool work_begun = false;
    size_t reported_bytes = 0;
    Clock::time_point last_report{};
    CURLcode code = CURLE_ABORTED_BY_CALLBACK;
    int running = 1;
    while (!transfer->cancelled) {
        curl_multi_perform(multi, &running);
        if (phase == Phase::kResolving && InfoOffset(easy, CURLINFO_NAMELOOKUP_TIME_T) > 0) {
            phase = Phase::kConnecting;
            post_status("Connecting to " + host + ".");
        }
        if (phase == Phase::kConnecting && InfoOffset(easy, CURLINFO_CONNECT_TIME_T) > 0) {
            phase = Phase::kConnected;
            post_status("Connected.");
        }
        if (!work_begun && !transfer->body.empty()) {
            work_begun = true;
            const int64_t maximum =
                std::max<int64_t>(0, InfoOffset(easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T));
            post([maximum](CurlTransfer& t) {
                if (t.events.work_begin) {
                    t.events.work_begin(maximum);
                }
            });
        }
        const size_t bytes = transfer->body.size();
        if (bytes != reported_bytes &&
            (running == 0 || Clock::now() - last_report >= kWorkReportEvery)) {
            reported_bytes = bytes;
            last_report = Clock::now();
            post([bytes](CurlTransfer& t) {
                if (t.events.work) {
                    t.events.work(static_cast<int64_t>(bytes));
                }
            });
        }
        if (running == 0) {
            int left = 0;
            if (CURLMsg* message = curl_multi_info_read(multi, &left)) {
                code = message->data.result;
            }
            break;
        }
        curl_multi_poll(multi, nullptr, 0, kPollMs, nullptr);
    }
    long status = 0;
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
    HttpResult result;
    result.ok = code == CURLE_OK && !transfer->cancelled;
    result.status = status;
    if (!result.ok) {
        result.error = ErrorText(code, *transfer, status);
    }
    curl_multi_remove_handle(multi, easy);
    curl_easy_cleanup(easy);
    if (transfer->cancelled) {
        return;
    }
    result.body = std::move(transfer->body);
    if (work_begun) {
        post([](CurlTransfer& t) {
            if (t.events.work_end) {
                t.events.work_end();
            }
        });
    }
    post_status("Disconnected.");
    post([result = std::move(result)](CurlTransfer& t) mutable {
        t.finished = true;
        if (t.events.done) {
            t.events.done(std::move(result));
        }
    });
}

}  // namespace saver
