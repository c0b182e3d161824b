#!/usr/bin/env python3
"""Writes golden.mdl byte by byte from the model file layout, and golden.json, the values
the layout puts into each field, as `mindorra dump` prints them.

One object of every class (kind codes 1 to 12), every field away from its default and
different from its neighbours, so that two fields swapped in both the writer and the reader
no longer read back. Run it from anywhere; it writes beside itself:

    python3 tests/data/golden/make_golden.py

Values that the program derives from others when it reads a model (text boxes, the size of
a shortcut, the ends of an attached arrow) are written as the program derives them, so that
writing the model back gives the same bytes. Doubles are chosen to be exact in binary.
"""
import json
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
PICTURES = os.path.join(HERE, "..", "pictures")


class Stream:
    def __init__(self):
        self.data = bytearray()

    def int32(self, v):
        self.data += struct.pack("<i", v)

    def uint32(self, v):
        self.data += struct.pack("<I", v)

    def byte(self, v):
        self.data += struct.pack("<B", v)

    def bool(self, v):
        self.byte(1 if v else 0)

    def float32(self, v):
        self.data += struct.pack("<f", v)

    def double(self, v):
        self.data += struct.pack("<d", v)

    def block(self, b):
        self.int32(len(b))
        self.data += b

    def string(self, s):
        # Windows-1252 when it can hold the text, otherwise UTF-8 after EF BB BF.
        if not s:
            self.int32(0)
            return
        try:
            b = s.encode("cp1252")
            if b.startswith(b"\xef\xbb\xbf"):
                raise UnicodeError
        except UnicodeError:
            b = b"\xef\xbb\xbf" + s.encode("utf-8")
        self.int32(len(b) + 1)
        self.data += b + b"\0"

    def picture(self, pic):
        if pic is None:
            self.int32(0)
            return
        kind, image = pic["kind"], pic["bytes"]
        self.int32(len(image))
        self.byte(kind)
        self.data += image


# ---- Pictures ------------------------------------------------------------------------------

def bmp(width, height, pixel):
    """A 24-bit bottom-up BMP file image, laid out as Qt writes one."""
    row = (width * 3 + 3) // 4 * 4
    pixels = bytearray()
    for y in reversed(range(height)):
        line = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            line += bytes((b, g, r))
        pixels += line + bytes(row - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 3780, 3780, 0, 0)
    header = b"BM" + struct.pack("<IHHI", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + bytes(pixels)


def placeable_metafile(right, bottom, units_per_inch):
    """A placeable metafile header followed by an empty metafile."""
    words = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, 0, 0, right, bottom, units_per_inch, 0)
    checksum = 0
    for (w,) in struct.iter_unpack("<H", words[:20]):
        checksum ^= w
    header = words[:20] + struct.pack("<H", checksum)
    metafile = struct.pack("<HHHIHIH", 1, 9, 0x300, 12, 0, 3, 0) + struct.pack("<IH", 3, 0)
    return header + metafile


def data_file(name):
    with open(os.path.join(PICTURES, name), "rb") as f:
        return f.read()


def rtf(text):
    return ("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\pard\\qc\\f0\\fs20 %s\\par}"
            % text).encode("ascii")


PREVIEW = bmp(3, 4, lambda x, y: (10 * x, 20 * y, 200))
ICON = bmp(2, 2, lambda x, y: (255, 0, 0))
BACKGROUND = {"kind": 3, "bytes": placeable_metafile(200, 100, 100), "size": [192, 96]}
FILL_BITMAP = {"kind": 1, "bytes": bmp(5, 3, lambda x, y: (40 * x, 60 * y, 90)), "size": [5, 3]}
FILL_ICON = {"kind": 2, "bytes": data_file("picture_32.ico"), "size": [32, 32]}
PHOTO = {"kind": 4, "bytes": data_file("picture_64x32.jpg"), "size": [64, 32]}

# ---- The model -----------------------------------------------------------------------------

