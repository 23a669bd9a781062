"""Writes a cairo RGB24 surface as an uncompressed 24-bit Windows bitmap."""

import struct

FILE_HEADER_SIZE = 14
INFO_HEADER_SIZE = 40
PIXELS_PER_METRE = 2834  # 72 dpi; Windows ignores it for resources


def row_stride(width):
    return (width * 3 + 3) & ~3


def bmp_bytes(surface, store_image_size=True):
    width, height = surface.get_width(), surface.get_height()
    surface.flush()
    data = surface.get_data()
    source_stride = surface.get_stride()
    stride = row_stride(width)
    image_size = stride * height
    padding = bytes(stride - width * 3)
    rows = []
    # Bottom-up rows; cairo keeps each pixel as little-endian 0xXXRRGGBB,
    # so its first three bytes are already blue, green, red.
    for y in range(height - 1, -1, -1):
        start = y * source_stride
        row = bytearray(width * 3)
        row[0::3] = data[start:start + width * 4:4]
        row[1::3] = data[start + 1:start + width * 4:4]
        row[2::3] = data[start + 2:start + width * 4:4]
        rows.append(bytes(row) + padding)
    offset = FILE_HEADER_SIZE + INFO_HEADER_SIZE
    file_header = struct.pack("<2sIHHI", b"BM", offset + image_size, 0, 0, offset)
    info_header = struct.pack("<IiiHHIIiiII", INFO_HEADER_SIZE, width, height, 1, 24, 0,
                              image_size if store_image_size else 0,
                              PIXELS_PER_METRE, PIXELS_PER_METRE, 0, 0)
    return file_header + info_header + b"".join(rows)


def write_bmp(path, surface, store_image_size=True):
    with open(path, "wb") as out:
        out.write(bmp_bytes(surface, store_image_size))
