#!/usr/bin/env python3
"""A local SFTP server for the SFTP tests: paramiko on loopback, one account, one folder.

Logs in with a password only, offered either as SSH's "password" method or as
"keyboard-interactive" with one hidden "Password:" prompt (the way many servers ask
through PAM). Paths are read from the folder given: "/x" and "x" both name <root>/x.

Prints "port N" once it listens, then serves until it is terminated.
"""
import argparse
import os
import socket
import sys
import threading

import paramiko


def serve_files(root):
    class Files(paramiko.SFTPServerInterface):
        def _local(self, path):
            return os.path.join(root, self.canonicalize(path).lstrip("/"))

        def canonicalize(self, path):
            return os.path.normpath("/" + path)

        def stat(self, path):
            try:
                return paramiko.SFTPAttributes.from_stat(os.stat(self._local(path)))
            except OSError as e:
                return paramiko.SFTPServer.convert_errno(e.errno)

        lstat = stat

        def open(self, path, flags, attr):
            try:
                f = open(self._local(path), "rb")
            except OSError as e:
                return paramiko.SFTPServer.convert_errno(e.errno)
            handle = paramiko.SFTPHandle(flags)
            handle.readfile = f
            return handle

    return Files


class Login(paramiko.ServerInterface):
    def __init__(self, user, password, method):
        self.user, self.password, self.method = user, password, method

    def get_allowed_auths(self, username):
        return self.method

    def check_auth_password(self, username, password):
        ok = self.method == "password" and (username, password) == (self.user, self.password)
        return paramiko.AUTH_SUCCESSFUL if ok else paramiko.AUTH_FAILED

    def check_auth_interactive(self, username, submethods):
        if self.method != "keyboard-interactive" or username != self.user:
            return paramiko.AUTH_FAILED
        return paramiko.InteractiveQuery("", "", ("Password: ", False))

    def check_auth_interactive_response(self, responses):
        ok = list(responses) == [self.password]
        return paramiko.AUTH_SUCCESSFUL if ok else paramiko.AUTH_FAILED

    def check_channel_request(self, kind, chanid):
        if kind == "session":
            return paramiko.OPEN_SUCCEEDED
        return paramiko.OPEN_FAILED_ADMINISTRATIVELY_PROHIBITED


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--user", required=True)
    parser.add_argument("--password", required=True)
    parser.add_argument("--method", choices=["password", "keyboard-interactive"], default="password")
    args = parser.parse_args()

    host_key = paramiko.ECDSAKey.generate()
    files = serve_files(args.root)
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", 0))
    listener.listen(8)
    print("port", listener.getsockname()[1], flush=True)
    while True:
        connection, _ = listener.accept()
        transport = paramiko.Transport(connection)
        transport.add_server_key(host_key)
        transport.set_subsystem_handler("sftp", paramiko.SFTPServer, files)
        threading.Thread(
            target=transport.start_server,
            kwargs={"server": Login(args.user, args.password, args.method)},
            daemon=True,
        ).start()


if __name__ == "__main__":
    sys.exit(main())
