#include "update/W3Client.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <utility>

namespace kestrova {

namespace {

void initialiseCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::string urlPart(CURLU* url, CURLUPart part) {
    char* text = nullptr;
    if (curl_url_get(url, part, &text, 0) != CURLUE_OK || text == nullptr) {
        return {};
    }
    std::string value(text);
    curl_free(text);
    return value;
}

// libcurl wants zero-terminated option texts.
std::string terminated(std::string_view text) {
    return std::string(text);
}

}  // namespace

struct W3Client::Handles {
    CURL* session = nullptr;
    CURLU* server = nullptr;  // the url last connected
    CURLU* target = nullptr;  // the url of the current request
    curl_slist* headers = nullptr;
    char detail[CURL_ERROR_SIZE] = {};
    bool bodyCut = false;
    std::size_t maxBodyBytes = 0;
    std::string* body = nullptr;
    std::stop_token stop;

    ~Handles() {
        curl_slist_free_all(headers);
        curl_easy_cleanup(session);
        curl_url_cleanup(target);
        curl_url_cleanup(server);
    }

    static std::size_t onBody(char* data, std::size_t, std::size_t count, void* self) {
        auto* handles = static_cast<Handles*>(self);
        const std::size_t room = handles->maxBodyBytes - handles->body->size();
        const std::size_t taken = std::min(count, room);
        handles->body->append(data, taken);
        // Taking less than offered ends the transfer; what we kept is the answer.
        handles->bodyCut = taken < count;
        return taken;
    }

    static int onProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
        return static_cast<Handles*>(self)->stop.stop_requested() ? 1 : 0;
    }
};

W3Client::W3Client() : W3Client(Limits{}) {}

W3Client::W3Client(Limits limits, std::stop_token stop) : limits_(limits), stop_(std::move(stop)) {}

W3Client::~W3Client() = default;

bool W3Client::fail(std::string text) {
    error_ = std::move(text);
    return false;
}

bool W3Client::connect(std::string_view url, std::string_view user, std::string_view password,
                       std::string_view agent) {
    close();
    error_.clear();
    initialiseCurlOnce();
    auto handles = std::make_unique<Handles>();
    handles->server = curl_url();
    handles->session = curl_easy_init();
    if (handles->server == nullptr || handles->session == nullptr) {
        return fail("open internet failed...");
    }
    if (curl_url_set(handles->server, CURLUPART_URL, terminated(url).c_str(), 0) != CURLUE_OK) {
        return fail("connect failed... (bad address)");
    }
    const std::string scheme = urlPart(handles->server, CURLUPART_SCHEME);
    if (scheme == "https") {
        scheme_ = Scheme::Https;
    } else if (scheme == "http") {
        scheme_ = Scheme::Http;
    } else if (scheme == "ftp") {
        scheme_ = Scheme::Ftp;
    } else {
        return fail("connect failed... (unsupported scheme)");
    }
    if (urlPart(handles->server, CURLUPART_HOST).empty()) {
        return fail("connect failed... (no host)");
    }

    CURL* session = handles->session;
    handles->maxBodyBytes = limits_.maxBodyBytes;
    handles->body = &body_;
    handles->stop = stop_;
    agent_ = agent;
    user_ = user;
    password_ = password;
    // Timeouts without signals: the check runs on a thread of its own.
    curl_easy_setopt(session, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(session, CURLOPT_ERRORBUFFER, handles->detail);
    curl_easy_setopt(session, CURLOPT_USERAGENT, agent_.c_str());
    curl_easy_setopt(session, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(limits_.connectTimeout.count()));
    curl_easy_setopt(session, CURLOPT_TIMEOUT_MS, static_cast<long>(limits_.totalTimeout.count()));
    curl_easy_setopt(session, CURLOPT_PROTOCOLS_STR, "http,https,ftp");
    curl_easy_setopt(session, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(session, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(session, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(session, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
    // An error page is not the answer that was asked for.
    curl_easy_setopt(session, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(session, CURLOPT_WRITEFUNCTION, &Handles::onBody);
    curl_easy_setopt(session, CURLOPT_WRITEDATA, handles.get());
    curl_easy_setopt(session, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(session, CURLOPT_XFERINFOFUNCTION, &Handles::onProgress);
    curl_easy_setopt(session, CURLOPT_XFERINFODATA, handles.get());
    if (!user_.empty()) {
        curl_easy_setopt(session, CURLOPT_USERNAME, user_.c_str());
    }
    if (!password_.empty()) {
        curl_easy_setopt(session, CURLOPT_PASSWORD, password_.c_str());
    }
    handles_ = std::move(handles);
    return true;
}

bool W3Client::request(std::string_view path, std::string_view referer) {
    error_.clear();
    if (!handles_) {
        return fail("handle not opened...");
    }
    requestOpen_ = false;
    body_.clear();
    bodyRead_ = 0;
    Handles& h = *handles_;
    // Only a path on the connected server; a full address here would leave it.
    CURLU* target = curl_url_dup(h.server);
    if (target == nullptr || path.empty() || path.front() != '/' ||
        curl_url_set(target, CURLUPART_URL, terminated(path).c_str(), 0) != CURLUE_OK) {
        curl_url_cleanup(target);
        return fail("request failed... (bad path)");
    }
    curl_easy_setopt(h.session, CURLOPT_CURLU, target);
    curl_url_cleanup(h.target);
    h.target = target;
    if (h.headers == nullptr) {
        h.headers = curl_slist_append(nullptr, "Accept: */*");
        if (h.headers == nullptr) {
            return fail("additional header failed...");
        }
        curl_easy_setopt(h.session, CURLOPT_HTTPHEADER, h.headers);
    }
    const std::string referrer(referer);
    curl_easy_setopt(h.session, CURLOPT_REFERER, referrer.empty() ? nullptr : referrer.c_str());
    h.detail[0] = '\0';
    h.bodyCut = false;
    const CURLcode result = curl_easy_perform(h.session);
    curl_easy_setopt(h.session, CURLOPT_REFERER, nullptr);
    if (result != CURLE_OK && !(result == CURLE_WRITE_ERROR && h.bodyCut)) {
        body_.clear();
        const char* why = h.detail[0] != '\0' ? h.detail : curl_easy_strerror(result);
        return fail(std::string("request failed... (") + why + ")");
    }
    requestOpen_ = true;
    return true;
}

std::size_t W3Client::read(std::span<char> buffer) {
    if (!requestOpen_) {
        fail("connection failed...");
        return 0;
    }
    const std::size_t count = std::min(buffer.size(), body_.size() - bodyRead_);
    if (count > 0) {
        std::memcpy(buffer.data(), body_.data() + bodyRead_, count);
        bodyRead_ += count;
    }
    return count;
}

void W3Client::close() {
    handles_.reset();
    requestOpen_ = false;
    body_.clear();
    bodyRead_ = 0;
}

}  // namespace kestrova
