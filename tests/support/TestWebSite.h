// A recipe site for the tests: tests/support/web_server.py (Python's static web server) serving a
// folder of the test on 127.0.0.1, over https when the test asks, with a certificate made by openssl
// for 127.0.0.1 alone; /umleitung/REST redirects to /REST.
#pragma once

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "LocalServers.h"
#include "StoreFixtures.h"

namespace zestovar::test {

class TestWebSite {
 public:
  enum class Scheme { Http, Https };

  explicit TestWebSite(Scheme scheme = Scheme::Http)
      : scheme_(scheme),
        https_(scheme == Scheme::Https && makeCertificate()),
        port_(freePort()),
        server_(arguments()) {}

  bool started() const { return server_.started() && https_ == (scheme_ == Scheme::Https); }
  // A file of the site.
  void put(std::string_view name, std::string_view bytes) const {
    std::filesystem::create_directories((folder_ / name).parent_path());
    folder_.write(name, bytes);
  }
  std::string url(std::string_view path) const {
    return (https_ ? "https://127.0.0.1:" : "http://127.0.0.1:") + std::to_string(port_) + std::string(path);
  }
  // The certificate a client must trust for the https site.
  std::string certificate() const { return (keys_ / "cert.pem").string(); }

 private:
  bool makeCertificate() const {
    const std::string command =
        "openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=127.0.0.1 "
        "-addext subjectAltName=IP:127.0.0.1 -keyout '" +
        (keys_ / "key.pem").string() + "' -out '" + certificate() + "' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
  }
  ServerProcess arguments() const {
    std::vector<std::string> args{"python3", ZESTOVAR_WEB_SERVER, folder_.path().string(), std::to_string(port_)};
    if (https_) {
      args.push_back(certificate());
      args.push_back((keys_ / "key.pem").string());
    }
    return ServerProcess(std::move(args), port_);
  }

  Scheme scheme_;
  TempDir keys_;
  TempDir folder_;
  bool https_;
  int port_;
  ServerProcess server_;
};

}  // namespace zestovar::test
