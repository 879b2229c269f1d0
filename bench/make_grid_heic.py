#!/usr/bin/env python3
"""Write a HEIC the way phones write them: a `grid` image of hidden 512 x 512 HEVC tiles.

    make_grid_heic.py INPUT OUTPUT.heic [--tile 512] [--quality 60] [--irot N]

A phone's HEIC is not one big HEVC picture but a grid item whose `dimg` references name
many small `hvc1` items, row by row; the grid's output size crops the right and bottom
tiles. heif-enc (libheif 1.15) writes only single pictures, so this cuts INPUT into tiles
with ImageMagick (the last row and column padded by repeating the edge pixels), encodes
each tile with heif-enc, takes each tile file's hvcC property and coded data apart, and
writes one HEIF holding them all. --irot N (0..3) adds an `irot` of N quarter turns
anticlockwise to the grid, as a phone does on a portrait photo.

Standard library only. Anything unexpected in a tile file stops the run with a message.
"""

import argparse
import concurrent.futures
import os
import shlex
import shutil
import struct
import subprocess
import sys
import tempfile


class Fault(Exception):
    pass


# ---- reading the tiles heif-enc writes -------------------------------------------------

def boxes(data, start, end, where):
    """Yields (type, payload start, box end) for the boxes in data[start:end]."""
    pos = start
    while pos < end:
        if end - pos < 8:
            raise Fault(f"{where}: {end - pos} stray bytes at {pos}")
        size, kind = struct.unpack(">I4s", data[pos:pos + 8])
        head = 8
        if size == 1:
            if end - pos < 16:
                raise Fault(f"{where}: truncated large box at {pos}")
            size = struct.unpack(">Q", data[pos + 8:pos + 16])[0]
            head = 16
        elif size == 0:
            size = end - pos
        if size < head or pos + size > end:
            raise Fault(f"{where}: box '{kind.decode('latin-1')}' at {pos} has size {size}, "
                        f"beyond its parent's end {end}")
        yield kind, pos + head, pos + size
        pos += size


class Reader:
    def __init__(self, data, pos, end, where):
        self.data, self.pos, self.end, self.where = data, pos, end, where

    def take(self, count):
        if self.pos + count > self.end:
            raise Fault(f"{self.where}: truncated (wanted {count} bytes at {self.pos})")
        chunk = self.data[self.pos:self.pos + count]
        self.pos += count
        return chunk

    def uint(self, size):
        if size == 0:
            return 0
        if size not in (1, 2, 3, 4, 8):
            raise Fault(f"{self.where}: unsupported field size {size}")
        return int.from_bytes(self.take(size), "big")

    def full_header(self):
        return self.uint(1), self.uint(3)

    def cstring(self):
        zero = self.data.find(b"\0", self.pos, self.end)
        if zero < 0:
            raise Fault(f"{self.where}: unterminated string")
        text = self.data[self.pos:zero]
        self.pos = zero + 1
        return text


def only_child(data, start, end, kind, where):
    found = [b for b in boxes(data, start, end, where) if b[0] == kind]
    if len(found) != 1:
        raise Fault(f"{where}: expected one '{kind.decode()}' box, found {len(found)}")
    return found[0]