HEADER = {
    "CreatedBy": "Ad\u00e9la\u00efde",            # Windows-1252
    "SavedBy": "\u0411\u043e\u0440\u0438\u0441",   # UTF-8 after the mark
    "Keywords": "golden, \u20acuro",              # the euro sign is 0x80 in Windows-1252
    "CreatedTime": 45000.5,
    "SavedTime": 45123.75,
    "ReservedNumber": 1234567,
    "ReservedText": "\u6f22\u5b57 \U0001F600",   # CJK and an emoji
    "Orientation": 1,
    "PaperWidth": 11.0,
    "PaperHeight": 8.5,
    "PageHeight": 8.0,
    "PageWidth": 10.5,
    "LeftMargin": 0.375,
    "RightMargin": 0.5,
    "TopMargin": 0.625,
    "BottomMargin": 0.75,
    "PrintHeader": True,
    "PrintFooter": False,
    "FooterComments": "page footer",
    "ReversePrintOrder": False,
    "Named": True,
    "Background": BACKGROUND,
    "ZoomFrames": 7,
    "ShowGrid": False,
    "SnapToShape": True,
    "SnapToGrid": False,
    "ShowPageLines": True,
    "PagesAcross": 3,
    "PagesDown": 2,
    "MainViewTopLeft": [1.5, 2.25],
    "MainViewBottomRight": [9.5, 7.75],
    "ModelColor": 0x00E0F0D0,
}


def base(serial, number, x, y, w, h, text, notes, shadow, style3d, show, drag, box):
    return {"Serial": serial, "Number": number, "X": x, "Y": y, "Width": w, "Height": h,
            "Text": text, "Notes": notes, "Shadow": shadow, "Style3D": style3d,
            "ShowNumber": show, "DragX": drag[0], "DragY": drag[1],
            "TextOffsetX": box[0], "TextOffsetY": box[1], "TextWidth": box[2],
            "TextHeight": box[3]}


def lined(style, width, color):
    return {"LineStyle": style, "LineWidth": width, "LineColor": color}


def filled(style, pattern, face, picture, centred, gradient, back):
    return {"FillStyle": style, "PatternIndex": pattern, "FaceColor": face,
            "FillPicture": picture, "PictureCentred": centred, "GradientIndex": gradient,
            "BackColor": back}


def outline(*points):
    """Segments as (C1x, C1y, C2x, C2y, Ex, Ey); straight edges from the corner points."""
    segments = [[0, 0, 0, 0, points[0][0], points[0][1]]]
    for (px, py), (x, y) in zip(points, points[1:]):
        segments.append([px, py, x, y, x, y])
    return segments


SHORTCUT_SIZE = 64 / 96  # a 64-pixel square at the reference resolution


def box16_anchor(k):
    """Anchor k (from 1) of a box: corners, edge quarters and edge middles, clockwise from
    the top-left corner and then numbered backwards."""
    w, h = HOTSPOT["Width"] / 2, HOTSPOT["Height"] / 2
    qw, qh = HOTSPOT["Width"] / 4, HOTSPOT["Height"] / 4
    ring = [(-w, -h), (-qw, -h), (0, -h), (qw, -h), (w, -h), (w, -qh), (w, 0), (w, qh),
            (w, h), (qw, h), (0, h), (-qw, h), (-w, h), (-w, qh), (-w, 0), (-w, -qh)]
    return list(reversed(ring))[k - 1]


HOTSPOT = dict(X=24.5, Y=3.5, Width=2.0, Height=1.5)

