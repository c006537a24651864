#include "online/ProxySettings.h"

#include "store/Errors.h"
#include "store/SideFile.h"

namespace zestovar::online {

int checkedPort(std::string_view text) {
  int port = 0;
  try {
    port = store::toInteger(text);
  } catch (const store::StoreError& e) {
    throw PortError(e.what());
  }
  if (port < 1 || port > 65535) throw PortError("Bitte einen gültigen Port (1-65535) eingeben.");
  return port;
}

ProxySettings proxySettings(const std::vector<std::string>& lines) {
  ProxySettings settings;
  if (lines.size() < 4) throw PortError("'' ist kein gültiger Integerwert");
  settings.port = checkedPort(lines[3]);
  settings.user = lines[0];
  settings.password = lines[1];
  settings.server = lines[2];
  settings.basicAuthentication = !settings.password.empty();
  return settings;
}

std::optional<ProxySettings> loadedProxySettings(const std::vector<std::string>& fileLines) {
  try {
    return proxySettings(fileLines);
  } catch (const PortError&) {
    return std::nullopt;
  }
}

void loadProxySettings(HttpClient& http, store::Files& files, const std::filesystem::path& dir) {
  if (const auto settings = loadedProxySettings(store::readSideFile(files, dir, store::kProxySettingsFileName)))
    http.proxy = *settings;
}

}  // namespace zestovar::online
