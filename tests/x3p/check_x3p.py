#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks an .x3p profile file against the Measured.csv it was made from.

Usage: check_x3p.py FILE.x3p Measured.csv PITCH_UM

Reads the zip with the standard library alone: the checksums, the point
count, the x increment (PITCH_UM micrometres, in metres) and every height
(the micrometres of Measured.csv, in metres). Exits 0 when all hold,
otherwise 1 after naming each difference.
"""
import hashlib
import struct
import sys
import xml.etree.ElementTree as ElementTree
import zipfile

NAMESPACE = "{http://www.opengps.eu/2008/ISO5436_2}"


def text(root, path):
    element = root.find(path)
    return None if element is None else element.text


def check(x3p_path, csv_path, pitch_um):
    problems = []
    with zipfile.ZipFile(x3p_path) as archive:
        main_xml = archive.read("main.xml")
        checksum_file = archive.read("md5checksum.hex").decode("ascii")
        root = ElementTree.fromstring(main_xml)
        data_path = text(root, "Record3/DataLink/PointDataLink")
        data = archive.read(data_path)
    if root.tag != NAMESPACE + "ISO5436_2":
        problems.append("root element is " + root.tag)
    if checksum_file != hashlib.md5(main_xml).hexdigest() + " *main.xml\n":
        problems.append("md5checksum.hex does not hold the md5 of main.xml: " + checksum_file)
    if text(root, "Record3/DataLink/MD5ChecksumPointData") != hashlib.md5(data).hexdigest():
        problems.append("MD5ChecksumPointData is not the md5 of " + data_path)
    expected = {
        "Record1/Revision": "ISO5436 - 2000",
        "Record1/FeatureType": "PRF",
        "Record1/Axes/CX/AxisType": "I",
        "Record1/Axes/CY/AxisType": "I",
        "Record1/Axes/CZ/AxisType": "A",
        "Record1/Axes/CZ/DataType": "D",
        "Record2/Instrument/Model": "KV-730",
        "Record2/ProbingSystem/Type": "Contacting",
        "Record3/MatrixDimension/SizeY": "1",
        "Record3/MatrixDimension/SizeZ": "1",
        "Record4/ChecksumFile": "md5checksum.hex",
    }
    for path, value in expected.items():
        if text(root, path) != value:
            problems.append("%s is %r, not %r" % (path, text(root, path), value))
    with open(csv_path, "rb") as csv:
        heights = [float(line) / 1e6 for line in csv.read().decode("ascii").split("\r\n")[:-1]]
    size_x = int(text(root, "Record3/MatrixDimension/SizeX"))
    if size_x != len(heights) or len(data) != 8 * len(heights):
        problems.append("%d points in the header and %d bytes of data for %d values"
                        % (size_x, len(data), len(heights)))
    increment = float(text(root, "Record1/Axes/CX/Increment"))
    if increment != pitch_um / 1e6:
        problems.append("x increment %r, not %r" % (increment, pitch_um / 1e6))
    values = list(struct.unpack("<%dd" % (len(data) // 8), data))
    differing = [i for i, (a, b) in enumerate(zip(values, heights)) if a != b]
    if differing:
        i = differing[0]
        problems.append("%d heights differ, the first at point %d: %r, not %r"
                        % (len(differing), i, values[i], heights[i]))
    return problems


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    problems = check(sys.argv[1], sys.argv[2], float(sys.argv[3]))
    for problem in problems:
        print(problem)
    if not problems:
        print("ok")
    sys.exit(1 if problems else 0)


if __name__ == "__main__":
    main()
