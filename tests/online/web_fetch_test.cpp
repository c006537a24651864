// The web profile of the HTTP client: the addresses it takes, redirects and their limit, the final
// address and Content-Type it hands back, its caps, and https against a certificate the test makes.
#include <gtest/gtest.h>

#include <optional>

#include "TestHttpServer.h"
#include "TestWebSite.h"
#include "online/HttpClient.h"

namespace zestovar::test {
namespace {

using online::HttpClient;
using online::TransferError;

std::string webError(HttpClient& client, const std::string& url, std::size_t cap = online::kMaxWebPageBytes) {
  try {
    client.fetchWeb(url, cap);
  } catch (const TransferError& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(WebAddress, AnAddressWithoutSchemeGetsHttpsAndOnlyHttpAndHttpsPass) {
  const std::pair<std::string, std::string> taken[] = {
      {"rezepte.example/kuchen", "https://rezepte.example/kuchen"},
      {"  http://rezepte.example/a?b=1#c \n", "http://rezepte.example/a?b=1#c"},
      {"HTTPS://Rezepte.example", "HTTPS://Rezepte.example"},
      {"localhost:8080/suppe", "https://localhost:8080/suppe"},
  };
  for (const auto& [typed, address] : taken) EXPECT_EQ(online::webAddress(typed), address) << typed;
  for (const std::string refused : {"ftp://rezepte.example/x", "file:///etc/passwd", "javascript:alert(1)",
                                    "data:text/html,<b>x</b>", "gopher://x"}) {
    try {
      online::webAddress(refused);
      ADD_FAILURE() << refused;
    } catch (const TransferError& e) {
      EXPECT_EQ(std::string(e.what()), "Nur http- und https-Adressen werden geholt: " + refused);
    }
  }
  EXPECT_THROW(online::webAddress("  "), TransferError);
}

TEST(WebFetch, RedirectsAreFollowedUpToFiveAndTheFinalAddressAndTypeComeBack) {
  TestHttpServer server([](const std::string& request) -> std::optional<std::string> {
    if (request.starts_with("GET /ftp ")) return TestHttpServer::reply("302 Found", "", "Location: ftp://x/\r\n");
    // /N redirects to /N-1; /0 is the page.
    const int n = std::stoi(request.substr(5));
    if (n > 0) return TestHttpServer::reply("301 Moved", "", "Location: /" + std::to_string(n - 1) + "\r\n");
    return TestHttpServer::reply("200 OK", "<html>Seite</html>", "Content-Type: text/html; charset=ISO-8859-1\r\n");
  });
  HttpClient client;
  const online::WebReply reply = client.fetchWeb(server.url("/5"), online::kMaxWebPageBytes);
  EXPECT_EQ(reply.body, "<html>Seite</html>");
  EXPECT_EQ(reply.address, server.url("/0"));
  EXPECT_EQ(reply.contentType, "text/html; charset=ISO-8859-1");
  EXPECT_EQ(webError(client, server.url("/6")), "Mehr als 5 Weiterleitungen von " + server.url("/6"));
  EXPECT_EQ(webError(client, server.url("/ftp")),
            "Nur http- und https-Adressen werden geholt: Weiterleitung von " + server.url("/ftp"));
  EXPECT_NE(webError(client, server.url("/0"), 10).find("größer als 10 Bytes"), std::string::npos);
  EXPECT_FALSE(client.busy());
}

TEST(WebFetch, HttpsIsCheckedAgainstTheCertificatesGivenAndAMissingPageIsAnError) {
  TestWebSite site(TestWebSite::Scheme::Https);
  ASSERT_TRUE(site.started()) << "openssl or web_server.py did not start";
  site.put("rezept.html", "<html>sicher</html>");
  HttpClient client;
  // The system's certificates do not know the test's own.
  EXPECT_NE(webError(client, site.url("/rezept.html")), "(no error)");
  client.caFile = site.certificate();
  const online::WebReply reply = client.fetchWeb(site.url("/umleitung/rezept.html"), online::kMaxWebPageBytes);
  EXPECT_EQ(reply.body, "<html>sicher</html>");
  EXPECT_EQ(reply.address, site.url("/rezept.html"));
  EXPECT_EQ(reply.contentType, "text/html");
  EXPECT_NE(webError(client, site.url("/fehlt.html")).find("404"), std::string::npos);
}

}  // namespace
}  // namespace zestovar::test
