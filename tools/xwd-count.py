#!/usr/bin/env python3
"""Counts the pixels of one colour in an X window dump (xwd) of a true-colour screen.

    tools/xwd-count.py SCREEN.xwd RRGGBB
"""
import struct
import sys


def count(path, colour):
    data = open(path, "rb").read()
    # The header is 25 big-endian 32-bit fields, then the window name, then the colour map.
    fields = struct.unpack(">25I", data[:100])
    header_size, width, height = fields[0], fields[4], fields[5]
    byte_order, bits_per_pixel, bytes_per_line, colour_count = fields[7], fields[11], fields[12], fields[19]
    if bits_per_pixel not in (24, 32):
        sys.exit(f"xwd-count: {bits_per_pixel} bits a pixel, 24 or 32 expected")
    red_mask, green_mask, blue_mask = fields[14], fields[15], fields[16]
    pixels = data[header_size + 12 * colour_count:]
    wanted = 0
    for channel, channel_mask in ((colour >> 16, red_mask), (colour >> 8, green_mask), (colour, blue_mask)):
        shift = (channel_mask & -channel_mask).bit_length() - 1
        wanted |= (channel & 0xFF) << shift
    mask = red_mask | green_mask | blue_mask
    # Xvfb may call its 4-byte pixels 24 bits deep: the line length tells the real size.
    size = bytes_per_line // width
    order = "little" if byte_order == 0 else "big"
    total = 0
    for y in range(height):
        row = pixels[y * bytes_per_line:y * bytes_per_line + size * width]
        total += sum(1 for x in range(0, len(row), size)
                     if int.from_bytes(row[x:x + size], order) & mask == wanted)
    return total


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__.strip())
    print(count(sys.argv[1], int(sys.argv[2], 16)))
