#!/usr/bin/env python3
"""Builds what the release holds a second time and compares it with the first, byte for byte.

    reproducible.py SOURCE_DIR BUILD_DIR EPOCH TARGET...

The first build is BUILD_DIR, the build the tests run on, whose package `make deb` packed there.
The second copies the sources into a folder of its own (another path, copied later, so the
files' own times differ too), configures without tests and without a compiler cache, builds
only TARGET... and what the package holds, packs it, and installs into a staging folder, under
another umask, time zone and locale. Then data.oap, the installed trees and the .deb must be the
same bytes; the first file that differs is named. The copy has no git history, so EPOCH is
stamped into it as `make dist` stamps a source tarball; SOURCE_DATE_EPOCH is left unset, as in a
plain `make`.
"""

import filecmp
import os
import shutil
import stat
import subprocess
import sys
import tempfile
import time
import zipfile

# What varies in the second build, besides its folder and its start time.
SECOND = {"folder": "second-build/a/longer/path/src", "umask": 0o002, "TZ": "XYZ-9", "LC_ALL": "C.UTF-8"}

SKIPPED_SOURCES = {".git", "profile"}


def copy_sources(source, dest):
    def ignore(folder, names):
        if os.path.samefile(folder, source):
            return [n for n in names if n in SKIPPED_SOURCES or n.startswith("build")]
        return []

    shutil.copytree(source, dest, symlinks=True, ignore=ignore, copy_function=shutil.copy)


def run(cmd, env, log):
    with open(log, "a") as out:
        out.write("$ " + " ".join(cmd) + "\n")
        out.flush()
        done = subprocess.run(cmd, env=env, stdout=out, stderr=subprocess.STDOUT)
    if done.returncode != 0:
        with open(log) as out:
            tail = out.read()[-4000:]
        sys.exit("FAILED: %s (exit %d); the end of its log:\n%s" % (" ".join(cmd), done.returncode, tail))


def build(work, variant, source, epoch, targets):
    src = os.path.join(work, variant["folder"])
    os.makedirs(os.path.dirname(src))
    copy_sources(source, src)
    with open(os.path.join(src, "cmake", "source-date-epoch"), "w") as stamp:
        stamp.write(epoch + "\n")
    bld = os.path.join(src, "build")
    stage = os.path.join(work, variant["folder"].split("/")[0] + "-install")
    log = os.path.join(work, variant["folder"].split("/")[0] + ".log")
    env = {k: v for k, v in os.environ.items() if not k.startswith("CCACHE") and k not in ("CC", "CXX")}
    env.update({"TZ": variant["TZ"], "LC_ALL": variant["LC_ALL"]})
    env.pop("SOURCE_DATE_EPOCH", None)
    env.pop("DESTDIR", None)
    old_umask = os.umask(variant["umask"])
    try:
        started = time.monotonic()
        run(["cmake", "-S", src, "-B", bld, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
             "-DBUILD_TESTING=OFF", "-DORVALE_WERROR=ON"], env, log)
        run(["cmake", "--build", bld, "--target"] + targets + ["deb_contents"], env, log)
        run(["cmake", "--install", bld, "--prefix", "/usr"], dict(env, DESTDIR=stage), log)
        # cpack gives the .deb's ar members the mode its temporary files get from the umask,
        # so a package is always made under 022 (as build_deb.sh makes it).
        os.umask(0o022)
        run(["cpack", "-G", "DEB", "--config", os.path.join(bld, "CPackConfig.cmake"), "-B",
             os.path.join(bld, "deb")], env, log)
        deb = only_deb(os.path.join(bld, "deb"))
        print("built %s in %.0f s" % (src, time.monotonic() - started), flush=True)
    finally:
        os.umask(old_umask)
    return {"oap": os.path.join(bld, "data.oap"), "stage": stage, "deb": deb}


def only_deb(folder):
    debs = sorted(f for f in os.listdir(folder) if f.startswith("vortalis2_") and f.endswith(".deb"))
    if len(debs) != 1:
        sys.exit("FAILED: %d vortalis2_*.deb files in %s" % (len(debs), folder))
    return os.path.join(folder, debs[0])


def first_build(work, bld):
    """The build the tests ran on: its data.oap and package, and its install staged."""
    stage = os.path.join(work, "first-install")
    env = dict(os.environ, DESTDIR=stage)
    run(["cmake", "--install", bld, "--prefix", "/usr"], env, os.path.join(work, "first.log"))
    return {"oap": os.path.join(bld, "data.oap"), "stage": stage, "deb": only_deb(bld)}


