#!/usr/bin/env python3
"""Writes the hand-made seed files of the fuzz corpora (run from anywhere).

Every seed is built here byte by byte: valid saved games, player histories,
settings files, command lines, ramp games and bitmaps, and the broken ones
that matter. JPEG seeds are cut from the game's own pictures in resources/.
Inputs that once broke a reader are kept beside them as regression-*.
"""
import pathlib
import struct

HERE = pathlib.Path(__file__).resolve().parent
CORPUS = HERE / "corpus"
RESOURCES = HERE.parent / "resources"
SPECIAL = 0x02FFFFFE
PALETTE = [0x0000FF, 0xFF0000, 0x008000, 0x0080FF, 0xC0C0C0]


def put(target, name, data):
    folder = CORPUS / target
    folder.mkdir(parents=True, exist_ok=True)
    (folder / name).write_bytes(data if isinstance(data, bytes) else data.encode("utf-8"))


# --- saved games -------------------------------------------------------------

def counted(text):
    raw = text if isinstance(text, bytes) else text.encode("cp1252")
    return struct.pack("<i", len(raw)) + raw


def cell(index, columns, rows, w, h, kind=0, color=None, occupied=1, left=None, top=None):
    column, row = index % columns, index // columns
    color = (SPECIAL if kind else PALETTE[index % 5]) if color is None else color
    links = [index - columns if row > 0 else -1, index - 1 if column > 0 else -1,
             index + 1 if column < columns - 1 else -1, index + columns if row < rows - 1 else -1]
    return struct.pack("<iiiB3xIB3x4iB3x", index, column * w if left is None else left,
                       row * h if top is None else top, kind, color, occupied, *links, 0)


