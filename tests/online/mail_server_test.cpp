// The mail client against a real mail server started here on 127.0.0.1: aiosmtpd in the mail catcher of
// tools/, offering AUTH LOGIN and taking the build's account only, and refusing lines over 998 bytes.
#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "BuildValues.h"
#include "LocalServers.h"
#include "StoreFixtures.h"
#include "online/MailText.h"
#include "online/SmtpClient.h"

namespace zestovar::test {
namespace {

using namespace std::chrono_literals;

// The mail catcher as a process of its own, stopped at the end of the test.
class MailCatcher : public ServerProcess {
 public:
  MailCatcher(int port, const std::filesystem::path& folder)
      : ServerProcess({"/usr/bin/python3", ZESTOVAR_MAIL_CATCHER, "--port", std::to_string(port), "--account",
                       build::kSmtpAccount, "--password", build::kSmtpPassword, "--dir", folder.string()},
                      port) {}
};

// The mail catcher started on a free port, keeping what it takes in dir/post; a client with short limits.
class MailServer : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(catcher.started()) << "the mail catcher (/usr/bin/python3 with aiosmtpd) did not start";
    client.limits = {5s, 10s, 60s, 1024};
  }

  TempDir dir;
  const int port = freePort();
  MailCatcher catcher{port, dir / "post"};
  online::SmtpClient client;
  const online::MailServer server{"127.0.0.1", port, build::kSmtpAccount, build::kSmtpPassword};
};

TEST_F(MailServer, AiosmtpdTakesTheMessageByteForByteWithTheBuildsAccountOnly) {
  client.send(server, {"rezepte@zestovar.invalid",
                       {"freund@example.invalid"},
                       "Subject: Gulasch\r\nContent-Type: text/plain; charset=ISO-8859-1\r\n\r\n"
                       "Gr\xfc\xdf\x65\n.\n..Punkte\rEnde"});
  EXPECT_EQ(readFile(dir / "post" / "0001.eml"),
            "Subject: Gulasch\r\nContent-Type: text/plain; charset=ISO-8859-1\r\n\r\n"
            "Gr\xfc\xdf\x65\r\n.\r\n..Punkte\r\nEnde\r\n");

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

TEST_F(MailServer, ARecipeWithAParagraphOf2000BytesIsTakenNowThatItsLinesAreBroken) {
  std::string paragraph;
  while (paragraph.size() < 2000) paragraph += "Das Fleisch in W\xfcrfel schneiden und scharf anbraten. ";
  // As one line the server refuses the whole mail.
  try {
    client.send(server, {"rezepte@zestovar.invalid", {"a@example.invalid"}, "Subject: Gulasch\r\n\r\n" + paragraph});
    ADD_FAILURE() << "no error";
  } catch (const online::TransferError& e) {
    EXPECT_EQ(std::string(e.what()).substr(0, 3), "500") << e.what();
  }

  const std::vector<std::string> recipe = {"Gulasch", "", "Rezept:", paragraph};
  const std::string message = online::recipeMail("rezepte@zestovar.invalid", {{"Anna Koch", "a@example.invalid"}},
                                                 "Quenna", recipe, "http://x", "http://m", "d");
  client.send(server, {"rezepte@zestovar.invalid", {"a@example.invalid"}, message});
  EXPECT_EQ(readFile(dir / "post" / "0001.eml"), message + "\r\n");
}

}  // namespace
}  // namespace zestovar::test
