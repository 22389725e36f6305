#!/usr/bin/env python3
"""Writes the generated seed documents into fuzz/corpus/document and fuzz/corpus/load.

They reach what the hand-written seeds do not: inline pixels at both depths the document allows
(24 and 32 bits) in the shapes the plug-in treats apart (JPEG for 24 bits, PNG for small 32-bit
images, an uncompressed bitmap for 32-bit images over 256 pixels on a side, a size the texture
overrides), and definitions nested as deep as the reader accepts (64 levels) or fanning out into
many leaves. Standard library only; run from anywhere: python3 fuzz/make_seeds.py
"""
import base64
import json
import os

HERE = os.path.dirname(os.path.abspath(__file__))
IDENTITY = [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1]


def pixels(width, height, bits):
    """Inline pixels, rows top first in B, G, R(, A) order, alpha varying when there is one."""
    data = bytearray()
    for y in range(height):
        for x in range(width):
            data += bytes([(x * 37) % 256, (y * 59) % 256, (x + y) * 13 % 256])
            if bits == 32:
                data.append(255 if (x + y) % 3 else (x * 7 + y) % 256)
    return {"width": width, "height": height, "bitsPerPixel": bits,
            "data": base64.b64encode(bytes(data)).decode("ascii")}


def material(name, width, height, bits, **extra):
    texture = {"file": extra.pop("file", name + ".png"), "pixels": pixels(width, height, bits)}
    texture.update(extra.pop("texture", {}))
    return dict({"name": name, "color": [200, 150, 100, 255], "texture": texture}, **extra)


def square(z, front=None, back=None):
    face = {"outer": [[0, 0, z], [4, 0, z], [4, 4, z], [0, 4, z]]}
    if front:
        face["front"] = front
    if back:
        face["back"] = back
    return face


def document(materials, definitions, entities):
    doc = {"modelDocument": 1, "version": [23, 0, 1], "materials": materials}
    if definitions:
        doc["definitions"] = definitions
    doc["entities"] = entities
    return doc


def faces_for(materials):
    """A face per material, front and back, stacked so none overlaps another."""
    return {"faces": [square(i, m["name"], m["name"]) for i, m in enumerate(materials)]}


def pixels24():
    # Odd widths leave rows that are not a multiple of 4 bytes; colourised tints them.
    materials = [material("rgb", 3, 2, 24),
                 material("tinted", 5, 3, 24, type="colorized", file="C:\\tex\\tinted.jpg"),
                 material("one", 1, 1, 24, texture={"sScale": 0.25, "tScale": 4})]
    return document(materials, [], faces_for(materials))


def pixels32():
    # Alpha that cuts out, a colourised one, a see-through colour, and a texture with no usable size.
    materials = [material("leaves", 4, 4, 32),
                 material("glass tint", 3, 1, 32, type="colorized"),
                 material("unusable", 2, 2, 32, texture={"width": 0, "height": 0})]
    materials[1]["color"] = [40, 90, 200, 128]
    return document(materials, [], faces_for(materials))


def bmp_sized():
    # Over 256 pixels on one side at 32 bits: written as a bitmap; at 24 bits still a JPEG.
    materials = [material("wide", 257, 1, 32), material("tall", 1, 257, 32),
                 material("wide rgb", 257, 1, 24)]
    return document(materials, [], faces_for(materials))


def bmp_override():
    # The texture states a size other than its pixels': over 256 decides the bitmap alone.
    materials = [material("stated wide", 2, 2, 32, texture={"width": 300, "height": 2}),
                 material("stated tall", 2, 1, 32, texture={"width": 1, "height": 4096},
                          type="colorized")]
    return document(materials, [], faces_for(materials))


def texture_faults():
    # Each way a texture's pixels or size can be refused, on each shape of export.
    shapes = [("bitmap", 257, 1, 32), ("png", 2, 2, 32), ("jpeg", 3, 1, 24)]
    fails = ["SUTextureGetImageRep", "SUTextureGetColorizedImageRep", "SUTextureGetImageDataSize",
             "SUTextureGetDimensions", "SUTextureGetFileName"]
    materials = []
    for i, fail in enumerate(fails):
        name, width, height, bits = shapes[i % len(shapes)]
        colorized = {"type": "colorized"} if "Colorized" in fail else {}
        materials.append(material("%s %d" % (name, i), width, height, bits,
                                  texture={"fail": [fail]}, **colorized))
    return document(materials, [], faces_for(materials))


def deep():
    # 64 levels below the root, the most the reader accepts: components and groups alternate, one
    # level mirrors, and a textured face sits at the bottom and halfway.
    levels = 64
    materials = [material("deep", 2, 2, 32), {"name": "paint", "color": [9, 99, 199, 255]}]
    definitions = []
    for level in range(levels, 0, -1):
        name = "L%d" % level
        entities = {}
        if level == levels or level == levels // 2:
            entities["faces"] = [square(0, "deep")]
        if level < levels:
            child = "L%d" % (level + 1)
            placement = {"definition": child,
                         "transform": [-1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 0, 0, 1]
                         if level == 7 else [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 1, 1]}
            if level == 3:
                placement["material"] = "paint"
            entities["groups" if (level + 1) % 2 else "instances"] = [placement]
        kind = "group" if level % 2 else "component"
        definitions.append({"name": name, "kind": kind, "entities": entities})
    return document(materials, definitions, {"groups": [{"definition": "L1"}]})


def fanout():
    # Seven levels of two placements each: 128 leaves, mirrored along one branch, the material of
    # each placement handed down to faces that have none.
    materials = [material("bark", 3, 3, 24), material("leaf", 2, 3, 32)]
    definitions = [{"name": "F7", "kind": "component",
                    "entities": {"faces": [square(0), square(1, "leaf")]}}]
    for level in range(6, -1, -1):
        child = "F%d" % (level + 1)
        definitions.append({"name": "F%d" % level, "kind": "component", "entities": {
            "instances": [
                {"definition": child, "material": "bark"},
                {"definition": child,
                 "transform": [-1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 2 ** level, 0, 0, 1]}]}})
    return document(materials, definitions, {"instances": [{"definition": "F0"}]})


SEEDS = {"pixels24": pixels24, "pixels32": pixels32, "bmp_sized": bmp_sized,
         "bmp_override": bmp_override, "texture_faults": texture_faults, "deep": deep,
         "fanout": fanout}


def main():
    for index, (name, make) in enumerate(sorted(SEEDS.items())):
        text = json.dumps(make(), separators=(",", ":"), ensure_ascii=False)
        # The load fuzzer reads inputs of odd length as single-sided: have both among the seeds.
        if len(text.encode("utf-8")) % 2 != index % 2:
            text += "\n"
        for target in ("document", "load"):
            with open(os.path.join(HERE, "corpus", target, name + ".skpm"), "w",
                      encoding="utf-8", newline="") as out:
                out.write(text)


if __name__ == "__main__":
    main()