def read_tile(path, tile_size):
    """Returns (hvcC box bytes, [other descriptive property boxes], coded data) of the
    primary item of a one-picture HEIC written by heif-enc."""
    with open(path, "rb") as f:
        data = f.read()
    where = os.path.basename(path)
    top = list(boxes(data, 0, len(data), where))
    if not top or top[0][0] != b"ftyp":
        raise Fault(f"{where}: does not start with an ftyp box")
    metas = [b for b in top if b[0] == b"meta"]
    if len(metas) != 1:
        raise Fault(f"{where}: expected one meta box, found {len(metas)}")
    _, mstart, mend = metas[0]
    r = Reader(data, mstart, mend, where + " meta")
    version, _ = r.full_header()
    if version != 0:
        raise Fault(f"{where}: meta version {version}")
    children = {}
    for kind, start, end in boxes(data, r.pos, mend, where + " meta"):
        if kind in children:
            raise Fault(f"{where}: two '{kind.decode('latin-1')}' boxes in meta")
        children[kind] = (start, end)
    for needed in (b"hdlr", b"pitm", b"iinf", b"iloc", b"iprp"):
        if needed not in children:
            raise Fault(f"{where}: meta has no '{needed.decode()}' box")

    r = Reader(data, *children[b"hdlr"], where + " hdlr")
    r.full_header()
    r.uint(4)
    if r.take(4) != b"pict":
        raise Fault(f"{where}: handler is not 'pict'")

    r = Reader(data, *children[b"pitm"], where + " pitm")
    version, _ = r.full_header()
    primary = r.uint(2 if version == 0 else 4)

    # Item types: the primary must be an hvc1 picture.
    r = Reader(data, *children[b"iinf"], where + " iinf")
    version, _ = r.full_header()
    r.uint(2 if version == 0 else 4)
    types = {}
    for kind, start, end in boxes(data, r.pos, r.end, where + " iinf"):
        if kind != b"infe":
            continue
        e = Reader(data, start, end, where + " infe")
        version, _ = e.full_header()
        if version < 2:
            raise Fault(f"{where}: infe version {version} (expected 2 or 3)")
        item = e.uint(2 if version == 2 else 4)
        e.uint(2)
        types[item] = e.take(4)
    if types.get(primary) != b"hvc1":
        raise Fault(f"{where}: primary item {primary} is {types.get(primary)!r}, not hvc1")

    # Where the primary's coded data lies.
    r = Reader(data, *children[b"iloc"], where + " iloc")
    version, _ = r.full_header()
    if version > 2:
        raise Fault(f"{where}: iloc version {version}")
    sizes = r.uint(1)
    offset_size, length_size = sizes >> 4, sizes & 15
    sizes = r.uint(1)
    base_offset_size = sizes >> 4
    index_size = sizes & 15 if version in (1, 2) else 0
    for name, size in (("offset", offset_size), ("length", length_size),
                       ("base offset", base_offset_size), ("index", index_size)):
        if size not in (0, 4, 8):
            raise Fault(f"{where}: iloc {name} size {size}")
    if offset_size == 0 or length_size == 0:
        raise Fault(f"{where}: iloc without extent offsets or lengths")
    count = r.uint(2 if version < 2 else 4)
    extents = None
    for _ in range(count):
        item = r.uint(2 if version < 2 else 4)
        method = r.uint(2) & 15 if version in (1, 2) else 0
        reference = r.uint(2)
        base = r.uint(base_offset_size)
        these = []
        for _ in range(r.uint(2)):
            r.uint(index_size)
            these.append((base + r.uint(offset_size), r.uint(length_size)))
        if item == primary:
            if method != 0 or reference != 0:
                raise Fault(f"{where}: primary item stored with construction method {method}, "
                            f"data reference {reference} (expected 0 and 0: in this file)")
            extents = these
    if not extents:
        raise Fault(f"{where}: iloc has no extents for the primary item")
    coded = bytearray()
    for offset, length in extents:
        if length == 0 or offset + length > len(data):
            raise Fault(f"{where}: extent {offset}+{length} outside the file ({len(data)} bytes)")
        coded += data[offset:offset + length]

    # The primary's properties.
    iprp_start, iprp_end = children[b"iprp"]
    _, cstart, cend = only_child(data, iprp_start, iprp_end, b"ipco", where + " iprp")
    # Each property rewritten with a plain 8-byte header, so equal ones compare equal.
    properties = [(kind, box(kind, data[start:end])) for kind, start, end
                  in boxes(data, cstart, cend, where + " ipco")]
    _, astart, aend = only_child(data, iprp_start, iprp_end, b"ipma", where + " iprp")
    r = Reader(data, astart, aend, where + " ipma")
    version, flags = r.full_header()
    associated = None
    for _ in range(r.uint(4)):
        item = r.uint(2 if version < 1 else 4)
        indices = []
        for _ in range(r.uint(1)):
            value = r.uint(2 if flags & 1 else 1)
            index = value & (0x7FFF if flags & 1 else 0x7F)
            if index == 0:
                continue
            if index > len(properties):
                raise Fault(f"{where}: ipma names property {index} of {len(properties)}")
            indices.append(index)
        if item == primary:
            associated = [properties[i - 1] for i in indices]
    if associated is None:
        raise Fault(f"{where}: the primary item has no properties")
    hvcc = None
    others = []
    for kind, prop in associated:
        if kind == b"hvcC":
            hvcc = prop
        elif kind == b"ispe":
            width, height = struct.unpack(">II", prop[12:20])
            if (width, height) != (tile_size, tile_size):
                raise Fault(f"{where}: picture is {width} x {height}, not {tile_size} x {tile_size}")
        elif kind in (b"pixi", b"colr"):
            others.append(prop)
        else:
            raise Fault(f"{where}: unexpected property '{kind.decode('latin-1')}' on the picture")
    if hvcc is None:
        raise Fault(f"{where}: the primary item has no hvcC property")
    return hvcc, others, bytes(coded)


