#!/usr/bin/env python3
"""imgpoke against a plain reference model of its documented behaviour, on
random images that are damaged on purpose.

The model re-reads the record headers at every sector search, straight from
the bytes, with none of the program's indexing or buffering, so any place
where those shortcuts change a result shows up as a difference: in standard
output, standard error, the exit status or the bytes of the image.

Usage: imgpoke_differential.py IMGPOKE [CASES] [SEED]
"""

import os
import random
import struct
import subprocess
import sys
import tempfile

HEADER = 688
RECORD = 16
MAX_OFFSET = 0x7FFFFFFF
SOURCE_LIMIT = 737280

MESSAGES = {
    "usage": "Usage:\nUsage: imgpoke (-s) [d88file] [targetfile] [diskno] [track] [Sector]\n     -s : 片面モード\n",
    "open": "D88ファイルをオープンできません.\n",
    "disk": "指定のディスクがありません.\n",
    "track": "トラックの指定が範囲外です.\n",
    "banner": "*** 片面モード ***\n",
    "unformatted": "指定のトラックはフォーマットされていません.\n",
    "sector": "指定されたセクタが見つかりません.\n",
    "short": "D88イメージへの書き込みに失敗しました.(書き込んだサイズ: %d byte)\n",
    "done": "diskno:%2d track:%2d sector:%2d から %dbyte 書き込みました.\n",
}


def le16(b, at):
    return b[at] | (b[at + 1] << 8)


def le32s(b, at):
    return struct.unpack_from("<i", b, at)[0]


class Model:
    """One imgpoke run on an image held in memory."""

    def __init__(self, image):
        self.b = bytearray(image)
        self.length = len(image)

    def directory(self):
        offsets, offset = [], 0
        while len(offsets) < 64:
            if offset + HEADER > self.length:
                break
            following = offset + le32s(self.b, offset + 0x1C)
            if following < offset or following > MAX_OFFSET:
                break
            offsets.append(offset)
            offset = following
        return offsets

    def select(self, offset):
        self.disk = offset
        self.size = le32s(self.b, offset + 0x1C)
        self.tracks = [le32s(self.b, offset + 0x20 + 4 * i) for i in range(164)]

    def track_start(self, index):
        if index < 0 or index > 163:
            return None
        entry = self.tracks[index]
        if entry <= 0 or entry > self.size or self.disk + entry > MAX_OFFSET:
            return None
        return self.disk + entry

    def header(self, at):
        if at + RECORD > self.length:
            return None
        return self.b[at:at + RECORD]

    def list_ids(self, index):
        start = self.track_start(index)
        ids = []
        if start is None:
            return ids
        at, i = start, 0
        while 4 * i + 4 <= 256:
            h = self.header(at)
            if h is None:
                break
            ids.append(tuple(h[0:4]))
            if i == le16(h, 4) - 1:
                break
            at += RECORD + le16(h, 14)
            i += 1
        return ids

    def write_sector(self, index, chrn, data):
        start = self.track_start(index)
        if start is None or any(v < 0 or v > 255 for v in chrn):
            return 0
        at, i = start, 0
        while True:
            h = self.header(at)
            if h is None:
                return 0
            count, length = le16(h, 4), le16(h, 14)
            if count == 0:
                return 0
            if tuple(h[0:4]) == chrn:
                # A sector the end of the file cuts short is written all the
                # same, and the file grows; never past the disk's end.
                n = min(length, len(data))
                begin = at + RECORD
                end = self.disk + self.size
                if n <= 0 or begin < self.disk + HEADER or begin + n > end:
                    return 0
                self.b[begin:begin + n] = data[:n]
                self.length = len(self.b)
                return n
            at += RECORD + length
            if i == count - 1:
                return 0
            i += 1

    def write_run(self, index, c, h, r, n, source, first, last, last_index, double_sided):
        total = 0
        while total < len(source):
            size = len(source) - total
            if 0 <= n <= 23:
                size = min(size, 128 << n)
            total += self.write_sector(index, (c, h, r, n), source[total:total + size])
            if total >= len(source):
                break
            if r == last:
                if double_sided:
                    index += 1
                    if h == 0:
                        h = 1
                    else:
                        h, c = 0, c + 1
                else:
                    index, c = index + 2, c + 1
                r = first
                if index > last_index:
                    break
            else:
                r += 1
        return total


