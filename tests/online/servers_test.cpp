// The HTTP client against real servers started here on 127.0.0.1: the demo site of the build served by
// a static web server, and tinyproxy asking for Basic credentials.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "LocalServers.h"
#include "StoreFixtures.h"
#include "TestHttpServer.h"
#include "online/Download.h"
#include "online/HttpClient.h"
#include "online/ListPage.h"

namespace zestovar::test {
namespace {

using namespace std::chrono_literals;

TEST(Servers, TheDemoSiteOffersRecipesThatWalkAsWholeEntries) {
  const int port = freePort();
  ServerProcess web(
      {"python3", "-m", "http.server", "--bind", "127.0.0.1", "--directory", ZESTOVAR_SITE_DIR, std::to_string(port)},
      port);
  ASSERT_TRUE(web.started()) << "python3 -m http.server did not start";
  online::HttpClient client;
  const std::string site = "http://127.0.0.1:" + std::to_string(port);
  const auto offer = online::parseListPage(client.fetch(site + std::string(online::kListPagePath), 1 << 20));
  ASSERT_GE(offer.size(), 10u);
  for (const auto& record : offer) {
    SCOPED_TRACE(record.name);
    EXPECT_EQ(online::compareDates(record.date, record.date), 0);
    // The site was built for the build's address; the same path is fetched from this server.
    const std::string path = record.address.substr(record.address.find("/zestovar3/"));
    const std::string body = client.fetch(site + path, online::kMaxRecipeBytes);
    EXPECT_EQ(online::checkedDownload(body + "\r\n").size(), body.size());
  }
  EXPECT_NE(client.fetch(site + std::string(online::kNewsPagePath), 1 << 20).find("http://"), std::string::npos);
}

TEST(Servers, TinyproxyLetsThroughOnlyWithItsCredentials) {
  TestHttpServer origin([](const std::string&) { return TestHttpServer::reply("200 OK", "Rezeptliste"); });
  const int port = freePort();
  TempDir dir;
  std::ofstream(dir / "tinyproxy.conf") << "Port " << port << "\nListen 127.0.0.1\nTimeout 10\nMaxClients 5\n"
                                        << "Allow 127.0.0.1\nBasicAuth koch geheim\nLogLevel Critical\n";
  ServerProcess proxy({"tinyproxy", "-d", "-c", (dir / "tinyproxy.conf").string()}, port);
  ASSERT_TRUE(proxy.started()) << "tinyproxy did not start";

  online::HttpClient client;
  client.proxy = {"koch", "geheim", "127.0.0.1", port, true};
  EXPECT_EQ(client.fetch(origin.url("/zestovar3/rezeptlist.htm"), 100), "Rezeptliste");
  ASSERT_EQ(origin.requests().size(), 1u);
  EXPECT_EQ(origin.requests()[0].find("Proxy-Authorization"), std::string::npos);  // the proxy keeps it

  for (const online::ProxySettings& wrong : {online::ProxySettings{"koch", "falsch", "127.0.0.1", port, true},
                                             online::ProxySettings{"", "", "127.0.0.1", port, false}}) {
    client.proxy = wrong;
    try {
      client.fetch(origin.url("/zestovar3/rezeptlist.htm"), 100);
      ADD_FAILURE() << "no error";
    } catch (const online::TransferError& e) {
      // tinyproxy answers "401 Unauthorized"; the error is its status line.
      EXPECT_TRUE(std::string(e.what()).starts_with("HTTP/1.0 40")) << e.what();
    }
  }
  EXPECT_EQ(origin.requests().size(), 1u);
}

}  // namespace
}  // namespace zestovar::test
