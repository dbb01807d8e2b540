#!/usr/bin/env python3
"""A local FTP server for the FTP tests and the benchmark: pyftpdlib on loopback, one
account, one folder, pyftpdlib's own behaviour (ASCII type converts line ends and
refuses SIZE and REST; binary type sends the stored bytes).

With --certfile it is an FTP over TLS server (TLS_FTPHandler) that requires TLS on the
control and the data connections.

Prints "port N" once it listens, then serves until it is terminated.
"""
import argparse
import logging
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler, TLS_FTPHandler
from pyftpdlib.servers import FTPServer


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--user", required=True)
    parser.add_argument("--password", required=True)
    parser.add_argument("--certfile", help="certificate and key (PEM) for FTP over TLS")
    parser.add_argument("--port", type=int, default=0)
    args = parser.parse_args()

    logging.basicConfig(level=logging.WARNING)
    if args.certfile:
        handler = TLS_FTPHandler
        handler.certfile = args.certfile
        handler.tls_control_required = True
        handler.tls_data_required = True
    else:
        handler = FTPHandler
    handler.authorizer = DummyAuthorizer()
    handler.authorizer.add_user(args.user, args.password, args.root, perm="elr")
    server = FTPServer(("127.0.0.1", args.port), handler)
    print("port", server.address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    sys.exit(main())