OBJECTS = [
    dict(kind=1, cls="TArrow",
         **base(310, 12, 20.25, 5.5, 2.5, 1.25, "", "arrow notes", 2, 0, True, (0.5, 0.75),
                (0, 0, 1, 1)),
         **lined(3, 1.5, 0x000080FF),
         ToHead=7, MidMarker=9, FromHead=10, ToHeadSize=2, MidMarkerSize=1, FromHeadSize=3,
         FromX=18.25, FromY=6.75,
         # The end on the hotspot sits on its anchor 5.
         ToX=HOTSPOT["X"] + box16_anchor(5)[0], ToY=HOTSPOT["Y"] + box16_anchor(5)[1],
         ChordHeight=0.625, FromIndex=-1, ToIndex=11, FromAnchor=-1, ToAnchor=5),
    dict(kind=2, cls="TOLECogi",
         **base(977, 3, 2.5, 9.5, 1.75, 1.25, "", "ole notes", 0, 4, False, (0.25, 0),
                (0, 0.05, 0.8, 0.8)),
         **lined(1, 0.5, 0x00112233),
         Container=struct.pack("<III", 0x434F4442, 1, 6) + b"\x01\x00OLE\xff",
         OleSized=True),
    dict(kind=3, cls="TClipart",
         **base(4, 17, 5.5, 9.5, 2.0, 1.0, "", "", 3, 0, False, (0, 1.5), (0, 0, 1, 1)),
         **lined(5, 2.0, 0x00445566),
         **filled(1, 7, 0x00ABCDEF, None, True, 2, 0x00010203),
         Link="http://example.org/golden", Picture=PHOTO),
    dict(kind=4, cls="TShortCut",
         **base(41, 5, 8.5, 9.5, SHORTCUT_SIZE, SHORTCUT_SIZE, "", "", 1, 2, True,
                (1.0, 2.0), (0, 0.25, 0.8, 0.5)),
         **lined(0, 0.0, 0x00778899),
         Target="/home/\u0430\u043d\u043d\u0430/\u043f\u043b\u0430\u043d.txt"),
    dict(kind=5, cls="TBlockArrow",
         **base(52, 6, 11.5, 9.5, 2.0, 1.0, "block", "", 4, 1, False, (0.125, 0.25),
                (0, 0.15, 0.4, 0.45)),
         **lined(2, 3.0, 0x00AABBCC),
         **filled(0, 3, 0x0000C0FF, None, False, 1, 0x00FFEEDD),
         Link="", Angle=15,
         Outline=outline((-1, -0.25), (0.5, -0.25), (0.5, -0.5), (1, 0), (0.5, 0.5),
                         (0.5, 0.25), (-1, 0.25), (-1, -0.25)),
         ShapeVariant=3),
    dict(kind=6, cls="TLabel",
         **base(66, 7, 14.5, 9.5, 2.5, 0.75, "a label", "label notes", 0, 3, True, (0, 0.5),
                (0, 0, 1, 1)),
         **lined(4, 0.75, 0x00102030),
         **filled(2, 20, 0x00405060, None, True, 0, 0x00708090),
         Link="", Angle=-20, LabelReserved=4),
    dict(kind=7, cls="TDilemma",
         **base(71, 8, 17.5, 9.5, 2.0, 2.0, "", "", 2, 4, False, (0.75, 0.125),
                (-0.21, -0.25, 0.55, 0.4)),
         **lined(0, 1.25, 0x00203040),
         **filled(4, 0, 0x00506070, None, False, 5, 0x008090A0),
         Link="", Angle=45,
         Outline=outline((0, -1), (1, 0), (0, 1), (-1, 0), (0, -1)),
         ShapeVariant=5),
    dict(kind=8, cls="TCogi",
         **base(8, 9, 2.5, 3.5, 1.5, 1.25, "Golden idea", "cogi notes", 1, 3, True,
                (1.25, 0.25), (0, 0, 0.8, 0.58)),
         **lined(0, 2.5, 0x000000FF),
         **filled(3, 11, 0x0033CC99, FILL_BITMAP, True, 6, 0x00336699),
         Link="/home/\u0430\u043d\u043d\u0430/\u043f\u043b\u0430\u043d.mdl", Angle=30,
         Outline=outline((-0.75, 0), (-0.375, -0.625), (0.375, -0.625), (0.75, 0),
                         (0.375, 0.625), (-0.375, 0.625), (-0.75, 0)),
         ShapeVariant=7, CogiSize=3),
    dict(kind=9, cls="TCluster",
         **base(93, 1, 8.5, 3.5, 4.0, 2.5, "the cluster", "", 0, 0, True, (0, 0),
                (0, -0.375, 0.75, 0.25)),
         **lined(1, 1.0, 0x00C0C0C0),
         **filled(0, 0, 0x00E0E0FF, None, False, 0, 0x00FFFFFF),
         Link="", Angle=0,
         Outline=outline((-2, -1.25), (2, -1.25), (2, 1.25), (-2, 1.25), (-2, -1.25)),
         ShapeVariant=11, NumberMembers=True, ClusterMargin=2, FitMembers=False,
         SeeThrough=True),
    dict(kind=10, cls="TBalloon",
         **base(101, 10, 14.5, 3.5, 3.0, 1.5, "balloon", "", 3, 1, False, (0.5, 0.5),
                (0, 0.05, 0.8, 0.8)),
         **lined(0, 1.0, 0x00CC00CC),
         **filled(0, 0, 0x00CCFFFF, None, False, 3, 0x00000000),
         Link="", BalloonStyle=2, TipX=17.25, TipY=5.75),
    dict(kind=11, cls="TFreeShape",
         **base(112, 11, 20.5, 10.5, 2.0, 1.0, "", "free notes", 4, 0, True, (0, 0.25),
                (0, 0.05, 0.8, 0.8)),
         **lined(0, 2.0, 0x00008000),
         **filled(1, 0, 0x00FFFFFF, None, False, 0, 0x00FFFFFF),
         Link="", Angle=0,
         Outline=outline((-1, 0.5), (0, -0.5), (1, 0.5)),
         FreeHead=4, FreeHeadSize=2),
    dict(kind=12, cls="THotspot",
         **base(123, 2, HOTSPOT["X"], HOTSPOT["Y"], HOTSPOT["Width"], HOTSPOT["Height"], "", "",
                0, 0, False, (2.5, 0.5), (0, 0.05, 0.8, 0.8)),
         **lined(5, 1.0, 0x00000000),
         **filled(1, 9, 0x00123456, FILL_ICON, True, 4, 0x00654321),
         Link="CGPTOMAINVIEW"),
]