def game_block(columns=4, rows=3, w=20, h=21, cells=None, colours=5, auto_drop=0, play_time=90,
               actions=1, low=1, magic="Pebbledrome_Saved_40"):
    n = columns * rows
    if cells is None:
        cells = [cell(i, columns, rows, w, h, kind=1 if i == 5 else 5 if i == 6 else 0) for i in range(n)]
    head = counted(magic) + counted("PEBBLE-8") + struct.pack("<d", 45000.75)
    head += struct.pack("<iiiiiBiBB", h, w, columns, rows, colours, auto_drop, play_time, actions, low)
    head += struct.pack("<iiii", n, n // 2, 1, len(cells))
    return head + b"".join(cells)


def history_entry(name="Ann", computer="PEBBLE-8", date=45001.5, score=12, address=""):
    return counted(name) + counted(computer) + struct.pack("<di", date, score) + counted(address)


def saved_games():
    put("saved_game", "valid-4x3.clk", game_block())
    put("saved_game", "valid-with-history.clk",
        game_block() + history_entry() + history_entry("Zoë", "LAPTOP", 45100.25, 3, "zoe@example.org"))
    put("saved_game", "valid-auto-drop-high-score.clk", game_block(6, 6, 5, 5, auto_drop=1, play_time=300, low=0))
    put("saved_game", "valid-40x40-small-stones.clk", game_block(40, 40, 5, 5))
    put("saved_game", "wrong-magic.clk", game_block(magic="pebbledrome_saved_40"))
    put("saved_game", "cut-in-cells.clk", game_block()[:-30])
    put("saved_game", "cell-total-huge.clk", game_block()[:-12 * 44 - 4] + struct.pack("<i", 0x7FFFFFFF))
    put("saved_game", "history-cut.clk", game_block() + history_entry()[:-3])
    # Stones one pixel wide and high: a click on the frame line left the field.
    put("saved_game", "regression-one-pixel-stones.clk", game_block(3, 2, 1, 1))
    # A cell far from its place: its trace lines overflowed.
    cells = [cell(i, 4, 3, 20, 21) for i in range(12)]
    cells[3] = cell(3, 4, 3, 20, 21, left=0x7FFFFFF0)
    put("saved_game", "regression-cell-left-far-off.clk", game_block(cells=cells))
    # A stone colour beyond 24 bits: only the special stones' mark may use the top byte.
    cells = [cell(i, 4, 3, 20, 21) for i in range(12)]
    cells[2] = cell(2, 4, 3, 20, 21, color=0xFF0000FF)
    put("saved_game", "regression-colour-beyond-24-bits.clk", game_block(cells=cells))


def histories():
    put("player_history", "one-entry", history_entry())
    put("player_history", "three-entries",
        history_entry() + history_entry("Zoë", "LAPTOP", 45100.25, 3, "zoe@example.org")
        + history_entry("Éric", "PC", 44000.0, 1500, ""))
    put("player_history", "empty-texts", history_entry("", "", 0.0, 0, ""))
    put("player_history", "longest-name", history_entry("x" * 1000))
    put("player_history", "name-too-long", history_entry("x" * 1001))
    put("player_history", "length-negative", struct.pack("<i", -1))
    put("player_history", "date-not-a-number", counted("A") + counted("B") + b"\x00" * 6 + b"\xf8\x7f"
        + struct.pack("<i", 1) + counted(""))
    put("player_history", "cut-entry", history_entry()[:-2])


# --- settings files ----------------------------------------------------------

ROOT = "HKEY_CURRENT_USER\\SOFTWARE\\Varnex-Soft\\Pebbledrome"


def reg(body):
    return "Windows Registry Editor Version 5.00\n\n" + body


def settings_files():
    put("reg_file", "game-settings.reg", reg(
        f"[{ROOT}]\n\"Version\"=dword:00000401\n\"Sprache\"=dword:000003e8\n\"Name\"=\"Zoë \\\"Z\\\" \\\\o/\"\n\n"
        f"[{ROOT}\\Konfiguration]\n\"Stein Höhe\"=dword:00000015\n\"Stein Breite\"=dword:00000014\n"
        "\"Hintergrundbild\"=\"/home/zoe/Bilder/see.jpg\"\n@=\"default\"\n\n"
        f"[{ROOT}\\User-Farben]\n\"Farbe0\"=dword:000000ff\n\n"
        f"[{ROOT}\\Score10x16c5]\n\"Zeit\"=hex:00,00,00,00,00,f8,e5,40\n"
        "\"Liste\"=hex(7):41,00,00,00,42,00,00,00,00,00\n"
        "\"Lang\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,17,18,19,\\\n"
        "  1a,1b,1c,1d\n\n"))
    put("reg_file", "old-header.reg", "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n\"x\"=dword:1\r\n")
    put("reg_file", "bom-and-comment.reg", "\ufeff" + reg("; a comment\n[HKEY_CURRENT_USER\\A]\n\"x\"=hex(2):41,00,00,00\n"))
    put("reg_file", "damaged-lines.reg", reg(
        "[HKEY_CURRENT_USER\\A]\n\"x\"=dword:123456789\nnot a line\n[-HKEY_CURRENT_USER\\B]\n\"y\"=hex:1,\n"
        "[HKEY_CURRENT_USER\\A\n\"z\"=\"unclosed\n"))
    put("reg_file", "no-header.reg", "[HKEY_CURRENT_USER\\A]\n\"x\"=dword:1\n")
    # A key nested deeper than the stack could follow.
    put("reg_file", "regression-deep-nesting.reg", reg("[" + "\\".join(["k"] * 100000) + "]\n\"v\"=dword:1\n"))
    # Many values in one key: each was found by a search of all before it.
    put("reg_file", "regression-many-values.reg",
        reg("[HKEY_CURRENT_USER\\A]\n" + "".join(f"\"{i:x}\"=dword:0\n" for i in range(100000))))
    # A NUL inside quotes was cut off at the second rewrite.
    put("reg_file", "regression-nul-in-string.reg", reg("[HKEY_CURRENT_USER\\A]\n\"n\"=\"a\x00b\"\n"))
    put("reg_file", "regression-text-ending-in-nul.reg", reg("[HKEY_CURRENT_USER\\A]\n\"n\"=\"a\x00\"\n"))
    put("reg_file", "regression-broken-utf8-with-tab.reg",
        b"Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\A]\n\"n\"=\"\xc0\x80\t\xed\xa0\x80\xff\"\n")
    put("reg_file", "regression-key-like-a-deletion.reg", reg("[\\-A]\n\"x\"=dword:1\n"))
    # A long hex value name followed by lines of nothing but the continuation
    # mark: each continuation searched the whole joined line again.
    put("reg_file", "regression-long-continuation.reg",
        reg("[HKEY_CURRENT_USER\\A]\n\"" + "n" * 100000 + "\"=hex:00,\\\n" + "\\\n" * 50000))
    # Window places at the limits of a 32-bit value: the game must start and
    # show its windows on a screen.
    limits = "".join(f"\"{name}\"=dword:7fffffff\n" for name in ("Links", "Oben", "Breite", "Höhe"))
    put("reg_file", "regression-window-places-at-the-limit.reg", reg(
        f"[{ROOT}]\n\"Pos Links\"=dword:7fffffff\n\"Pos Top\"=dword:80000000\n\n"
        f"[{ROOT}\\Hints]\n{limits}\n[{ROOT}\\CountDown]\n{limits}"))


# --- command lines, one argument per line -------------------------------------

def command_lines():
    put("command_line", "all-options", "\n".join([
        "stohi:25", "-stowi:22", "/rows:20", "\\columns:12", "colors:7", "backpic:grey", "sounds:no",
        "texturized:yes", "voyeur:no", "trace:yes", "resize:no", "action:yes", "animations:no",
        "autodrop:yes", "playtime:60", "undo:no", "score:high"]))
    put("command_line", "upper-case", "ROWS:40\nCOLUMNS:40\nSCORE:LOW\nBACKPIC:NONE")
    put("command_line", "bad-values", "rows:0\nrows:41\ncolors:16\ncolors:1\nplaytime:5\nrows:abc\nbackpic:\nscore:mid")
    put("command_line", "paths", "backpic:/tmp\nbackpic:/nonexistent/picture.jpg\n/tmp/missing.clk\nbackpic:/")
    # Stones one pixel wide and high: a click on the frame line left the field.
    put("command_line", "regression-one-pixel-stones", "stohi:1\nstowi:1\nrows:1\ncolumns:1")
    put("command_line", "regression-bare-sizes", "stohi\nstowi\nrows:40\ncolumns:40")


# --- ramp games: see ramp_fuzzer.cpp for the layout ---------------------------

def ramp_game(seed, columns, rows, w, h, offset, every, actions, colours, tops, stones, steps):
    data = bytes([seed]) + struct.pack("<HHHHHH", columns - 1, rows - 1, w - 1, h - 1, offset - 1, every - 1)
    data += bytes([0 if actions else 1]) + struct.pack("<H", colours - 2) + bytes(tops)
    reach = columns * w + 1 + 2 * w + 4
    data += bytes([len(stones)])
    for left, right, kind in stones:
        data += struct.pack("<H", left + reach // 2 + reach) + bytes([right, kind])
    return data + bytes(steps)


def ramp_games():
    put("ramp", "default-field-ticks", ramp_game(1, 10, 16, 20, 21, 5, 3, False, 5, [4] * 10, [], [0] * 60))
    put("ramp", "head-on-stones", ramp_game(2, 6, 6, 20, 21, 7, 8, True, 3, [2, 0, 6, 1, 3, 2],
                                            [(10, 1, 0), (80, 0, 0), (45, 1, 1)], [0] * 20 + [3, 0, 3, 1]))
    put("ramp", "full-columns", ramp_game(3, 4, 2, 20, 21, 5, 1, False, 2, [0, 0, 0, 0],
                                          [(30, 1, 0), (60, 0, 0)], [0] * 40))
    put("ramp", "wide-steps-narrow-stones", ramp_game(4, 40, 3, 1, 1, 37, 1, True, 15, [3, 0, 1] * 13 + [2],
                                                      [(0, 1, 0), (5, 0, 2), (39, 0, 0)], [0, 1, 2] * 30))
    put("ramp", "stones-beyond-the-ends", ramp_game(5, 5, 5, 50, 50, 1000, 2, False, 4, [1, 2, 3, 4, 5],
                                                    [(-60, 1, 0), (300, 0, 0), (-1, 0, 5)], [0, 3, 0, 1, 2] * 10))


# --- pictures ----------------------------------------------------------------

def bmp(width, height, bits, pixels, palette=b"", compression=0, header_size=40, masks=b""):
    info = struct.pack("<iiiHHIIiiII", header_size, width, height, 1, bits, compression, len(pixels),
                       2835, 2835, len(palette) // 4, 0) + masks
    offset = 14 + len(info) + len(palette)
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + info + palette + pixels


def pictures():
    put("picture", "rgb24-2x2.bmp", bmp(2, 2, 24, b"\x00\x00\xff\x00\xff\x00\x00\x00" + b"\xff\x00\x00\xff\xff\xff\x00\x00"))
    put("picture", "top-down-rgb24.bmp", bmp(1, -2, 24, b"\x10\x20\x30\x00" + b"\x40\x50\x60\x00"))
    grey = b"".join(struct.pack("<BBBB", v, v, v, 0) for v in (0, 128, 255))
    put("picture", "palette8-3x1.bmp", bmp(3, 1, 8, b"\x00\x01\x02\x00", grey))
    put("picture", "palette1-8x1.bmp", bmp(8, 1, 1, b"\xa5\x00\x00\x00", grey[:8]))
    put("picture", "rle8-4x2.bmp", bmp(4, 2, 8, b"\x04\x01\x00\x00\x02\x02\x02\x00\x00\x01", grey, compression=1))
    put("picture", "bitfields16-2x1.bmp", bmp(2, 1, 16, b"\x1f\x00\xe0\x07", compression=3,
                                              masks=struct.pack("<III", 0xF800, 0x07E0, 0x001F)))
    put("picture", "huge-claimed.bmp", bmp(60000, 60000, 24, b"\x00" * 16))
    put("picture", "bitmap-cut.bmp", bmp(4, 4, 24, b"\x00" * 48)[:40])
    put("picture", "not-a-picture.txt", "GIF89a is no background")
    jpeg = (RESOURCES / "MOREK2.jpg").read_bytes()
    put("picture", "morek2.jpg", jpeg)
    put("picture", "jpeg-cut-in-scan.jpg", jpeg[: len(jpeg) // 2])
    put("picture", "jpeg-cut-in-header.jpg", jpeg[:200])
    sof = jpeg.find(b"\xff\xc0")
    if sof < 0:
        sof = jpeg.find(b"\xff\xc2")
    if sof >= 0:
        huge = bytearray(jpeg)
        huge[sof + 5:sof + 9] = struct.pack(">HH", 0xFFFF, 0xFFFF)
        put("picture", "jpeg-huge-size.jpg", bytes(huge))
        empty = bytearray(jpeg)
        empty[sof + 5:sof + 9] = struct.pack(">HH", 0, 0)
        put("picture", "jpeg-no-size.jpg", bytes(empty))
        # 3.7 KB that claim 10,000 x 9,999 pixels: refused before decoding.
        bomb = bytearray(jpeg)
        bomb[sof + 5:sof + 9] = struct.pack(">HH", 9999, 10000)
        put("picture", "regression-decompression-bomb.jpg", bytes(bomb))
    put("picture", "jpeg-markers-only.jpg", b"\xff\xd8\xff\xd9")


if __name__ == "__main__":
    saved_games()
    histories()
    settings_files()
    command_lines()
    ramp_games()
    pictures()
