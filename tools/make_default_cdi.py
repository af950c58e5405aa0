#!/usr/bin/env python3
"""Writes data/DEFAULT.CDI, the factory colour pages of the colour window.

Ten pages of 27 colours, each listed as three groups of nine related colours
(A to I, J to R, S to Z and "["). The editor rewrites TUPA.CDI from its own
lines and never adds any, so every page carries all 27 x 3 component lines.
The lines are written exactly as the editor writes them back (key, " , ",
value, one blank), so a fresh TUPA.CDI stays byte for byte the same when the
editor quits without changes.

    python3 tools/make_default_cdi.py
"""

import colorsys
import pathlib

OUT = pathlib.Path(__file__).resolve().parent.parent / "data" / "DEFAULT.CDI"


def hsv(h, s, v):
    """Hue in degrees, s and v 0..1, rounded to 0..255 components."""
    r, g, b = colorsys.hsv_to_rgb((h % 360) / 360.0, s, v)
    return tuple(int(round(c * 255)) for c in (r, g, b))


def grey(v):
    return (v, v, v)


PAGES = [
    ("基本色", [
        # black, white, the primaries and secondaries, grey
        (0, 0, 0), (255, 255, 255), (255, 0, 0), (0, 255, 0), (0, 0, 255),
        (255, 255, 0), (0, 255, 255), (255, 0, 255), (128, 128, 128),
        # silver and the dark halves
        (192, 192, 192), (128, 0, 0), (0, 128, 0), (0, 0, 128), (128, 128, 0),
        (0, 128, 128), (128, 0, 128), (255, 128, 0), (128, 64, 0),
        # pink, sky, yellow-green, light blue, violet, rose, spring green, gold, charcoal
        (255, 128, 192), (128, 192, 255), (128, 255, 0), (0, 192, 255), (128, 0, 255),
        (255, 0, 128), (0, 255, 128), (255, 192, 0), (64, 64, 64),
    ]),
    ("グレー", [
        # 18 even steps from black to white
        *[grey(15 * i) for i in range(18)],
        # warm greys, dark to paper
        (88, 80, 72), (144, 134, 122), (204, 196, 184), (245, 240, 230),
        # cool greys, dark to paper
        (72, 80, 88), (122, 134, 144), (184, 196, 204), (230, 238, 245),
        # sage grey
        (118, 124, 110),
    ]),
    ("肌と髪", [
        # skin, fair to deep
        (255, 236, 224), (255, 224, 200), (250, 208, 180), (240, 192, 160), (226, 172, 136),
        (204, 148, 110), (176, 120, 84), (140, 90, 60), (96, 60, 40),
        # shadows, cheeks and lips, peach, the deepest skin
        (232, 180, 160), (212, 150, 130), (180, 112, 96), (255, 170, 170), (220, 100, 110),
        (168, 60, 70), (110, 70, 50), (248, 200, 170), (70, 44, 32),
        # hair: black, dark brown, brown, chestnut, auburn, red, blond, platinum, grey
        (20, 16, 16), (60, 40, 30), (100, 66, 40), (140, 90, 50), (150, 60, 30),
        (210, 110, 50), (230, 190, 120), (245, 225, 170), (170, 170, 175),
    ]),
    ("パステル", [
        # the hue circle in 20 degree steps, light
        *[hsv(h, 0.35, 1.0) for h in range(0, 360, 20)],
        # paler still, every 40 degrees
        *[hsv(h, 0.2, 1.0) for h in range(0, 360, 40)],
    ]),
    ("アース", [
        # soil, dark brown, brown, terracotta, brick, rust, ochre, mustard, sand
        (120, 84, 56), (74, 48, 32), (140, 96, 60), (190, 96, 64), (160, 72, 48),
        (170, 80, 40), (200, 150, 60), (190, 160, 60), (220, 200, 160),
        # wheat, beige, ecru, khaki, olive drab, moss, sage, dry grass, bark
        (232, 212, 168), (222, 204, 178), (240, 232, 212), (170, 160, 110), (110, 110, 60),
        (96, 110, 60), (150, 160, 120), (190, 170, 110), (100, 80, 64),
        # stone, clay, reddish brown, chestnut, coffee, cocoa, cinnamon, amber, dark soil
        (140, 136, 128), (180, 140, 110), (130, 60, 40), (110, 56, 36), (80, 56, 44),
        (120, 90, 70), (160, 100, 60), (200, 120, 40), (50, 40, 32),
    ]),
    ("空と海", [
        # day sky: zenith, blue sky, sky, horizon, cloud, cloud shadow, rain cloud,
        # storm cloud, haze
        (40, 100, 200), (80, 150, 230), (135, 195, 240), (190, 225, 250), (245, 248, 252),
        (200, 208, 220), (120, 128, 140), (70, 76, 90), (220, 228, 236),
        # dawn, dusk and night: morning glow, sunset orange, sunset red, twilight,
        # evening blue, night sky, midnight, moonlight, starlight
        (250, 180, 140), (240, 130, 60), (210, 70, 60), (130, 90, 150), (50, 60, 120),
        (16, 22, 52), (5, 8, 24), (230, 232, 200), (255, 250, 220),
        # sea: shallows, emerald, tropical sea, sea, deep sea, ultramarine, foam,
        # beach, grey sea
        (120, 220, 210), (40, 180, 160), (0, 150, 190), (20, 100, 170), (10, 50, 100),
        (40, 60, 160), (235, 250, 250), (240, 225, 190), (90, 120, 130),
    ]),
    ("植物", [
        # leaves: young leaf, fresh green, leaf, deep green, evergreen, pine,
        # leaf shadow, yellow-green, moss
        (170, 220, 90), (120, 200, 70), (70, 160, 50), (30, 110, 40), (20, 80, 40),
        (40, 90, 60), (15, 50, 25), (190, 230, 60), (110, 140, 50),
        # flowers: cherry blossom, peach, rose, camellia, rape blossom, sunflower,
        # tangerine, wisteria, violet
        (250, 200, 210), (245, 150, 170), (210, 30, 60), (190, 20, 40), (250, 220, 40),
        (255, 190, 0), (250, 150, 30), (170, 140, 210), (110, 70, 160),
        # bellflower, hydrangea, white petal, pollen, autumn red, autumn yellow,
        # dead leaf, trunk, stem
        (90, 80, 180), (120, 150, 220), (250, 250, 240), (240, 200, 80), (200, 60, 30),
        (230, 170, 40), (150, 100, 50), (110, 80, 55), (100, 150, 70),
    ]),
    ("Web セーフ", [
        # the cube of 00, 99 and FF: one group per red level
        (r, g, b) for r in (0, 153, 255) for g in (0, 153, 255) for b in (0, 153, 255)
    ]),
    ("ビビッド", [
        # full colour every 20 degrees
        *[hsv(h, 1.0, 1.0) for h in range(0, 360, 20)],
        # deep, every 40 degrees
        *[hsv(h, 1.0, 0.75) for h in range(0, 360, 40)],
    ]),
    ("くすみ色", [
        # dusty, every 20 degrees
        *[hsv(h, 0.3, 0.72) for h in range(0, 360, 20)],
        # dark and dusty, every 40 degrees
        *[hsv(h, 0.28, 0.48) for h in range(0, 360, 40)],
    ]),
]

