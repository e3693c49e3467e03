#!/usr/bin/env python3
"""Checks orvale-plist against Python's plistlib, the reference reader and writer.

- files plistlib wrote (binary and XML) dump to the values plistlib put in;
- plistlib reads the binary (and XML) files that orvale-plist convert writes, with the same values;
- check reports the broken property lists of a ZIP package and only those;
- errors are one line on stderr with exit code 1.

Usage: plist_interop.py PATH_TO_ORVALE_PLIST
"""

import base64
import datetime
import json
import math
import os
import plistlib
import subprocess
import sys
import tempfile
import unittest
import zipfile

TOOL = None


def sample_tree():
    """A tree with every type and the boundaries of the binary encodings."""
    return {
        "name": "gunship",
        "empty": "",
        "long text": "w" * 300,
        "markup": "a & b <c> \"d\"",
        "integers": [0, 1, 255, 256, 65535, 65536, 2**32 - 1, 2**32, -1, -(2**63), 2**63 - 1],
        "reals": [0.0, 1.5, -0.1, 1e300, 2.0, 5e-324],
        "flags": [True, False],
        "dates": [datetime.datetime(2021, 3, 4, 5, 6, 7), datetime.datetime(1969, 7, 20, 20, 17, 40),
                  datetime.datetime(2001, 1, 1)],
        "data": b"\x00\x01\xfe\xffbytes",
        "empty data": b"",
        "nested": {"launcher 0": {"angle": 180.0, "delay": 250}, "no keys": {}, "nothing": []},
        "list of 14": list(range(14)),
        "list of 15": list(range(15)),
        # More than 256 objects in all: object references take two bytes.
        "many": [str(i) for i in range(300)],
    }


def expected_json(value):
    """What orvale-plist dump prints for a plistlib value, as json.loads gives it back."""
    if isinstance(value, dict):
        return {key: expected_json(item) for key, item in value.items()}
    if isinstance(value, list):
        return [expected_json(item) for item in value]
    if isinstance(value, datetime.datetime):
        epoch = datetime.datetime(1970, 1, 1)
        return {"date": math.floor((value - epoch).total_seconds())}
    if isinstance(value, bytes):
        return {"data": base64.b64encode(value).decode("ascii")}
    return value


def run_tool(*arguments):
    return subprocess.run([TOOL, *arguments], capture_output=True, text=True)


class PlistlibInterop(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.tree = sample_tree()

    def tearDown(self):
        self.folder.cleanup()

    def path(self, name):
        return os.path.join(self.folder.name, name)

    def write_plistlib(self, name, fmt, tree=None):
        with open(self.path(name), "wb") as file:
            plistlib.dump(self.tree if tree is None else tree, file, fmt=fmt, sort_keys=False)
        return self.path(name)

    def dump(self, path):
        result = run_tool("dump", path)
        self.assertEqual(result.returncode, 0, result.stderr)
        return json.loads(result.stdout)

    def test_reads_files_plistlib_wrote(self):
        for fmt in (plistlib.FMT_BINARY, plistlib.FMT_XML):
            with self.subTest(fmt=fmt):
                path = self.write_plistlib("written.plist", fmt)
                self.assertEqual(self.dump(path), expected_json(self.tree))

    def test_array_root_and_key_order(self):
        path = self.write_plistlib("levels.plist", plistlib.FMT_BINARY, ["stage 1", {"b": 1, "a": 2, "B": 3}])
        result = run_tool("dump", path)
        levels = json.loads(result.stdout)
        self.assertEqual(levels[0], "stage 1")
        self.assertEqual(list(levels[1].keys()), ["B", "a", "b"])  # dictionaries order keys bytewise

    def test_plistlib_reads_our_binary_and_xml(self):
        source = self.write_plistlib("source.plist", plistlib.FMT_XML)
        for form, header in (("--binary", b"bplist00"), ("--xml", b"<?xml")):
            with self.subTest(form=form):
                target = self.path("converted" + form)
                result = run_tool("convert", form, source, target)
                self.assertEqual(result.returncode, 0, result.stderr)
                with open(target, "rb") as file:
                    contents = file.read()
                self.assertTrue(contents.startswith(header))
                self.assertEqual(plistlib.loads(contents), self.tree)

    def test_errors_are_one_line_with_exit_code_1(self):
        broken = self.path("broken.plist")
        with open(broken, "w") as file:
            file.write("<plist><dict><key>a</key></dict></plist>")
        cases = [
            (("dump", broken), "expected for key a"),
            (("dump", self.path("absent.plist")), "absent.plist"),
            (("convert", "--json", broken, self.path("out")), "usage"),
            (("frobnicate",), "usage"),
            (("check", self.path("absent.oap")), "absent.oap"),
        ]
        for arguments, text in cases:
            with self.subTest(arguments=arguments):
                result = run_tool(*arguments)
                self.assertEqual(result.returncode, 1)
                self.assertEqual(result.stdout, "")
                self.assertEqual(result.stderr.count("\n"), 1, result.stderr)
                self.assertIn(text, result.stderr)


class PackageCheck(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()

    def tearDown(self):
        self.folder.cleanup()

    def package(self, files):
        path = os.path.join(self.folder.name, "data.oap")
        with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as archive:
            for name, contents in files.items():
                archive.writestr(name, contents)
        return path

    def test_reports_only_the_broken_property_lists(self):
        good_binary = plistlib.dumps({"speed": 2.0}, fmt=plistlib.FMT_BINARY)
        good_xml = plistlib.dumps(["stage 1"], fmt=plistlib.FMT_XML)
        path = self.package({
            "assets/plist/bp/red.plist": good_binary,
            "assets/plist/arcade_level_list.plist": good_xml,
            "assets/plist/enemy/deep/broken.plist": b"<plist><dict><integer>1</integer></dict></plist>",
            "assets/plist/empty.plist": b"",
            "assets/texture/red.png": b"not a property list",
        })
        result = subprocess.run([TOOL, "check", path], capture_output=True, text=True)
        self.assertEqual(result.returncode, 1)
        lines = result.stderr.splitlines()
        self.assertEqual(len(lines), 2, result.stderr)
        self.assertIn("assets/plist/empty.plist: Plist: Empty plist data", lines[0])
        self.assertIn("assets/plist/enemy/deep/broken.plist: Plist: XML dictionary key expected", lines[1])
        self.assertIn("4 property lists checked, 2 failed", result.stdout)

    def test_clean_package_passes(self):
        path = self.package({"assets/plist/a.plist": plistlib.dumps({"a": 1})})
        result = subprocess.run([TOOL, "check", path], capture_output=True, text=True)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stderr, "")


if __name__ == "__main__":
    TOOL = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)
