"""Writes a Windows .cur file (one 32-bit DIB image with an AND mask) from an
8-bit RGBA PNG and a hot spot: png-to-cur.py IN.png HOTX HOTY OUT.cur"""
import struct
import sys
import zlib


def read_rgba_png(path):
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise SystemExit(f"{path}: not a PNG")
    pos, idat, width, height = 8, b"", 0, 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, color, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if (depth, color, interlace) != (8, 6, 0):
                raise SystemExit(f"{path}: only 8-bit RGBA, non-interlaced PNGs are handled")
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw, stride, rows, prev = zlib.decompress(idat), width * 4, [], bytearray(width * 4)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            a = line[i - 4] if i >= 4 else 0
            b = prev[i]
            c = prev[i - 4] if i >= 4 else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(line)
        prev = line
    return width, height, rows


def main():
    src, hot_x, hot_y, out = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
    width, height, rows = read_rgba_png(src)
    pixels, mask = bytearray(), bytearray()
    mask_stride = ((width + 31) // 32) * 4
    for line in reversed(rows):  # DIBs run bottom-up
        bits = bytearray(mask_stride)
        for x in range(width):
            r, g, b, a = line[x * 4:x * 4 + 4]
            pixels += bytes((b, g, r, a))
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    image = header + pixels + mask
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, hot_x, hot_y, len(image), 6 + 16)
    open(out, "wb").write(directory + entry + image)


main()