def describe(path):
    """The kind, mode and (for links) target of one path, which must match between the trees."""
    info = os.lstat(path)
    kind = "link" if stat.S_ISLNK(info.st_mode) else "dir" if stat.S_ISDIR(info.st_mode) else "file"
    target = os.readlink(path) if kind == "link" else ""
    return "%s %o %s" % (kind, stat.S_IMODE(info.st_mode), target)


def tree_difference(a, b):
    """The first path (in sorted order) where two trees differ, with how; None when they match."""
    def listing(root):
        paths = []
        for folder, dirs, files in os.walk(root):
            dirs.sort()
            for name in dirs + files:
                paths.append(os.path.relpath(os.path.join(folder, name), root))
        return sorted(paths)

    pa, pb = listing(a), listing(b)
    for path in sorted(set(pa) | set(pb)):
        fa, fb = os.path.join(a, path), os.path.join(b, path)
        if path not in pb or path not in pa:
            return "%s: only in the %s build" % (path, "first" if path in pa else "second")
        if describe(fa) != describe(fb):
            return "%s: %s against %s" % (path, describe(fa), describe(fb))
        if os.path.isfile(fa) and not os.path.islink(fa) and not filecmp.cmp(fa, fb, shallow=False):
            return "%s: contents differ" % path
    return None


def zip_difference(a, b):
    za, zb = zipfile.ZipFile(a), zipfile.ZipFile(b)
    ea, eb = za.infolist(), zb.infolist()
    for ia, ib in zip(ea, eb):
        if ia.filename != ib.filename:
            return "entry order or names: %s against %s" % (ia.filename, ib.filename)
        if za.read(ia) != zb.read(ib):
            return "%s: contents differ" % ia.filename
        fields = ("date_time", "external_attr", "create_system", "compress_type", "extra", "comment")
        for field in fields:
            if getattr(ia, field) != getattr(ib, field):
                return "%s: %s %r against %r" % (ia.filename, field, getattr(ia, field), getattr(ib, field))
    if len(ea) != len(eb):
        return "%d entries against %d" % (len(ea), len(eb))
    return "the archives differ outside their entries"


def deb_difference(a, b, work):
    trees = []
    for name, deb in (("first", a), ("second", b)):
        root = os.path.join(work, "deb-" + name)
        subprocess.run(["dpkg-deb", "-R", deb, root], check=True)
        trees.append(root)
    found = tree_difference(*trees)
    if found:
        return found
    # Same files, so the difference is in what the archives record about them.
    for args in (["dpkg-deb", "-c"], ["ar", "tv"]):
        la = subprocess.run(args + [a], capture_output=True, text=True).stdout.splitlines()
        lb = subprocess.run(args + [b], capture_output=True, text=True).stdout.splitlines()
        for x, y in zip(la, lb):
            if x != y:
                return "%s lists %r against %r" % (" ".join(args), x, y)
    return "the packages differ in their compression or layout"


def main(argv):
    if len(argv) < 5:
        sys.stderr.write(__doc__)
        return 2
    source, first_dir, epoch, targets = os.path.abspath(argv[1]), os.path.abspath(argv[2]), argv[3], argv[4:]
    failed = False
    with tempfile.TemporaryDirectory(prefix="vortalis2-repro-") as work:
        first = first_build(work, first_dir)
        second = build(work, SECOND, source, epoch, targets)
        if not filecmp.cmp(first["oap"], second["oap"], shallow=False):
            print("DIFFERS: data.oap: " + zip_difference(first["oap"], second["oap"]))
            failed = True
        else:
            print("same: data.oap (%d bytes)" % os.path.getsize(first["oap"]))
        found = tree_difference(first["stage"], second["stage"])
        if found:
            print("DIFFERS: installed tree: " + found)
            failed = True
        else:
            print("same: the installed trees")
        if filecmp.cmp(first["deb"], second["deb"], shallow=False):
            print("same: %s (%d bytes)" % (os.path.basename(first["deb"]), os.path.getsize(first["deb"])))
        else:
            print("DIFFERS: %s: %s" % (os.path.basename(first["deb"]),
                                       deb_difference(first["deb"], second["deb"], work)))
            failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