# ---- writing the grid ------------------------------------------------------------------

def box(kind, payload):
    return struct.pack(">I4s", 8 + len(payload), kind) + payload


def full_box(kind, version, flags, payload):
    return box(kind, struct.pack(">I", (version << 24) | flags) + payload)


def grid_heif(tiles, columns, rows, width, height, tile_size, irot):
    """tiles: [(hvcC, others, coded)] row by row. Returns the whole file's bytes."""
    count = len(tiles)
    grid_id = count + 1
    if grid_id > 0xFFFF:
        raise Fault(f"{count} tiles are more than this writer's 16-bit item numbers hold")

    # Property store: each distinct box once, numbered from 1.
    store = []

    def index_of(prop):
        if prop not in store:
            store.append(prop)
        return store.index(prop) + 1

    tile_ispe = full_box(b"ispe", 0, 0, struct.pack(">II", tile_size, tile_size))
    tile_props = []
    for hvcc, others, _ in tiles:
        props = [(index_of(hvcc), True), (index_of(tile_ispe), False)]
        props += [(index_of(o), False) for o in others]
        tile_props.append(props)
    grid_props = [(index_of(full_box(b"ispe", 0, 0, struct.pack(">II", width, height))), False)]
    grid_props += [(index_of(o), False) for o in tiles[0][1]]
    if irot:
        grid_props.append((index_of(box(b"irot", bytes([irot & 3]))), False))
    wide_index = len(store) > 0x7F

    def ipma_entry(item, props):
        out = struct.pack(">HB", item, len(props))
        for index, essential in props:
            if wide_index:
                out += struct.pack(">H", (0x8000 if essential else 0) | index)
            else:
                out += struct.pack(">B", (0x80 if essential else 0) | index)
        return out

    ipma = full_box(b"ipma", 0, 1 if wide_index else 0, struct.pack(">I", count + 1) + b"".join(
        ipma_entry(i + 1, p) for i, p in enumerate(tile_props)) + ipma_entry(grid_id, grid_props))
    iprp = box(b"iprp", box(b"ipco", b"".join(store)) + ipma)

    hdlr = full_box(b"hdlr", 0, 0, struct.pack(">I4sIII", 0, b"pict", 0, 0, 0) + b"\0")
    pitm = full_box(b"pitm", 0, 0, struct.pack(">H", grid_id))
    infes = [full_box(b"infe", 2, 1, struct.pack(">HH4s", i + 1, 0, b"hvc1") + b"\0")
             for i in range(count)]
    infes.append(full_box(b"infe", 2, 0, struct.pack(">HH4s", grid_id, 0, b"grid") + b"\0"))
    iinf = full_box(b"iinf", 0, 0, struct.pack(">H", len(infes)) + b"".join(infes))
    iref = full_box(b"iref", 0, 0, box(b"dimg", struct.pack(">HH", grid_id, count) +
                                       b"".join(struct.pack(">H", i + 1) for i in range(count))))
    large = width > 0xFFFF or height > 0xFFFF
    descriptor = struct.pack(">BBBB", 0, 1 if large else 0, rows - 1, columns - 1)
    descriptor += struct.pack(">II" if large else ">HH", width, height)
    idat = box(b"idat", descriptor)

    total = sum(len(t[2]) for t in tiles)
    wide_offsets = total > 0xFFFF0000
    field = 8 if wide_offsets else 4

    def iloc(data_start):
        # Version 1: the grid's descriptor lies in idat (construction method 1), the tiles
        # in mdat (method 0, offsets from the start of the file).
        out = struct.pack(">BBH", field << 4 | field, 0, count + 1)
        pos = data_start
        for i, (_, _, coded) in enumerate(tiles):
            out += struct.pack(">HHHH", i + 1, 0, 0, 1)
            out += pos.to_bytes(field, "big") + len(coded).to_bytes(field, "big")
            pos += len(coded)
        out += struct.pack(">HHHH", grid_id, 1, 0, 1)
        out += (0).to_bytes(field, "big") + len(descriptor).to_bytes(field, "big")
        return full_box(b"iloc", 1, 0, out)

    ftyp = box(b"ftyp", b"heic" + struct.pack(">I", 0) + b"mif1heic")

    def meta(data_start):
        return full_box(b"meta", 0, 0, hdlr + pitm + iloc(data_start) + iinf + iref + iprp + idat)

    mdat_head = struct.pack(">I4sQ", 1, b"mdat", 16 + total) if total + 8 > 0xFFFFFFFF \
        else struct.pack(">I4s", 8 + total, b"mdat")
    # The meta box's size does not depend on the offsets in it: measure it, then write it
    # with the tiles' real places.
    data_start = len(ftyp) + len(meta(0)) + len(mdat_head)
    head = ftyp + meta(data_start) + mdat_head
    if len(head) != data_start:
        raise Fault("internal: meta box changed size with its offsets")
    return head + b"".join(t[2] for t in tiles)


