#!/usr/bin/env python3
"""Drives windows on an X display (Xvfb, no window manager) as a user would, for
tools/make_pictures.sh.

  x_window.py wait TITLE [SECONDS]        wait until a window of that title is shown
  x_window.py gone TITLE [SECONDS]        wait until no window of that title is shown
  x_window.py id TITLE                    print the window's id (for import -window)
  x_window.py click TITLE X Y [right] [ctrl]
                                          click at X,Y of the window's client area
  x_window.py key KEYSYM...               type keys (X keysym names: Down, Return, ...)
  x_window.py close TITLE                 ask the window to close, as its close box does

TITLE names the newest shown top-level window of that exact title: a message box that
carries the program's title is found before the main window under it. After a click the
pointer rests in the screen's corner, away from every window, so that no hover effect or
tooltip shows in a picture. Only the X11 and XTest libraries are used (through ctypes),
so nothing is built or installed.
"""
import ctypes
import ctypes.util
import re
import subprocess
import sys
import time

x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
xtst = ctypes.CDLL(ctypes.util.find_library("Xtst") or "libXtst.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XInternAtom.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x11.XStringToKeysym.restype = ctypes.c_ulong
x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
x11.XKeysymToKeycode.restype = ctypes.c_ubyte
x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x11.XFlush.argtypes = [ctypes.c_void_p]
xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int, ctypes.c_ulong]
xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]

CLIENT_MESSAGE = 33


class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5), ("pad", ctypes.c_long * 12)]


def find(title):
    """(window id, left, top) of the newest shown top-level window of this title, or None."""
    tree = subprocess.run(["xwininfo", "-root", "-children"], capture_output=True, text=True).stdout
    quoted = '"' + title + '"'
    ids = [int(line.split()[0], 16) for line in tree.splitlines()
           if line.strip().startswith("0x") and line.split(None, 1)[1].startswith(quoted + ":")]
    for window in sorted(ids, reverse=True):
        info = subprocess.run(["xwininfo", "-id", hex(window)], capture_output=True, text=True).stdout
        if "IsViewable" in info:
            number = lambda label: int(re.search(label + r":\s+(-?\d+)", info).group(1))
            return window, number("Absolute upper-left X"), number("Absolute upper-left Y")
    return None


def wait_for(title, shown, seconds):
    deadline = time.time() + seconds
    while time.time() < deadline:
        found = find(title)
        if bool(found) == shown:
            return found
        time.sleep(0.2)
    sys.exit(f"x_window.py: window '{title}' {'not shown' if shown else 'still shown'} after {seconds} s")


def press_keys(display, names, down):
    for name in names:
        code = x11.XKeysymToKeycode(display, x11.XStringToKeysym(name.encode()))
        xtst.XTestFakeKeyEvent(display, code, 1 if down else 0, 0)
    x11.XFlush(display)


def click(display, left, top, button, modifiers):
    # Each event is flushed and given time: the server drops delayed events of a client
    # that disconnects, and the program must see the pointer arrive before the press.
    xtst.XTestFakeMotionEvent(display, -1, left, top, 0)
    x11.XFlush(display)
    time.sleep(0.1)
    press_keys(display, modifiers, True)
    for down in (1, 0):
        xtst.XTestFakeButtonEvent(display, button, down, 0)
        x11.XFlush(display)
        time.sleep(0.1)
    press_keys(display, modifiers, False)
    xtst.XTestFakeMotionEvent(display, -1, 0, 0, 0)
    x11.XFlush(display)
    time.sleep(0.1)


def main(argv):
    if len(argv) < 3:
        sys.exit(__doc__)
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("x_window.py: cannot open the display")
    command = argv[1]
    if command == "key":
        for name in argv[2:]:
            press_keys(display, [name], True)
            press_keys(display, [name], False)
            time.sleep(0.1)
        return
    title = argv[2]
    if command in ("wait", "gone"):
        wait_for(title, command == "wait", float(argv[3]) if len(argv) > 3 else 30.0)
        return
    window, left, top = wait_for(title, True, 30.0)
    if command == "id":
        print(hex(window))
    elif command == "click":
        button = 3 if "right" in argv[5:] else 1
        modifiers = ["Control_L"] if "ctrl" in argv[5:] else []
        click(display, left + int(argv[3]), top + int(argv[4]), button, modifiers)
    elif command == "close":
        event = ClientMessage(type=CLIENT_MESSAGE, window=window, format=32)
        event.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
        event.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
        x11.XSendEvent(display, window, 0, 0, ctypes.byref(event))
        x11.XFlush(display)
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
