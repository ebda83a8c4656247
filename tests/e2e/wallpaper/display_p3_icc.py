#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes a Display P3 matrix profile (ICC version 2, a gamma of 2.2): the
header, the tag table, then the white point, the three colorants adapted to
D50 and one curve for all three channels.

    display_p3_icc.py OUT.icc
"""
import struct, sys
def s15(v): return struct.pack('>i', round(v * 65536))
def xyz(x, y, z): return b'XYZ ' + bytes(4) + s15(x) + s15(y) + s15(z)
curve = b'curv' + bytes(4) + struct.pack('>IH', 1, round(2.2 * 256)) + bytes(2)
desc = b'desc' + bytes(4) + struct.pack('>I', 3) + b'P3\0' + bytes(12 + 67)
tags = [(b'desc', desc), (b'wtpt', xyz(0.9642, 1.0, 0.8249)),
        (b'rXYZ', xyz(0.515102, 0.241196, -0.001056)), (b'gXYZ', xyz(0.291965, 0.692236, 0.041884)),
        (b'bXYZ', xyz(0.157153, 0.066568, 0.784072)), (b'rTRC', curve), (b'gTRC', curve), (b'bTRC', curve)]
offset, table, data = 128 + 4 + 12 * len(tags), b'', b''
for sig, body in tags:
    if sig in (b'gTRC', b'bTRC'):
        table += sig + struct.pack('>II', curve_at, len(body))
        continue
    if sig == b'rTRC':
        curve_at = offset + len(data)
    table += sig + struct.pack('>II', offset + len(data), len(body))
    data += body + bytes(-len(body) % 4)
size = offset + len(data)
header = struct.pack('>I', size) + bytes(4) + struct.pack('>I', 0x02100000) + b'mntrRGB XYZ ' + bytes(12) + b'acsp'
header += bytes(24) + bytes(4) + s15(0.9642) + s15(1.0) + s15(0.8249)
header += bytes(128 - len(header))
open(sys.argv[1], 'wb').write(header + struct.pack('>I', len(tags)) + table + data)