# ---- the run ---------------------------------------------------------------------------

def run(command):
    try:
        done = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    except OSError as e:
        raise Fault(f"cannot run {command[0]}: {e}")
    if done.returncode != 0:
        raise Fault(f"{shlex.join(command)} failed ({done.returncode}): {done.stderr.strip()}")
    return done.stdout


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("input")
    parser.add_argument("output")
    parser.add_argument("--tile", type=int, default=512, help="tile side in pixels (512)")
    parser.add_argument("--quality", type=int, default=60, help="heif-enc quality (60)")
    parser.add_argument("--irot", type=int, default=0, choices=range(4),
                        help="quarter turns anticlockwise shown on display (0)")
    parser.add_argument("--limited-range", action="store_true",
                        help="code the tiles in limited range (16..235), as some phones do")
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 1,
                        help="tiles encoded at once (number of cores)")
    args = parser.parse_args()
    if not 16 <= args.tile <= 8192 or args.tile % 8:
        parser.error("--tile must be a multiple of 8 from 16 to 8192")
    if not 0 <= args.quality <= 100:
        parser.error("--quality must be 0..100")
    for tool in ("convert", "identify", "heif-enc"):
        if shutil.which(tool) is None:
            raise Fault(f"needs {tool} on the PATH")

    size = run(["identify", "-format", "%w %h\n", args.input]).split("\n")[0].split()
    if len(size) != 2:
        raise Fault(f"identify gave no size for {args.input}")
    width, height = int(size[0]), int(size[1])
    tile = args.tile
    columns, rows = -(-width // tile), -(-height // tile)
    if columns > 256 or rows > 256:
        raise Fault(f"{columns} x {rows} tiles: a grid holds at most 256 x 256")

    with tempfile.TemporaryDirectory(prefix="grid-heic-") as temp:
        # Pad to whole tiles by repeating the edge pixels (what the encoder then spends on
        # the padding is next to nothing), then cut row by row.
        run(["convert", args.input, "-alpha", "off", "-depth", "8",
             "-virtual-pixel", "edge",
             "-set", "option:distort:viewport", f"{columns * tile}x{rows * tile}+0+0",
             "-distort", "SRT", "0", "+repage",
             "-crop", f"{tile}x{tile}", "+repage", "+adjoin",
             # Every tile in colour, so all are coded alike (a grey tile would
             # otherwise be written as a grey PNG and coded monochrome).
             "-define", "png:color-type=2",
             os.path.join(temp, "tile%04d.png")])
        count = columns * rows
        pngs = [os.path.join(temp, f"tile{i:04d}.png") for i in range(count)]
        missing = [p for p in pngs if not os.path.isfile(p)]
        if missing or os.path.exists(os.path.join(temp, f"tile{count:04d}.png")):
            raise Fault(f"cutting {args.input} gave other than {count} tiles")

        def encode(png):
            heic = png[:-4] + ".heic"
            extra = ["-p", "x265:range=limited"] if args.limited_range else []
            run(["heif-enc", "-q", str(args.quality), *extra, "-o", heic, png])
            return read_tile(heic, tile)

        with concurrent.futures.ThreadPoolExecutor(max(1, args.jobs)) as pool:
            tiles = list(pool.map(encode, pngs))

    if any(t[1] != tiles[0][1] for t in tiles):
        raise Fault("the tiles' pixel formats or colour descriptions differ")
    data = grid_heif(tiles, columns, rows, width, height, tile, args.irot)
    # Written beside the output and renamed, so a failure leaves no half file.
    part = args.output + ".part"
    try:
        with open(part, "wb") as f:
            f.write(data)
        os.replace(part, args.output)
    except OSError as e:
        try:
            os.unlink(part)
        except OSError:
            pass
        raise Fault(f"cannot write {args.output}: {e}")


if __name__ == "__main__":
    try:
        main()
    except Fault as e:
        print(f"make_grid_heic.py: {e}", file=sys.stderr)
        sys.exit(1)