def model_run(image, source, single, disk, track, sector):
    """Returns (stdout, stderr, status, image bytes)."""
    m = Model(image)
    disks = m.directory()
    if disk < 0 or disk >= len(disks):
        return "", MESSAGES["disk"], 1, bytes(m.b)
    m.select(disks[disk])
    if track < 0 or track > 163:
        return "", MESSAGES["track"], 1, bytes(m.b)
    out = ""
    if single:
        out = MESSAGES["banner"]
        index, c, h, last_index = track * 2, track, 0, 70
    else:
        index, c, h, last_index = track, track // 2, track % 2, 163
    ids = m.list_ids(index)
    if not ids:
        return out, MESSAGES["unformatted"], 1, bytes(m.b)
    for _ in range(len(ids) - 1):
        for i in range(len(ids) - 1):
            if ids[i][2] > ids[i + 1][2]:
                ids[i], ids[i + 1] = ids[i + 1], ids[i]
    lowest, highest = ids[0][2], ids[-1][2]
    if sector < lowest or sector > highest:
        return out, MESSAGES["sector"], 1, bytes(m.b)
    position = sector - lowest
    if position < len(ids):
        n = ids[position][3]
    else:
        n = next(i[3] for i in ids if i[2] >= sector)
    written = m.write_run(index, c, h, sector, n, source, lowest, highest, last_index, not single)
    if written != len(source):
        return out, MESSAGES["short"] % written, 1, bytes(m.b)
    return out + MESSAGES["done"] % (disk, track, sector, written), "", 0, bytes(m.b)


def sound_disk(rng, double_sided):
    """A formatted disk with a few tracks: random sizes, orders and gaps."""
    tracks = rng.randint(2, 6)
    body = bytearray()
    table = [0] * 164
    for t in range(tracks):
        index = t if double_sided else 2 * t
        sectors = rng.randint(1, 12)
        numbers = list(range(1, sectors + 1))
        if rng.random() < 0.3:
            numbers = [x + rng.randint(0, 3) for x in numbers]
        if rng.random() < 0.4:
            rng.shuffle(numbers)
        table[index] = HEADER + len(body)
        for r in numbers:
            n = rng.choice([0, 0, 1, 1, 2]) if rng.random() < 0.2 else 1
            length = 128 << n
            body += struct.pack("<BBBBHBxx5xH", index // 2 if double_sided else t, index % 2 if double_sided else 0,
                                r & 0xFF, n, sectors, 0, length)
            body += bytes(rng.randrange(256) for _ in range(length))
    header = bytearray(HEADER)
    header[0x1B] = 0x10
    struct.pack_into("<i", header, 0x1C, HEADER + len(body))
    for i, entry in enumerate(table):
        struct.pack_into("<i", header, 0x20 + 4 * i, entry)
    return bytearray(header + body)


def record_positions(image):
    """Where the record headers of the first disk's tracks stand, as laid out."""
    m = Model(image)
    if not m.directory():
        return []
    m.select(0)
    positions = []
    for index in range(164):
        at = m.track_start(index)
        for _ in range(16 if at is not None else 0):
            h = m.header(at)
            if h is None:
                break
            positions.append(at)
            at += RECORD + le16(h, 14)
    return positions


def damage(image, rng):
    """Random harm to the fields a reader trusts: counts, lengths, identities,
    track entries, size fields, and the file's end."""
    for _ in range(rng.randint(1, 4)):
        kind = rng.choice([0, 1, 2, 3, 4, 5, 6, 6, 6])
        if kind == 6:  # the count or data length of one record of the first disk
            records = record_positions(image)
            if records:
                at = rng.choice(records)
                if rng.random() < 0.6:
                    struct.pack_into("<H", image, at + 4, rng.choice([0, 0, 1, 2, 3, 65535]))
                else:
                    struct.pack_into("<H", image, at + 14, rng.choice([0, 16, 100, 300, 1024]))
            continue
        if kind == 0 and len(image) > HEADER + RECORD:  # a count or a data length
            at = rng.randrange(HEADER, len(image) - 2)
            struct.pack_into("<H", image, at, rng.choice([0, 1, 2, 3, 65535, rng.randrange(65536)]))
        elif kind == 1:  # a track entry
            entry = rng.choice([0, -1, 1, 100, HEADER, len(image), len(image) + 1, rng.randrange(len(image) + 1)])
            struct.pack_into("<i", image, 0x20 + 4 * rng.randrange(164), entry)
        elif kind == 2:  # the size field
            struct.pack_into("<i", image, 0x1C, rng.choice([0, 100, HEADER, len(image) - 1, len(image) * 2,
                                                           0x7FFFFFFF, -HEADER]))
        elif kind == 3 and len(image) > HEADER + 100:  # cut the file
            del image[rng.randrange(HEADER, len(image)):]
        elif kind == 4 and len(image) > HEADER:  # any byte
            image[rng.randrange(HEADER, len(image))] = rng.randrange(256)
        elif kind == 5:  # a plausible record planted inside the header, over unused table entries
            at = rng.choice([0x20 + 4 * 140, HEADER - RECORD - 8])
            r, count = rng.randint(1, 4), rng.choice([1, 2, 9])
            struct.pack_into("<BBBBH8xH", image, at, 0, 0, r, 1, count, rng.choice([256, 64, 4000]))
            struct.pack_into("<i", image, 0x20, at)
    return image


