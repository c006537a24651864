// The HTTP client against a server on 127.0.0.1 that records the raw bytes of each request: direct and
// through a proxy, with and without credentials, cookies, redirects, errors, time-outs and senders that
// drip; the floor under a transfer's pace on its own.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <optional>

#include "TestHttpServer.h"
#include "online/HttpClient.h"
#include "store/Errors.h"

namespace zestovar::test {
namespace {

using namespace std::chrono_literals;
using online::HttpClient;
using online::TransferError;

std::string errorOf(HttpClient& client, const std::string& url, std::size_t cap = online::kMaxPageBytes) {
  try {
    client.fetch(url, cap);
  } catch (const TransferError& e) {
    return e.what();
  } catch (const store::Cancelled& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(HttpClient, DirectRequestHasExactlyItsHeadersAndTheBodyComesBackByteForByte) {
  const std::string body("Gulasch\r\nQuenna\r\n\0\xff\xe4", 20);
  TestHttpServer server([&](const std::string&) { return TestHttpServer::reply("200 OK", body); });
  // The environment's proxy variables never count.
  ::setenv("http_proxy", "http://127.0.0.1:9", 1);
  HttpClient client;
  EXPECT_EQ(client.fetch(server.url("/zestovar3/rezeptlist.htm"), online::kMaxPageBytes), body);
  ::unsetenv("http_proxy");
  ASSERT_EQ(server.requests().size(), 1u);
  EXPECT_EQ(server.requests()[0],
            "GET /zestovar3/rezeptlist.htm HTTP/1.0\r\n"
            "Host: 127.0.0.1:" +
                std::to_string(server.port()) +
                "\r\n"
                "Accept: text/html, */*\r\n"
                "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"
                "Accept-Encoding: identity\r\n"
                "Connection: keep-alive\r\n\r\n");
}

TEST(HttpClient, CookiesComeBackAndEveryFetchOpensItsOwnConnection) {
  TestHttpServer server([](const std::string& request) {
    const bool first = request.find("Cookie:") == std::string::npos;
    return TestHttpServer::reply("200 OK", first ? "eins" : "zwei",
                                 first ? "Set-Cookie: sitzung=42; Path=/\r\nConnection: keep-alive\r\n" : "");
  });
  HttpClient client;
  EXPECT_EQ(client.fetch(server.url("/a"), 100), "eins");
  EXPECT_EQ(client.fetch(server.url("/b"), 100), "zwei");
  ASSERT_EQ(server.requests().size(), 2u);
  EXPECT_NE(server.requests()[1].find("\r\nCookie: sitzung=42\r\n"), std::string::npos) << server.requests()[1];
  EXPECT_EQ(server.connections(), 2);
}

TEST(HttpClient, ThroughAProxyTheAddressStandsWholeAndCredentialsGoOnlyWithAPassword) {
  TestHttpServer proxy([](const std::string&) { return TestHttpServer::reply("200 OK", "durch"); });
  HttpClient client;
  client.proxy = {"K\xf6\x63h", "geheim", "127.0.0.1", proxy.port(), true};
  EXPECT_EQ(client.fetch("http://rezepte.invalid/zestovar3/rezeptlist.htm", 100), "durch");
  client.proxy = {"", "nur", "127.0.0.1", proxy.port(), true};
  client.fetch("http://rezepte.invalid/x", 100);
  client.proxy = {"Koch", "", "127.0.0.1", proxy.port(), false};
  client.fetch("http://rezepte.invalid/y", 100);
  const auto requests = proxy.requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0],
            "GET http://rezepte.invalid/zestovar3/rezeptlist.htm HTTP/1.0\r\n"
            "Host: rezepte.invalid\r\n"
            "Proxy-Authorization: Basic S/ZjaDpnZWhlaW0=\r\n"
            "Accept: text/html, */*\r\n"
            "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"
            "Accept-Encoding: identity\r\n"
            "Proxy-Connection: keep-alive\r\n\r\n");
  EXPECT_NE(requests[1].find("Proxy-Authorization: Basic Om51cg==\r\n"), std::string::npos) << requests[1];
  EXPECT_EQ(requests[2].find("Proxy-Authorization"), std::string::npos) << requests[2];
}

TEST(HttpClient, EveryReplyOtherThanSuccessAndEverySocketFaultIsAnError) {
  TestHttpServer server([](const std::string& request) -> std::optional<std::string> {
    if (request.starts_with("GET /weiter ")) return TestHttpServer::reply("302 Found", "", "Location: /ziel\r\n");
    if (request.starts_with("GET /fehlt ")) return TestHttpServer::reply("404 Not Found", "<html>weg</html>");
    if (request.starts_with("GET /gross ")) return TestHttpServer::reply("200 OK", std::string(5000, 'x'));
    if (request.starts_with("GET /still ")) return std::nullopt;
    return TestHttpServer::reply("200 OK", "ziel");
  });
  HttpClient client;
  client.limits = {500ms, 400ms, 60s, 1024};
  int slices = 0;
  client.betweenSlices = [&] { ++slices; };
  EXPECT_EQ(errorOf(client, server.url("/weiter")), "HTTP/1.0 302 Found");
  EXPECT_EQ(server.requests().size(), 1u);  // the redirect is not followed
  EXPECT_EQ(errorOf(client, server.url("/fehlt")), "HTTP/1.0 404 Not Found");
  EXPECT_NE(errorOf(client, server.url("/gross"), 4096).find("4096 Bytes"), std::string::npos);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_NE(errorOf(client, server.url("/still")).find("Zeitüberschreitung"), std::string::npos);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
  EXPECT_GE(slices, 2);  // the wait went in slices, with the hook between them
  EXPECT_NE(errorOf(client, "http://127.0.0.1:1/zu"), "(no error)");
  EXPECT_EQ(errorOf(client, "ftp://127.0.0.1/x"), "Nur http-Adressen werden geholt: ftp://127.0.0.1/x");
  EXPECT_EQ(errorOf(client, "file:///etc/passwd"), "Nur http-Adressen werden geholt: file:///etc/passwd");
  EXPECT_EQ(client.fetch(server.url("/ziel"), 100), "ziel");
}

TEST(HttpClient, ASenderThatDripsTimesOutAndOneAtThePaceOfTheFloorIsTaken) {
  const std::string body(6000, 'r');
  TestHttpServer server([&](const std::string&) { return TestHttpServer::reply("200 OK", body); });
  HttpClient client;
  // A byte every 10 ms never lets the 400 ms without data pass, but brings far less than 1 KiB in 800 ms.
  client.limits = {500ms, 400ms, 800ms, 1024};
  server.pace(1, 10ms);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(errorOf(client, server.url("/tropfen")), "Zeitüberschreitung: keine Daten von " + server.url("/tropfen"));
  EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
  // 400 bytes every 100 ms: the reply takes about twice the span, and every span brings enough.
  server.pace(400, 100ms);
  EXPECT_EQ(client.fetch(server.url("/zuegig"), online::kMaxPageBytes), body);
}

TEST(PaceFloor, ItCountsTheBytesOfTheSpanJustPast) {
  using online::PaceFloor;
  using namespace std::chrono;
  const PaceFloor::Clock::time_point t0{};
  // When the floor first says "too slow", in slices of 250 ms, for bytes(ms) moved by then.
  const auto slowAt = [&](auto bytes) -> std::optional<milliseconds> {
    PaceFloor floor(online::TransferLimits{}, t0);
    for (milliseconds t = 250ms; t <= 300s; t += 250ms)
      if (floor.tooSlow(t0 + t, bytes(t.count()))) return t;
    return std::nullopt;
  };
  // 17 bytes a second are 1,020 bytes a minute, 18 are 1,080.
  EXPECT_EQ(slowAt([](std::int64_t ms) { return static_cast<std::uint64_t>(ms * 17 / 1000); }), 60s);
  EXPECT_EQ(slowAt([](std::int64_t ms) { return static_cast<std::uint64_t>(ms * 18 / 1000); }), std::nullopt);
  // 4 KiB at once, then a byte every 30 s: the span after the 4 KiB counts, not the minute they fell in.
  const auto burst = slowAt([](std::int64_t ms) { return static_cast<std::uint64_t>(4096 + ms / 30000); });
  ASSERT_TRUE(burst);
  EXPECT_GE(*burst, 60s);
  EXPECT_LE(*burst, 62s);
}

TEST(HttpClient, AbortEndsTheWaitAndASecondFetchInsideTheWaitIsRefused) {
  TestHttpServer server([](const std::string&) -> std::optional<std::string> { return std::nullopt; });
  HttpClient client;
  std::string inner;
  client.betweenSlices = [&] {
    inner = errorOf(client, server.url("/zweiter"));
    client.abort();
  };
  EXPECT_EQ(errorOf(client, server.url("/erster")), kTransferAborted);
  EXPECT_EQ(inner, kTransferRunning);
  EXPECT_FALSE(client.busy());
}

}  // namespace
}  // namespace zestovar::test
