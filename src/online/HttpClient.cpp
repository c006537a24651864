#include "online/HttpClient.h"

#include <curl/curl.h>

#include <cctype>
#include <chrono>
#include <optional>

namespace zestovar::online {
namespace {

constexpr long kSliceMs = 250;

void check(CURLcode code) {
  if (code != CURLE_OK) throw TransferError(curl_easy_strerror(code));
}

void check(CURLMcode code) {
  if (code != CURLM_OK) throw TransferError(curl_multi_strerror(code));
}

template <typename Value>
void set(CURL* easy, CURLoption option, Value value) {
  check(curl_easy_setopt(easy, option, value));
}

bool startsWithFolded(std::string_view text, std::string_view lowerPrefix) {
  if (text.size() < lowerPrefix.size()) return false;
  for (std::size_t i = 0; i < lowerPrefix.size(); ++i)
    if (static_cast<char>(std::tolower(static_cast<unsigned char>(text[i]))) != lowerPrefix[i]) return false;
  return true;
}

bool isHttpAddress(std::string_view url) { return url.size() > 7 && startsWithFolded(url, "http://"); }

// The scheme of an address as RFC 3986 spells one (a letter, then letters, digits, "+", "-", "."),
// followed by ":". What a port follows ("localhost:8080/x", "rezepte.example:443") is a host.
std::optional<std::string_view> schemeOf(std::string_view address) {
  const std::size_t colon = address.find(':');
  if (colon == std::string_view::npos || colon == 0) return std::nullopt;
  const std::string_view scheme = address.substr(0, colon);
  if (!std::isalpha(static_cast<unsigned char>(scheme[0]))) return std::nullopt;
  for (const char c : scheme)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.') return std::nullopt;
  const std::string_view rest = address.substr(colon + 1);
  if (!rest.starts_with("//") && !rest.empty() && std::isdigit(static_cast<unsigned char>(rest[0])))
    return std::nullopt;
  return scheme;
}

// A handle keeps pointers into a fetch's reply: they are taken back before the reply goes, whatever
// ended the fetch.
struct Detach {
  CURLM* multi;
  CURL* easy;
  bool added = false;
  ~Detach() {
    if (added) curl_multi_remove_handle(multi, easy);
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, nullptr);
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, nullptr);
  }
};

// The easy handle of one web fetch; its cookies go with it.
struct EasyHandle {
  CURL* easy = curl_easy_init();
  EasyHandle() {
    if (!easy || curl_easy_setopt(easy, CURLOPT_COOKIEFILE, "") != CURLE_OK) {
      curl_easy_cleanup(easy);
      throw TransferError("libcurl kann nicht starten");
    }
  }
  ~EasyHandle() { curl_easy_cleanup(easy); }
  EasyHandle(const EasyHandle&) = delete;
  EasyHandle& operator=(const EasyHandle&) = delete;
};

}  // namespace

// One easy handle for the run: its cookie store lives as long as it.
struct HttpClient::Curl {
  CURL* easy = nullptr;
  CURLM* multi = nullptr;
  Curl() : easy(curl_easy_init()), multi(curl_multi_init()) {
    // Cookies are kept in memory only.
    if (!easy || !multi || curl_easy_setopt(easy, CURLOPT_COOKIEFILE, "") != CURLE_OK) {
      release();
      throw TransferError("libcurl kann nicht starten");
    }
  }
  ~Curl() { release(); }
  void release() {
    curl_multi_cleanup(multi);
    curl_easy_cleanup(easy);
  }
};

// What one fetch hands to libcurl and collects from its callbacks; it outlives the handle's use of it.
struct HttpClient::Reply {
  std::string body;
  std::string statusLine;
  std::size_t maxBody = 0;
  std::uint64_t received = 0;  // headers and body
  bool tooLarge = false;
  std::chrono::steady_clock::time_point lastByte;
  CURLcode result = CURLE_OK;
  char errorText[CURL_ERROR_SIZE] = {};
  curl_slist* headers = nullptr;

  Reply() = default;
  Reply(const Reply&) = delete;
  Reply& operator=(const Reply&) = delete;
  ~Reply() { curl_slist_free_all(headers); }

  void addHeader(const char* header) {
    curl_slist* longer = curl_slist_append(headers, header);
    if (!longer) throw TransferError(curl_easy_strerror(CURLE_OUT_OF_MEMORY));
    headers = longer;
  }