# The layers of each kind, in record order.
LAYERS = {
    1: ["base", "lined", "arrow"],
    2: ["base", "lined", "ole"],
    3: ["base", "lined", "filled", "gateway", "clipart"],
    4: ["base", "lined", "shortcut"],
    5: ["base", "lined", "filled", "gateway", "angled", "pointed", "blockarrow"],
    6: ["base", "lined", "filled", "gateway", "angled", "label"],
    7: ["base", "lined", "filled", "gateway", "angled", "pointed", "dilemma"],
    8: ["base", "lined", "filled", "gateway", "angled", "pointed", "cogishaped", "cogi"],
    9: ["base", "lined", "filled", "gateway", "angled", "pointed", "cogishaped", "cluster"],
    10: ["base", "lined", "filled", "gateway", "balloon"],
    11: ["base", "lined", "filled", "gateway", "angled", "pointed", "freeshape"],
    12: ["base", "lined", "filled", "gateway"],
}


def write_layer(out, layer, o):
    if layer == "base":
        out.int32(o["kind"])
        out.int32(o["Serial"])
        out.int32(o["Number"])
        for key in ("X", "Y", "Width", "Height"):
            out.double(o[key])
        out.block(rtf(o["Text"]) if o["Text"] else b"")
        out.block(rtf(o["Notes"]) if o["Notes"] else b"")
        out.byte(o["Shadow"])
        out.byte(o["Style3D"])
        out.bool(o["ShowNumber"])
        for key in ("DragX", "DragY", "TextOffsetX", "TextOffsetY", "TextWidth", "TextHeight"):
            out.double(o[key])
    elif layer == "lined":
        out.byte(o["LineStyle"])
        out.float32(o["LineWidth"])
        out.uint32(o["LineColor"])
    elif layer == "filled":
        out.byte(o["FillStyle"])
        out.byte(o["PatternIndex"])
        out.uint32(o["FaceColor"])
        out.picture(o["FillPicture"])
        out.bool(o["PictureCentred"])
        out.byte(o["GradientIndex"])
        out.uint32(o["BackColor"])
    elif layer == "gateway":
        out.string(o["Link"])
        out.int32(0)  # LinkedModel: a run-time window reference, written as 0
    elif layer == "angled":
        out.int32(o["Angle"])
    elif layer == "pointed":
        out.int32(len(o["Outline"]))
        for segment in o["Outline"]:
            for value in segment:
                out.double(value)
            out.int32(0)  # filler
    elif layer in ("cogishaped", "blockarrow", "dilemma"):
        out.byte(o["ShapeVariant"])
    elif layer == "cogi":
        out.byte(o["CogiSize"])
    elif layer == "cluster":
        out.bool(o["NumberMembers"])
        out.byte(o["ClusterMargin"])
        out.bool(o["FitMembers"])
        out.bool(o["SeeThrough"])
    elif layer == "freeshape":
        out.byte(o["FreeHead"])
        out.byte(o["FreeHeadSize"])
    elif layer == "label":
        out.byte(o["LabelReserved"])
    elif layer == "balloon":
        out.byte(o["BalloonStyle"])
        out.double(o["TipX"])
        out.double(o["TipY"])
    elif layer == "clipart":
        out.picture(o["Picture"])
    elif layer == "ole":
        out.block(o["Container"])
        out.bool(o["OleSized"])
    elif layer == "shortcut":
        out.string(o["Target"])
    elif layer == "arrow":
        for key in ("ToHead", "MidMarker", "FromHead", "ToHeadSize", "MidMarkerSize",
                    "FromHeadSize"):
            out.byte(o[key])
        for key in ("FromX", "FromY", "ToX", "ToY", "ChordHeight"):
            out.double(o[key])
        for key in ("FromIndex", "ToIndex", "FromAnchor", "ToAnchor"):
            out.int32(o[key])