HEADER = """\
' Tupa 色定義ファイル (カラーWindow の Dic ページ)
' 書式 : キー , 値 'コメント   (行頭のアポストロフィはコメント行、[EOF] の行で終わり)
' CNAM , ページ名   でページが始まる (最初の CNAM が 0 ページ、10 ページまで)
' C?_R , C?_G , C?_B   は 1 色の赤・緑・青 (0 から 255)。? は A から Z と [ の 27 色
' 保存では既にある行の値だけが書き換わり、行は増えない: 色の行はすべて残しておくこと
"""


def main():
    assert len(PAGES) == 10
    lines = HEADER.splitlines()
    for number, (name, colours) in enumerate(PAGES):
        assert len(colours) == 27, name
        assert len(set(colours)) == 27, name
        lines.append("")
        lines.append(f"' ページ {number}")
        lines.append(f"CNAM , {name} ")
        for index, rgb in enumerate(colours):
            assert all(0 <= c <= 255 for c in rgb), (name, rgb)
            letter = chr(65 + index)  # A..Z, then "["
            for component, value in zip("RGB", rgb):
                lines.append(f"C{letter}_{component} , {value} ")
    lines.append("[EOF]")
    OUT.write_text("\n".join(lines) + "\n", encoding="utf-8")


if __name__ == "__main__":
    main()
