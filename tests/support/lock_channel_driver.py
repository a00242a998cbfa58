#!/usr/bin/env python3
"""Plays the program's part for a lock helper, for tests.

lock_channel_driver.py HELPER PASSWORD RECORD
Starts HELPER on one end of a socket (as the program does, "--channel 3"),
sends it PASSWORD and appends every message it sends back to RECORD, one
per line ("unlock", "password ..."); "closed" when it hangs up.
"""
import os
import socket
import sys

helper, password, record = sys.argv[1], sys.argv[2].encode(), sys.argv[3]
ours, theirs = socket.socketpair()
if os.fork() == 0:
    os.dup2(theirs.fileno(), 3)
    os.execv(helper, [helper, "--channel", "3"])
theirs.close()
ours.sendall(b"password %d\n%s" % (len(password), password))
with open(record, "a") as out, ours.makefile("rb") as messages:
    for line in messages:
        out.write(line.decode(errors="replace").strip() + "\n")
        out.flush()
    out.write("closed\n")
