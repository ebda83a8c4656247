#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# A FUSE file system of one empty folder, spoken over /dev/fuse directly (no
# library): it answers while it runs, and once stopped (SIGSTOP) every call on
# the mount waits for it, as on a network mount whose server went away.
# Usage: dead_mount_server.py <mount point>; prints "mounted" when ready.
import ctypes
import errno
import os
import struct
import sys
import time

INIT, GETATTR, STATFS, LOOKUP, FORGET, BATCH_FORGET = 26, 3, 17, 1, 2, 42
libc = ctypes.CDLL(None, use_errno=True)
point = sys.argv[1]
fd = os.open("/dev/fuse", os.O_RDWR)
options = "fd=%d,rootmode=40000,user_id=%d,group_id=%d,allow_other" % (fd, os.getuid(), os.getgid())
if libc.mount(b"zelvaro-dead", point.encode(), b"fuse.zelvaro-dead", 0, options.encode()) != 0:
    print("mount failed: %s" % os.strerror(ctypes.get_errno()), flush=True)
    sys.exit(1)
print("mounted", flush=True)


def reply(unique, error=0, payload=b""):
    os.write(fd, struct.pack("<IiQ", 16 + len(payload), -error, unique) + payload)


now = int(time.time())
# fuse_attr_out: one second of validity, then the folder's attributes.
attr = struct.pack("<QIIQQQQQQIIIIIIIIII", 1, 0, 0, 1, 0, 0, now, now, now, 0, 0, 0, 0o40755, 2,
                   os.getuid(), os.getgid(), 0, 4096, 0)
statfs = struct.pack("<QQQQQIIII6I", 1000, 500, 500, 100, 50, 4096, 255, 4096, 0, *([0] * 6))
try:
    while True:
        try:
            request = os.read(fd, 1 << 20)
        except OSError as e:
            if e.errno in (errno.EINTR, errno.EAGAIN, errno.ENOENT):
                continue
            break
        length, opcode, unique = struct.unpack_from("<IIQ", request)
        if opcode in (FORGET, BATCH_FORGET):
            continue
        if opcode == INIT:
            reply(unique, 0, struct.pack("<IIIIHHI", 7, 19, 0, 0, 0, 0, 4096))
        elif opcode == GETATTR:
            reply(unique, 0, attr)
        elif opcode == STATFS:
            reply(unique, 0, statfs)
        elif opcode == LOOKUP:
            reply(unique, errno.ENOENT)
        else:
            reply(unique, errno.ENOSYS)
finally:
    libc.umount2(point.encode(), 2)
