// The proxy settings: the port check, the flag that follows the password, "Proxy.cfg" at start-up.
#include <gtest/gtest.h>

#include "StoreFixtures.h"
#include "online/ProxySettings.h"

namespace zestovar::test {
namespace {

using online::PortError;

std::string portError(const std::string& text) {
  try {
    online::checkedPort(text);
  } catch (const PortError& e) {
    return e.what();
  }
  return "(none)";
}

TEST(ProxySettings, PortIsAWholeNumberFromOneTo65535) {
  EXPECT_EQ(online::checkedPort("8080"), 8080);
  EXPECT_EQ(online::checkedPort(" 3128"), 3128);
  EXPECT_EQ(online::checkedPort("65535"), 65535);
  EXPECT_EQ(portError(""), "'' ist kein g\xC3\xBCltiger Integerwert");
  EXPECT_EQ(portError("80a"), "'80a' ist kein g\xC3\xBCltiger Integerwert");
  for (const char* bad : {"0", "-1", "65536", "99999"})
    EXPECT_EQ(portError(bad), "Bitte einen g\xC3\xBCltigen Port (1-65535) eingeben.") << bad;
}

TEST(ProxySettings, BasicAuthenticationFollowsThePassword) {
  auto settings = online::proxySettings({"koch", "geheim", "proxy.invalid", "3128"});
  EXPECT_EQ(settings.server, "proxy.invalid");
  EXPECT_EQ(settings.port, 3128);
  EXPECT_TRUE(settings.basicAuthentication);
  EXPECT_FALSE(online::proxySettings({"koch", "", "proxy.invalid", "3128"}).basicAuthentication);
  EXPECT_TRUE(online::proxySettings({"", "nur", "", "1"}).basicAuthentication);
}

TEST(ProxySettings, StartUpAppliesAValidFileAndIgnoresAnyOther) {
  for (const auto& [file, applied] :
       std::vector<std::pair<std::string, bool>>{{"koch\r\ngeheim\r\nproxy.invalid\r\n3128\r\n", true},
                                                 {"koch\r\ngeheim\r\nproxy.invalid\r\n", false},
                                                 {"koch\r\ngeheim\r\nproxy.invalid\r\nacht\r\n", false},
                                                 {"koch\r\ngeheim\r\nproxy.invalid\r\n70000\r\n", false},
                                                 {"", false}}) {
    SCOPED_TRACE(file);
    MemoryDir dir;
    if (!file.empty()) dir.write("Proxy.cfg", file);
    online::HttpClient http;
    online::loadProxySettings(http, *dir.files(), dir.path());
    EXPECT_EQ(http.proxy.server, applied ? "proxy.invalid" : "");
    EXPECT_EQ(http.proxy.basicAuthentication, applied);
  }
}

}  // namespace
}  // namespace zestovar::test
