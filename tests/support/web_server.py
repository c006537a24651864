#!/usr/bin/python3
"""A recipe site for the tests: Python's static web server on a folder of 127.0.0.1, with https when
given a certificate, and redirects: /umleitung/REST answers 302 with the location /REST, so
/umleitung/umleitung/x.html is a chain of two.

web_server.py FOLDER PORT [CERTIFICATE KEY]"""

import functools
import http.server
import ssl
import sys

PREFIX = "/umleitung/"


class Handler(http.server.SimpleHTTPRequestHandler):
    def do_GET(self):
        if self.path.startswith(PREFIX):
            self.send_response(302)
            self.send_header("Location", "/" + self.path[len(PREFIX):])
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        super().do_GET()

    def log_message(self, *args):
        pass


def main():
    folder, port = sys.argv[1], int(sys.argv[2])
    server = http.server.ThreadingHTTPServer(("127.0.0.1", port), functools.partial(Handler, directory=folder))
    if len(sys.argv) == 5:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(sys.argv[3], sys.argv[4])
        server.socket = context.wrap_socket(server.socket, server_side=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
