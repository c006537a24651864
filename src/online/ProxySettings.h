// The proxy settings and their file "Proxy.cfg": user name, password, server and port, one a line.
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "online/HttpClient.h"
#include "store/FileIo.h"

namespace zestovar::online {

// A port that cannot be applied; the message is UTF-8, for a message box.
class PortError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The port as typed: a whole number (otherwise "'...' ist kein gültiger Integerwert") from 1 to 65535
// (otherwise "Bitte einen gültigen Port (1-65535) eingeben.").
int checkedPort(std::string_view text);

// The settings the four lines of the dialog or of "Proxy.cfg" give (Windows-1252): basic
// authentication is on exactly when the password is not empty. Throws PortError.
ProxySettings proxySettings(const std::vector<std::string>& lines);

// The settings of "Proxy.cfg" at start-up; none for a file of fewer than four lines or with a port
// that cannot be applied, which is ignored so the program always starts.
std::optional<ProxySettings> loadedProxySettings(const std::vector<std::string>& fileLines);

// Start-up: gives the client the settings of "Proxy.cfg" in the program directory, when it holds valid
// ones; without the file requests go direct.
void loadProxySettings(HttpClient& http, store::Files& files, const std::filesystem::path& dir);

}  // namespace zestovar::online