  static std::size_t onBody(char* data, std::size_t size, std::size_t count, void* user) {
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

  static std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* user) {
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
};

HttpClient::HttpClient() {
  check(curl_global_init(CURL_GLOBAL_DEFAULT));
  curl_ = std::make_unique<Curl>();
}

HttpClient::~HttpClient() = default;

std::string webAddress(std::string_view typed) {
  typed = typed.substr(std::min(typed.size(), typed.find_first_not_of(" \t\r\n")));
  typed = typed.substr(0, typed.find_last_not_of(" \t\r\n") + 1);
  if (typed.empty()) throw TransferError("Keine Adresse angegeben");
  const std::optional<std::string_view> scheme = schemeOf(typed);
  if (!scheme) return "https://" + std::string(typed);
  if (startsWithFolded(typed, "http://") || startsWithFolded(typed, "https://")) return std::string(typed);
  throw TransferError("Nur http- und https-Adressen werden geholt: " + std::string(typed));
}

std::string HttpClient::fetch(std::string_view url, std::size_t maxBody) {
  if (!isHttpAddress(url)) throw TransferError("Nur http-Adressen werden geholt: " + std::string(url));
  const TransferGuard::Running running(guard_);
  const std::string address(url);
  Reply reply;
  reply.maxBody = maxBody;
  Detach detach{curl_->multi, curl_->easy};
  setUp(address, reply);
  check(curl_multi_add_handle(curl_->multi, curl_->easy));
  detach.added = true;
  wait(curl_->easy, address, reply);
  return result(curl_->easy, address, reply);
}

WebReply HttpClient::fetchWeb(std::string_view typed, std::size_t maxBody,
                              const std::function<void()>& alsoBetweenSlices) {
  const std::string address = webAddress(typed);
  const TransferGuard::Running running(guard_);
  alsoBetweenSlices_ = &alsoBetweenSlices;
  struct Forget {
    const std::function<void()>*& hook;
    ~Forget() { hook = nullptr; }
  } forget{alsoBetweenSlices_};
  const EasyHandle handle;
  Reply reply;
  reply.maxBody = maxBody;
  Detach detach{curl_->multi, handle.easy};
  setUpWeb(handle.easy, address, reply);
  check(curl_multi_add_handle(curl_->multi, handle.easy));
  detach.added = true;
  wait(handle.easy, address, reply);
  WebReply web;
  web.body = result(handle.easy, address, reply);
  const char* text = nullptr;
  if (curl_easy_getinfo(handle.easy, CURLINFO_EFFECTIVE_URL, &text) == CURLE_OK && text) web.address = text;
  if (web.address.empty()) web.address = address;
  text = nullptr;
  if (curl_easy_getinfo(handle.easy, CURLINFO_CONTENT_TYPE, &text) == CURLE_OK && text) web.contentType = text;
  return web;
}

void HttpClient::setUp(const std::string& address, Reply& reply) {
  CURL* easy = curl_->easy;
  const bool viaProxy = !proxy.server.empty();
  // The request carries exactly these headers besides Host (and the proxy's credentials); an empty
  // "Accept:" would let libcurl add its own, so each default is replaced.
  reply.addHeader("Accept: text/html, */*");
  reply.addHeader("User-Agent: Mozilla/3.0 (compatible; Indy Library)");
  reply.addHeader("Accept-Encoding: identity");
  reply.addHeader(viaProxy ? "Proxy-Connection: keep-alive" : "Connection: keep-alive");
  setTransfer(easy, reply);
  set(easy, CURLOPT_URL, address.c_str());
  set(easy, CURLOPT_HTTP_VERSION, long{CURL_HTTP_VERSION_1_0});
  set(easy, CURLOPT_HTTPHEADER, reply.headers);
  set(easy, CURLOPT_HEADEROPT, long{CURLHEADER_UNIFIED});
  set(easy, CURLOPT_PROTOCOLS_STR, "http");
  set(easy, CURLOPT_FOLLOWLOCATION, 0L);
  set(easy, CURLOPT_FRESH_CONNECT, 1L);
  set(easy, CURLOPT_FORBID_REUSE, 1L);
  setProxy(easy);
}

void HttpClient::setUpWeb(void* easy, const std::string& address, Reply& reply) {
  // Recipe sites answer what a browser gets; a compressed reply counts against the cap as it unpacks.
  reply.addHeader("Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8");
  reply.addHeader("Accept-Language: de,en;q=0.7");
  reply.addHeader("User-Agent: Mozilla/5.0 (X11; Linux x86_64) Zestovar/3.0");
  setTransfer(easy, reply);
  set(easy, CURLOPT_URL, address.c_str());
  set(easy, CURLOPT_HTTPHEADER, reply.headers);
  set(easy, CURLOPT_ACCEPT_ENCODING, "");
  set(easy, CURLOPT_PROTOCOLS_STR, "http,https");
  set(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  set(easy, CURLOPT_FOLLOWLOCATION, 1L);
  set(easy, CURLOPT_MAXREDIRS, kMaxRedirects);
  set(easy, CURLOPT_SSL_VERIFYPEER, 1L);
  set(easy, CURLOPT_SSL_VERIFYHOST, 2L);
  if (!caFile.empty()) set(easy, CURLOPT_CAINFO, caFile.c_str());
  setProxy(easy);
}

void HttpClient::setTransfer(void* easy, Reply& reply) {
  set(easy, CURLOPT_ERRORBUFFER, reply.errorText);
  set(easy, CURLOPT_HTTPGET, 1L);
  set(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connect.count()));
  set(easy, CURLOPT_WRITEFUNCTION, &Reply::onBody);
  set(easy, CURLOPT_WRITEDATA, &reply);
  set(easy, CURLOPT_HEADERFUNCTION, &Reply::onHeader);
  set(easy, CURLOPT_HEADERDATA, &reply);
  set(easy, CURLOPT_NOSIGNAL, 1L);
}

void HttpClient::setProxy(void* easy) {
  const bool viaProxy = !proxy.server.empty();
  const std::string proxyAddress = proxy.server + ":" + std::to_string(proxy.port);
  // The environment's proxy variables (http_proxy, NO_PROXY, ...) never count: only the dialog's.
  set(easy, CURLOPT_PROXY, viaProxy ? proxyAddress.c_str() : "");
  set(easy, CURLOPT_NOPROXY, "");
  set(easy, CURLOPT_PROXYTYPE, long{CURLPROXY_HTTP});
  const bool credentials = viaProxy && proxy.basicAuthentication;
  if (credentials) set(easy, CURLOPT_PROXYAUTH, CURLAUTH_BASIC);
  set(easy, CURLOPT_PROXYUSERNAME, credentials ? proxy.user.c_str() : nullptr);
  set(easy, CURLOPT_PROXYPASSWORD, credentials ? proxy.password.c_str() : nullptr);
}

void HttpClient::wait(void* easy, const std::string& address, Reply& reply) {
  const auto start = std::chrono::steady_clock::now();
  reply.lastByte = start;
  std::optional<PaceFloor> pace;
  for (;;) {
    int running = 0;
    check(curl_multi_perform(curl_->multi, &running));
    if (running == 0) {
      int left = 0;
      while (CURLMsg* message = curl_multi_info_read(curl_->multi, &left))
        if (message->msg == CURLMSG_DONE) reply.result = message->data.result;
      return;
    }
    check(curl_multi_poll(curl_->multi, nullptr, 0, static_cast<int>(kSliceMs), nullptr));
    if (betweenSlices) betweenSlices();
    if (alsoBetweenSlices_ && *alsoBetweenSlices_) (*alsoBetweenSlices_)();
    guard_.endOfSlice();
    // The connect time-out is libcurl's; from the connection on, the other side must keep sending,
    // and at a pace. libcurl's own low-speed limit is not used: it counts whole seconds and compares a
    // speed averaged over its last few seconds, not the bytes of the span.
    curl_off_t connectTime = 0;
    check(curl_easy_getinfo(easy, CURLINFO_CONNECT_TIME_T, &connectTime));
    const auto now = std::chrono::steady_clock::now();
    if (connectTime == 0) {
      reply.lastByte = now;
    } else {
      if (!pace) pace.emplace(limits, now);
      if (now - reply.lastByte > limits.stall || pace->tooSlow(now, reply.received))
        throw TransferError("Zeitüberschreitung: keine Daten von " + address);
    }
  }
}

std::string HttpClient::result(void* easy, const std::string& address, Reply& reply) const {
  // Redirects end in the last reply, which is one more redirect when they went on too long or led
  // to an address of another kind.
  if (reply.result == CURLE_TOO_MANY_REDIRECTS)
    throw TransferError("Mehr als " + std::to_string(kMaxRedirects) + " Weiterleitungen von " + address);
  if (reply.result == CURLE_UNSUPPORTED_PROTOCOL)
    throw TransferError("Nur http- und https-Adressen werden geholt: Weiterleitung von " + address);
  // A reply that is no success is named by its status line, also when its body went over the cap.
  long status = 0;
  check(curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status));
  if (status != 0 && (status < 200 || status > 299))
    throw TransferError(reply.statusLine.empty() ? "HTTP-Antwort " + std::to_string(status) : reply.statusLine);
  if (reply.tooLarge)
    throw TransferError("Die Antwort von " + address + " ist größer als " + std::to_string(reply.maxBody) + " Bytes");
  if (reply.result != CURLE_OK)
    throw TransferError(reply.errorText[0] != '\0' ? std::string(reply.errorText)
                                                   : std::string(curl_easy_strerror(reply.result)));
  return std::move(reply.body);
}

}  // namespace zestovar::online
