#!/usr/bin/python3
"""A mail server on 127.0.0.1 that keeps what it receives instead of delivering it.

It offers AUTH LOGIN without TLS, takes mail only from the one account it is given, and keeps each
message as a file NNNN.eml in FOLDER: the bytes between DATA and the closing line ".", dots no longer
doubled. It runs until SIGTERM or SIGINT.

    /usr/bin/python3 mailcatcher.py --port PORT --account ACCOUNT --password PASSWORD --dir FOLDER

Debian's aiosmtpd (package python3-aiosmtpd) belongs to /usr/bin/python3.
"""

import argparse
import logging
import os
import re
import signal
import sys
import warnings

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword


class Keeper:
    def __init__(self, folder):
        self.folder = folder

    def next_name(self):
        numbers = [int(m.group(1)) for m in map(re.compile(r"^(\d+)\.eml$").match, os.listdir(self.folder)) if m]
        return "%04d.eml" % (max(numbers, default=0) + 1)

    async def handle_DATA(self, server, session, envelope):
        name = self.next_name()
        path = os.path.join(self.folder, name)
        # Whoever watches the folder never sees half a message.
        with open(path + ".part", "wb") as f:
            f.write(envelope.original_content)
        os.replace(path + ".part", path)
        print("Mail von %s an %s: %s" % (envelope.mail_from, ", ".join(envelope.rcpt_tos), path), flush=True)
        return "250 2.0.0 Ok: " + name


def accepting(account, password):
    expected = LoginPassword(account.encode(), password.encode())

    def check(server, session, envelope, mechanism, auth_data):
        # Not "handled": a refusal is then answered with aiosmtpd's own 535 reply.
        return AuthResult(success=isinstance(auth_data, LoginPassword) and auth_data == expected, handled=False)

    return check


def main():
    parser = argparse.ArgumentParser(description="Keeps the mail it receives as files.")
    parser.add_argument("--port", type=int, required=True)
    parser.add_argument("--account", required=True)
    parser.add_argument("--password", required=True)
    parser.add_argument("--dir", required=True, help="folder for the messages, made when missing")
    args = parser.parse_args()
    os.makedirs(args.dir, exist_ok=True)
    # Authentication without TLS is what this server is for: no warnings about it on every connection.
    warnings.simplefilter("ignore")
    logging.getLogger("mail.log").setLevel(logging.ERROR)

    # The server's thread must not take the signals: the main thread waits for them.
    stop = {signal.SIGTERM, signal.SIGINT}
    signal.pthread_sigmask(signal.SIG_BLOCK, stop)
    controller = Controller(
        Keeper(args.dir),
        hostname="127.0.0.1",
        port=args.port,
        authenticator=accepting(args.account, args.password),
        auth_required=True,
        auth_require_tls=False,
        auth_exclude_mechanism=["PLAIN"],
        data_size_limit=256 << 20,
    )
    try:
        controller.start()
    except Exception as e:
        print("mailcatcher: cannot listen on 127.0.0.1:%d: %s" % (args.port, e), file=sys.stderr)
        return 1
    signal.sigwait(stop)
    controller.stop()
    return 0


if __name__ == "__main__":
    sys.exit(main())
