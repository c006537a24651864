#include "online/HttpClient.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <optional>

namespace zestovar::online {
namespace {

constexpr long kSliceMs = 250;

// What one fetch collects from libcurl's callbacks.
struct Reply {
  std::string body;
  std::string statusLine;
  std::size_t maxBody = 0;
  std::uint64_t received = 0;  // headers and body
  bool tooLarge = false;
  std::chrono::steady_clock::time_point lastByte;
};

std::size_t onBody(char* data, std::size_t size, std::size_t count, void* user) {
  auto& reply = *static_cast<Reply*>(user);
  const std::size_t bytes = size * count;
  reply.lastByte = std::chrono::steady_clock::now();
  reply.received += bytes;
  if (reply.body.size() + bytes > reply.maxBody) {
    reply.tooLarge = true;
    return 0;  // ends the transfer
  }
  reply.body.append(data, bytes);
  return bytes;
}

std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* user) {
  auto& reply = *static_cast<Reply*>(user);
  const std::size_t bytes = size * count;
  reply.lastByte = std::chrono::steady_clock::now();
  reply.received += bytes;
  std::string_view line(data, bytes);
  if (line.starts_with("HTTP/")) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
    reply.statusLine = line;
  }
  return bytes;
}

struct HeaderList {
  curl_slist* list = nullptr;
  ~HeaderList() { curl_slist_free_all(list); }
  void add(const char* header) { list = curl_slist_append(list, header); }
};

bool isHttpAddress(std::string_view url) {
  constexpr std::string_view scheme = "http://";
  if (url.size() <= scheme.size()) return false;
  for (std::size_t i = 0; i < scheme.size(); ++i)
    if (static_cast<char>(std::tolower(static_cast<unsigned char>(url[i]))) != scheme[i]) return false;
  return true;
}

}  // namespace

PaceFloor::PaceFloor(const TransferLimits& limits, Clock::time_point start)
    : span_(limits.floorSpan), floor_(limits.floorBytes), marks_{{start, 0}} {}

bool PaceFloor::tooSlow(Clock::time_point now, std::uint64_t bytes) {
  if (span_ <= Clock::duration::zero() || floor_ == 0) return false;
  if (now - marks_.back().when >= span_ / 64) marks_.push_back({now, bytes});
  // The front becomes the last mark at or before the start of the span that ends now.
  while (marks_.size() > 1 && marks_[1].when <= now - span_) marks_.pop_front();
  return marks_.front().when <= now - span_ && bytes - marks_.front().bytes < floor_;
}

// One easy handle for the run: its cookie store lives as long as it.
struct HttpClient::Curl {
  CURL* easy = nullptr;
  CURLM* multi = nullptr;
  Curl() {
    curl_global_init(CURL_GLOBAL_DEFAULT);
    easy = curl_easy_init();
    multi = curl_multi_init();
    if (!easy || !multi) throw TransferError("libcurl kann nicht starten");
    curl_easy_setopt(easy, CURLOPT_COOKIEFILE, "");  // cookies in memory only
  }
  ~Curl() {
    curl_multi_cleanup(multi);
    curl_easy_cleanup(easy);
  }
};

HttpClient::HttpClient() : curl_(std::make_unique<Curl>()) {}

HttpClient::~HttpClient() = default;