def listed_sector_numbers(image, disk, index):
    """The sector numbers the start track lists, to aim most runs at them."""
    m = Model(image)
    disks = m.directory()
    if not 0 <= disk < len(disks):
        return []
    m.select(disks[disk])
    return [identity[2] for identity in m.list_ids(index)]


def make_case(rng):
    double_sided = rng.random() < 0.7
    count = rng.choice([1, 1, 2, 3])
    image = bytearray(b"".join(sound_disk(rng, double_sided) for _ in range(count)))
    if rng.random() < 0.85:
        image = damage(image, rng)
    # Mostly a run that can start: the disk's own mode, a disk and track that
    # exist, a sector near the track's numbers.
    single = not double_sided if rng.random() < 0.9 else double_sided
    disk = rng.randrange(count) if rng.random() < 0.9 else rng.choice([-1, count, 64])
    track = rng.randrange(4) if rng.random() < 0.9 else rng.choice([70, 90, 163, 164, -1])
    sector = rng.randint(1, 10) if rng.random() < 0.9 else rng.choice([0, 14, 255, 256])
    listed = listed_sector_numbers(bytes(image), disk, track * 2 if single else track)
    if listed and rng.random() < 0.7:
        sector = rng.choice(listed)
    source = bytes(rng.randrange(256) for _ in range(rng.choice([0, 1, 100, 300, 1000, 3000, 9000])))
    return bytes(image), source, single, disk, track, sector


def main():
    program = sys.argv[1]
    cases = int(sys.argv[2]) if len(sys.argv) > 2 else 400
    rng = random.Random(int(sys.argv[3]) if len(sys.argv) > 3 else 8801)
    failures = 0
    with tempfile.TemporaryDirectory(prefix="imgpoke-differential-") as work:
        image_path, source_path = os.path.join(work, "image.d88"), os.path.join(work, "source.bin")
        for number in range(cases):
            image, source, single, disk, track, sector = make_case(rng)
            with open(image_path, "wb") as handle:
                handle.write(image)
            with open(source_path, "wb") as handle:
                handle.write(source)
            arguments = (["-s"] if single else []) + [image_path, source_path, str(disk), str(track), str(sector)]
            run = subprocess.run([program, *arguments], capture_output=True,
                                 env={"LC_ALL": "C.UTF-8", "PATH": "/usr/bin:/bin"})
            with open(image_path, "rb") as handle:
                after = handle.read()
            want = model_run(image, source, single, disk, track, sector)
            got = (run.stdout.decode(), run.stderr.decode(), run.returncode, after)
            if got != want:
                failures += 1
                keep = os.path.join(os.getcwd(), "differential-case-%d.d88" % number)
                with open(keep, "wb") as handle:
                    handle.write(image)
                print("case %d differs (%s, image kept as %s):" % (number, " ".join(arguments[:-5] + arguments[-3:]),
                                                                   keep))
                for name, g, w in zip(("stdout", "stderr", "status"), got[:3], want[:3]):
                    if g != w:
                        print("  %s: got %r, want %r" % (name, g, w))
                if got[3] != want[3]:
                    first = next(i for i in range(min(len(got[3]), len(want[3]))) if got[3][i] != want[3][i]) \
                        if len(got[3]) == len(want[3]) else -1
                    print("  image bytes differ (first at %d)" % first)
    print("%d passed, %d failed" % (cases - failures, failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
