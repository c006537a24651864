// The mail client against a scripted server on 127.0.0.1 that records every byte of the dialogue: the
// commands byte for byte, AUTH LOGIN only when offered, the HELO fallback, the server's refusals, broken,
// silent and dripping servers, abort.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <utility>

#include "LocalServers.h"
#include "TestSmtpServer.h"
#include "online/SmtpClient.h"
#include "store/Errors.h"

namespace zestovar::test {
namespace {

using namespace std::chrono_literals;
using online::Mail;
using online::MailServer;
using online::SmtpClient;

const std::string kGreeting = "220 mail.test ESMTP";
const std::string kAuthLogin = "AUTH LOGIN\r\nZGQ1ODEyMDQ3My05MTU=\r\ndDYycXhlNDg=\r\n";
const std::vector<std::string> kLoginReplies = {"334 VXNlcm5hbWU6", "334 UGFzc3dvcmQ6",
                                                "235 2.7.0 Authentication successful"};

MailServer serverAt(int port, std::string account = "dd58120473-915") {
  return {"127.0.0.1", port, std::move(account), "t62qxe48"};
}

const Mail kMail = {"rezepte@zestovar.invalid", {"freund@example.invalid"}, "Subject: Gulasch\r\n\r\nHallo"};

// The commands after a successful EHLO (and login) for kMail, the message included.
const std::string kSubmission =
    "RSET\r\nMAIL FROM: <rezepte@zestovar.invalid>\r\nRCPT TO:<freund@example.invalid>\r\nDATA\r\n"
    "Subject: Gulasch\r\n\r\nHallo\r\n.\r\nQUIT\r\n";
const std::vector<std::string> kSubmissionReplies = {"250 2.0.0 Ok",         "250 2.1.0 Ok",
                                                     "250 2.1.5 Ok",         "354 End data with <CR><LF>.<CR><LF>",
                                                     "250 2.0.0 Ok: queued", "221 2.0.0 Bye"};

std::vector<std::string> join(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

SmtpClient quickClient() {
  SmtpClient client;
  client.localHostName = "kochbuch.local";
  client.limits = {500ms, 400ms, 60s, 1024};
  return client;
}

std::string errorOf(SmtpClient& client, const MailServer& server, const Mail& mail = kMail) {
  try {
    client.send(server, mail);
  } catch (const online::TransferError& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(SmtpClient, WithLoginOfferedTheDialogueGoesByteForByteAndTheMessageCannotEndEarly) {
  TestSmtpServer server(join({{kGreeting, "250-mail.test\r\n250-PIPELINING\r\n250-AUTH PLAIN LOGIN\r\n250 8BITMIME"},
                              kLoginReplies,
                              {"250 2.0.0 Ok", "250 2.1.0 Ok", "250 2.1.5 Ok", "251 2.1.5 User not local",
                               "354 End data with <CR><LF>.<CR><LF>", "250 2.0.0 Ok: queued", "221 2.0.0 Bye"}}));
  SmtpClient client = quickClient();
  // A line ".", a line starting with dots, a bare CR, CR CR LF and no line end at the end.
  client.send(serverAt(server.port()), {"rezepte@zestovar.invalid",
                                        {"a@example.invalid", "b@example.invalid"},
                                        "Subject: Gulasch\r\n\r\n.\rZeile\n..zwei\r\r\nEnde"});
  EXPECT_EQ(server.received(), "EHLO kochbuch.local\r\n" + kAuthLogin +
                                   "RSET\r\nMAIL FROM: <rezepte@zestovar.invalid>\r\n"
                                   "RCPT TO:<a@example.invalid>\r\nRCPT TO:<b@example.invalid>\r\nDATA\r\n"
                                   "Subject: Gulasch\r\n\r\n..\r\nZeile\r\n...zwei\r\nEnde\r\n.\r\nQUIT\r\n");
  EXPECT_FALSE(server.pipelined());
  EXPECT_EQ(server.connections(), 1);
  EXPECT_FALSE(client.busy());
}

TEST(SmtpClient, LogsInOnlyWhenLoginIsOfferedAndTheAccountIsNotEmptyAndARefusedEhloFallsBackToHelo) {
  struct Case {
    std::vector<std::string> ehlo;
    std::string account;
    std::string sent;  // after the EHLO, before the submission
  };
  const std::string account = "dd58120473-915";
  const Case cases[] = {
      {{"250-mail.test\r\n250 AUTH PLAIN CRAM-MD5"}, account, ""},
      {{"250-mail.test\r\n250-AUTH LOGIN PLAIN\r\n250 SIZE 1000000"}, "", ""},
      {{"250-mail.test LOGIN\r\n250-X-LOGIN\r\n250 AUTH PLAIN"}, account, ""},
      {{"250-mail.test\r\n250 AUTH=LOGIN"}, account, kAuthLogin},
      {{"250-mail.test\r\n250 auth cram-md5 login"}, account, kAuthLogin},
      {{"502 5.5.2 Error: command not recognized", "250 mail.test"}, account, "HELO kochbuch.local\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ehlo.front() + " / " + c.account);
    const bool login = c.sent == kAuthLogin;
    TestSmtpServer server(
        join({{kGreeting}, c.ehlo, login ? kLoginReplies : std::vector<std::string>{}, kSubmissionReplies}));
    SmtpClient client = quickClient();
    client.send(serverAt(server.port(), c.account), kMail);
    EXPECT_EQ(server.received(), "EHLO kochbuch.local\r\n" + c.sent + kSubmission);
  }
}

TEST(SmtpClient, ARefusalEndsTheSendWithTheServersTextAndNothingAfterIt) {
  struct Case {
    std::vector<std::string> replies;
    std::string error;
    std::string sent;
  };
  const std::string ehlo = "EHLO kochbuch.local\r\n";
  const std::string login = "250-mail.test\r\n250 AUTH LOGIN";
  const Case cases[] = {
      {{"554 5.3.2 Keine Annahme"}, "554 5.3.2 Keine Annahme", ""},
      {{kGreeting, "500 unrecognised", "501 Syntax: HELO hostname"},
       "501 Syntax: HELO hostname",
       ehlo + "HELO kochbuch.local\r\n"},
      {{kGreeting, login, "334 VXNlcm5hbWU6", "334 UGFzc3dvcmQ6",
        "535-5.7.8 Username and Password not accepted.\r\n535 5.7.8 Try again"},
       "535-5.7.8 Username and Password not accepted.\n535 5.7.8 Try again",
       ehlo + kAuthLogin},
      {{kGreeting, login, "504 5.5.4 Unrecognized authentication type"},
       "504 5.5.4 Unrecognized authentication type",
       ehlo + "AUTH LOGIN\r\n"},
      {{kGreeting, "250 mail.test", "250 Ok", "553 5.7.1 <rezepte@zestovar.invalid>: Sender address rejected"},
       "553 5.7.1 <rezepte@zestovar.invalid>: Sender address rejected",
       ehlo + "RSET\r\nMAIL FROM: <rezepte@zestovar.invalid>\r\n"},
      {{kGreeting, "250 mail.test", "250 Ok", "250 Ok", "250 Ok", "550 5.1.1 <x@y>: Recipient address rejected"},
       "550 5.1.1 <x@y>: Recipient address rejected",
       ehlo + "RSET\r\nMAIL FROM: <rezepte@zestovar.invalid>\r\nRCPT TO:<freund@example.invalid>\r\nRCPT TO:<x@y>\r\n"},
      {{kGreeting, "250 mail.test", "250 Ok", "250 Ok", "250 Ok", "250 Ok", "554 5.5.1 No valid recipients"},
       "554 5.5.1 No valid recipients",
       ehlo + "RSET\r\nMAIL FROM: <rezepte@zestovar.invalid>\r\nRCPT TO:<freund@example.invalid>\r\nRCPT TO:<x@y>\r\n"
              "DATA\r\n"},
      {{kGreeting, "250 mail.test", "250 Ok", "250 Ok", "250 Ok", "250 Ok", "354 go", "552 5.3.4 Message too big"},
       "552 5.3.4 Message too big",
       ehlo + "RSET\r\nMAIL FROM: <rezepte@zestovar.invalid>\r\nRCPT TO:<freund@example.invalid>\r\nRCPT TO:<x@y>\r\n"
              "DATA\r\nSubject: Gulasch\r\n\r\nHallo\r\n.\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.error);
    TestSmtpServer server(c.replies);
    SmtpClient client = quickClient();
    Mail mail = kMail;
    mail.recipients.push_back("x@y");
    EXPECT_EQ(errorOf(client, serverAt(server.port()), mail), c.error);
    EXPECT_EQ(server.received(), c.sent);
  }
}

TEST(SmtpClient, BrokenRepliesAndSocketFaultsAreTransportErrors) {
  const std::string atCap = "220 " + std::string(4092, 'x');  // 4096 bytes: still taken
  const std::string endless = [] {
    std::string lines = "250-mail.test";
    for (int i = 0; i < 20000; ++i) lines += "\r\n250-SIZE 1000";
    return lines;
  }();
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{atCap, "250-" + std::string(4093, 'y')}, "ist länger als 4096 Bytes"},
      {{std::string(5000, 'z')}, "ist länger als 4096 Bytes"},
      {{kGreeting, endless}, "ist länger als 65536 Bytes"},
      {{"Hallo"}, "Unverständliche Antwort von 127.0.0.1:"},
      {{"22 too short"}, "Unverständliche Antwort von 127.0.0.1:"},
      {{kGreeting, TestSmtpServer::kClose}, "hat die Verbindung beendet"},
  };
  for (const auto& [replies, error] : cases) {
    SCOPED_TRACE(error);
    TestSmtpServer server(replies);
    SmtpClient client = quickClient();
    const std::string text = errorOf(client, serverAt(server.port()));
    EXPECT_NE(text.find(error), std::string::npos) << text;
  }

  SmtpClient client = quickClient();
  const int port = freePort();
  EXPECT_EQ(errorOf(client, serverAt(port)),
            "Keine Verbindung zu 127.0.0.1:" + std::to_string(port) + ": " + std::strerror(ECONNREFUSED));
}

TEST(SmtpClient, SilenceAndAHungConnectEndInTimeOutsWhileTheHookRunsBetweenSlices) {
  const std::string timeout = "Zeitüberschreitung";
  SmtpClient client = quickClient();
  int slices = 0;
  client.betweenSlices = [&] { ++slices; };
  for (const std::vector<std::string>& replies : {std::vector<std::string>{}, {kGreeting}}) {
    TestSmtpServer server(replies);
    slices = 0;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_NE(errorOf(client, serverAt(server.port())).find(timeout + ": der Mailserver"), std::string::npos);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_GE(slices, 2);
  }

  // A listener whose queue is full drops further connection requests unanswered.
  const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::listen(listener, 0), 0);
  ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
  std::vector<int> fillers;
  for (int i = 0; i < 4; ++i) {
    fillers.push_back(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0));
    ::connect(fillers.back(), reinterpret_cast<sockaddr*>(&address), sizeof address);
  }
  slices = 0;
  EXPECT_EQ(errorOf(client, serverAt(ntohs(address.sin_port))),
            timeout + ": keine Verbindung zu 127.0.0.1:" + std::to_string(ntohs(address.sin_port)));
  EXPECT_GE(slices, 2);
  for (int fd : fillers) ::close(fd);
  ::close(listener);

  // An unknown host fails in the lookup or in its time-out, never later.
  const auto start = std::chrono::steady_clock::now();
  EXPECT_NE(errorOf(client, {"mail.zestovar.invalid", 25, "", ""}), "(no error)");
  EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
}

TEST(SmtpClient, AServerThatDripsTimesOutAndOneAtThePaceOfTheFloorIsServed) {
  // An EHLO reply of about 6 KiB in lines of 100 bytes, offering no login.
  std::string ehlo = "250-mail.test";
  for (int i = 0; i < 60; ++i) ehlo += "\r\n250-X-FUELLUNG " + std::string(84, 'f');
  ehlo += "\r\n250 8BITMIME";
  const std::vector<std::string> replies = join({{kGreeting, ehlo}, kSubmissionReplies});
  SmtpClient client = quickClient();
  client.limits.floorSpan = 800ms;

  // A byte every 10 ms never lets the 400 ms without data pass, but brings far less than 1 KiB in 800 ms.
  TestSmtpServer dripping(replies);
  dripping.pace(1, 10ms);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(errorOf(client, serverAt(dripping.port())),
            "Zeitüberschreitung: der Mailserver 127.0.0.1:" + std::to_string(dripping.port()) + " antwortet nicht");
  EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);

  // 400 bytes every 100 ms: the dialogue takes about twice the span, and every span brings enough.
  TestSmtpServer paced(replies);
  paced.pace(400, 100ms);
  client.send(serverAt(paced.port()), kMail);
  EXPECT_EQ(paced.received(), "EHLO kochbuch.local\r\n" + kSubmission);
}

TEST(SmtpClient, AbortEndsTheWaitAndASendInsideTheWaitIsRefused) {
  TestSmtpServer server({});
  SmtpClient client = quickClient();
  std::string inner;
  client.betweenSlices = [&] {
    inner = errorOf(client, serverAt(server.port()));
    client.abort();
  };
  try {
    client.send(serverAt(server.port()), kMail);
    ADD_FAILURE() << "no error";
  } catch (const store::Cancelled& e) {
    EXPECT_STREQ(e.what(), kTransferAborted);
  }
  EXPECT_EQ(inner, kTransferRunning);
  EXPECT_FALSE(client.busy());
}

TEST(SmtpClient, ALineBreakInAnAddressOrHostNameIsRefusedBeforeConnecting) {
  TestSmtpServer server(join({{kGreeting, "250 mail.test"}, kSubmissionReplies}));
  SmtpClient client = quickClient();
  Mail mail = kMail;
  mail.recipients.push_back("a@b>\r\nRCPT TO:<c@d");
  EXPECT_EQ(errorOf(client, serverAt(server.port()), mail),
            "Die Adresse \"a@b>  RCPT TO:<c@d\" enthält einen Zeilenumbruch");
  mail = kMail;
  mail.sender = "x@y\n";
  EXPECT_NE(errorOf(client, serverAt(server.port()), mail), "(no error)");
  client.localHostName = "kochbuch\r\nDATA";
  EXPECT_NE(errorOf(client, serverAt(server.port())), "(no error)");
  EXPECT_EQ(server.connections(), 0);
}

}  // namespace
}  // namespace zestovar::test