def write_model():
    out = Stream()
    h = HEADER
    out.double(2.01)
    out.block(PREVIEW)
    out.block(ICON)
    out.string(h["CreatedBy"])
    out.string(h["SavedBy"])
    out.string(h["Keywords"])
    out.double(h["CreatedTime"])
    out.double(h["SavedTime"])
    out.int32(h["ReservedNumber"])
    out.string(h["ReservedText"])
    out.byte(h["Orientation"])
    for key in ("PaperWidth", "PaperHeight", "PageHeight", "PageWidth", "LeftMargin",
                "RightMargin", "TopMargin", "BottomMargin"):
        out.double(h[key])
    out.bool(h["PrintHeader"])
    out.bool(h["PrintFooter"])
    out.string(h["FooterComments"])
    out.bool(h["ReversePrintOrder"])
    out.bool(h["Named"])
    out.picture(h["Background"])
    out.int32(h["ZoomFrames"])
    for key in ("ShowGrid", "SnapToShape", "SnapToGrid", "ShowPageLines"):
        out.bool(h[key])
    out.int32(h["PagesAcross"])
    out.int32(h["PagesDown"])
    for key in ("MainViewTopLeft", "MainViewBottomRight"):
        out.double(h[key][0])
        out.double(h[key][1])
    out.uint32(h["ModelColor"])
    out.int32(len(OBJECTS))
    for o in OBJECTS:
        for layer in LAYERS[o["kind"]]:
            write_layer(out, layer, o)
    return bytes(out.data)


# ---- The expected dump ---------------------------------------------------------------------

def dumped_picture(pic):
    if pic is None:
        return None
    return {"kind": pic["kind"], "width": pic["size"][0], "height": pic["size"][1]}


def expected_dump():
    header = {k: (dumped_picture(v) if k == "Background" else v) for k, v in HEADER.items()}
    objects = []
    for o in OBJECTS:
        entry = {"kind": o["kind"], "class": o["cls"]}
        for key, value in o.items():
            if key in ("kind", "cls"):
                continue
            if key in ("FillPicture", "Picture"):
                value = dumped_picture(value)
            elif key == "Container":
                key, value = "ContainerBytes", len(value)
            entry[key] = value
        if "Link" in o:
            entry["LinkedModel"] = 0
        objects.append(entry)
    return {"version": 2.01, "header": header, "objects": objects}


def main():
    with open(os.path.join(HERE, "golden.mdl"), "wb") as f:
        f.write(write_model())
    with open(os.path.join(HERE, "golden.json"), "w", encoding="utf-8") as f:
        json.dump(expected_dump(), f, indent=1, ensure_ascii=False)
        f.write("\n")


if __name__ == "__main__":
    main()