std::string HttpClient::fetch(std::string_view url, std::size_t maxBody) {
  if (!isHttpAddress(url)) throw TransferError("Nur http-Adressen werden geholt: " + std::string(url));
  if (busy_)
    throw TransferError(
        "Es l\xC3\xA4uft schon eine \xC3\x9C"
        "bertragung");
  busy_ = true;
  aborted_ = false;
  struct Done {
    bool& busy;
    ~Done() { busy = false; }
  } done{busy_};

  CURL* easy = curl_->easy;
  Reply reply;
  reply.maxBody = maxBody;
  char errorText[CURL_ERROR_SIZE] = {};
  const std::string address(url);
  const bool viaProxy = !proxy.server.empty();

  // The request carries exactly these headers besides Host (and the proxy's credentials); an empty
  // "Accept:" would let libcurl add its own, so each default is replaced.
  HeaderList headers;
  headers.add("Accept: text/html, */*");
  headers.add("User-Agent: Mozilla/3.0 (compatible; Indy Library)");
  headers.add("Accept-Encoding: identity");
  headers.add(viaProxy ? "Proxy-Connection: keep-alive" : "Connection: keep-alive");
  const std::string proxyAddress = proxy.server + ":" + std::to_string(proxy.port);

  curl_easy_setopt(easy, CURLOPT_URL, address.c_str());
  curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_0);
  curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers.list);
  curl_easy_setopt(easy, CURLOPT_HEADEROPT, CURLHEADER_UNIFIED);
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http");
  curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(easy, CURLOPT_FRESH_CONNECT, 1L);
  curl_easy_setopt(easy, CURLOPT_FORBID_REUSE, 1L);
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connect.count()));
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, onBody);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, &reply);
  curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, onHeader);
  curl_easy_setopt(easy, CURLOPT_HEADERDATA, &reply);
  curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, errorText);
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  // The environment's proxy variables (http_proxy, NO_PROXY, ...) never count: only the dialog's.
  curl_easy_setopt(easy, CURLOPT_PROXY, viaProxy ? proxyAddress.c_str() : "");
  curl_easy_setopt(easy, CURLOPT_NOPROXY, "");
  curl_easy_setopt(easy, CURLOPT_PROXYTYPE, CURLPROXY_HTTP);
  if (viaProxy && proxy.basicAuthentication) {
    curl_easy_setopt(easy, CURLOPT_PROXYAUTH, CURLAUTH_BASIC);
    curl_easy_setopt(easy, CURLOPT_PROXYUSERNAME, proxy.user.c_str());
    curl_easy_setopt(easy, CURLOPT_PROXYPASSWORD, proxy.password.c_str());
  } else {
    curl_easy_setopt(easy, CURLOPT_PROXYUSERNAME, nullptr);
    curl_easy_setopt(easy, CURLOPT_PROXYPASSWORD, nullptr);
  }

  curl_multi_add_handle(curl_->multi, easy);
  struct Detach {
    CURLM* multi;
    CURL* easy;
    ~Detach() {
      curl_multi_remove_handle(multi, easy);
      curl_easy_setopt(easy, CURLOPT_HTTPHEADER, nullptr);
      curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, nullptr);
    }
  } detach{curl_->multi, easy};

  const auto start = std::chrono::steady_clock::now();
  reply.lastByte = start;
  std::optional<PaceFloor> pace;
  CURLcode result = CURLE_OK;
  for (;;) {
    int running = 0;
    curl_multi_perform(curl_->multi, &running);
    if (running == 0) {
      int left = 0;
      while (CURLMsg* message = curl_multi_info_read(curl_->multi, &left))
        if (message->msg == CURLMSG_DONE) result = message->data.result;
      break;
    }
    curl_multi_poll(curl_->multi, nullptr, 0, static_cast<int>(kSliceMs), nullptr);
    if (betweenSlices) betweenSlices();
    if (aborted_)
      throw TransferAborted(
          "Die \xC3\x9C"
          "bertragung wurde abgebrochen");
    // The connect time-out is libcurl's; from the connection on, the other side must keep sending,
    // and at a pace. libcurl's own low-speed limit is not used: it counts whole seconds and compares a
    // speed averaged over its last few seconds, not the bytes of the span.
    curl_off_t connectTime = 0;
    curl_easy_getinfo(easy, CURLINFO_CONNECT_TIME_T, &connectTime);
    const auto now = std::chrono::steady_clock::now();
    if (connectTime == 0) {
      reply.lastByte = now;
    } else {
      if (!pace) pace.emplace(limits, now);
      if (now - reply.lastByte > limits.stall || pace->tooSlow(now, reply.received))
        throw TransferError(
            "Zeit\xC3\xBC"
            "berschreitung: keine Daten von " +
            address);
    }
  }

  // A reply that is no success is named by its status line, also when its body went over the cap.
  long status = 0;
  curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
  if (status != 0 && (status < 200 || status > 299))
    throw TransferError(reply.statusLine.empty() ? "HTTP-Antwort " + std::to_string(status) : reply.statusLine);
  if (reply.tooLarge)
    throw TransferError("Die Antwort von " + address +
                        " ist gr\xC3\xB6\xC3\x9F"
                        "er als " +
                        std::to_string(maxBody) + " Bytes");
  if (result != CURLE_OK)
    throw TransferError(errorText[0] != '\0' ? std::string(errorText) : std::string(curl_easy_strerror(result)));
  return std::move(reply.body);
}

}  // namespace zestovar::online
