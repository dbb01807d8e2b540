#!/usr/bin/env python3
"""A local FTP server for the FTP tests: pyftpdlib on loopback, one account, one folder.

Prints "port N" once it listens, then serves until it is terminated.

By default it behaves like the FTP servers of game-server hosts (vsftpd with its usual
settings): files are sent as stored whatever the transfer type, and SIZE and REST are
allowed in ASCII type. With --convert-ascii it keeps pyftpdlib's own ASCII handling:
line feeds are sent as CR LF, and SIZE and REST are refused in ASCII type.
"""
import argparse
import logging
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer


class StoredBytesHandler(FTPHandler):
    def ftp_TYPE(self, line):
        super().ftp_TYPE(line)
        self._current_type = "i"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--user", required=True)
    parser.add_argument("--password", required=True)
    parser.add_argument("--convert-ascii", action="store_true")
    args = parser.parse_args()

    logging.basicConfig(level=logging.WARNING)
    handler = FTPHandler if args.convert_ascii else StoredBytesHandler
    handler.authorizer = DummyAuthorizer()
    handler.authorizer.add_user(args.user, args.password, args.root, perm="elr")
    server = FTPServer(("127.0.0.1", 0), handler)
    print("port", server.address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    sys.exit(main())
