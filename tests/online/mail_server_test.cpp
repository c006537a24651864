// The mail client against a real mail server started here on 127.0.0.1: aiosmtpd in the mail catcher of
// tools/, offering AUTH LOGIN and taking the build's account only.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "BuildValues.h"
#include "StoreFixtures.h"
#include "online/SmtpClient.h"

extern char** environ;

namespace zestovar::test {
namespace {

using namespace std::chrono_literals;

sockaddr_in loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  return address;
}

int freePort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address = loopback(0);
  socklen_t length = sizeof address;
  ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  ::close(fd);
  return ntohs(address.sin_port);
}

bool accepts(int port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  const sockaddr_in address = loopback(port);
  const bool ok = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  ::close(fd);
  return ok;
}

// The mail catcher as a process of its own, stopped at the end of the test.
class MailCatcher {
 public:
  MailCatcher(int port, const std::filesystem::path& folder) {
    std::vector<std::string> args = {
        "/usr/bin/python3", ZESTOVAR_MAIL_CATCHER, "--port", std::to_string(port), "--account", build::kSmtpAccount,
        "--password",       build::kSmtpPassword,  "--dir",  folder.string()};
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    started_ = posix_spawn(&pid_, argv[0], &quiet, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&quiet);
    for (int i = 0; started_ && i < 400 && !accepts(port); ++i) std::this_thread::sleep_for(25ms);
    started_ = started_ && accepts(port);
  }
  ~MailCatcher() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  bool started() const { return started_; }

 private:
  pid_t pid_ = 0;
  bool started_ = false;
};

std::string contentOf(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST(MailServer, AiosmtpdTakesTheMessageByteForByteWithTheBuildsAccountOnly) {
  TempDir dir;
  const int port = freePort();
  MailCatcher catcher(port, dir / "post");
  ASSERT_TRUE(catcher.started()) << "the mail catcher (/usr/bin/python3 with aiosmtpd) did not start";

  online::SmtpClient client;
  client.limits = {5s, 10s};
  const online::MailServer server{"127.0.0.1", port, build::kSmtpAccount, build::kSmtpPassword};
  client.send(server, {"rezepte@zestovar.invalid",
                       {"freund@example.invalid"},
                       "Subject: Gulasch\r\nContent-Type: text/plain; charset=ISO-8859-1\r\n\r\n"
                       "Gr\xfc\xdf"
                       "e\n.\n..Punkte\rEnde"});
  EXPECT_EQ(contentOf(dir / "post" / "0001.eml"),
            "Subject: Gulasch\r\nContent-Type: text/plain; charset=ISO-8859-1\r\n\r\n"
            "Gr\xfc\xdf"
            "e\r\n.\r\n..Punkte\r\nEnde\r\n");

  for (const auto& [password, account, error] :
       {std::tuple<std::string, std::string, std::string>{"falsch", build::kSmtpAccount,
                                                          "535 5.7.8 Authentication credentials invalid"},
        {"", "", "530 5.7.0 Authentication required"}}) {
    SCOPED_TRACE(error);
    try {
      client.send({"127.0.0.1", port, account, password}, {"rezepte@zestovar.invalid", {"a@example.invalid"}, "x"});
      ADD_FAILURE() << "no error";
    } catch (const online::TransferError& e) {
      EXPECT_EQ(std::string(e.what()), error);
    }
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "post"), {}), 1);
}

}  // namespace
}  // namespace zestovar::test
