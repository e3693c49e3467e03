#!/usr/bin/env bash
# Writes the last commit of the checkout in SOURCE_DIR as a source tarball,
# vortalis2-VERSION.tar.gz in OUT_DIR (default: the current folder), unpacking to vortalis2-VERSION/.
#   tools/make-dist.sh SOURCE_DIR [OUT_DIR]
# The same commit always gives the same bytes: git archive writes the entries in the tree's
# order, every one with the commit's time, owner root and the same modes; gzip -n leaves out
# the name and time gzip would otherwise store. cmake/source-date-epoch receives the commit's
# time (see .gitattributes), so a build from the tarball stamps data.oap as a checkout would.
set -euo pipefail
source_dir=${1:?usage: make-dist.sh SOURCE_DIR [OUT_DIR]}
out_dir=${2:-.}
if ! git -C "$source_dir" rev-parse --verify -q HEAD >/dev/null; then
    echo "make-dist.sh: $source_dir is not a git checkout with a commit; a source tarball is made from one" >&2
    exit 1
fi
# The version as CMake's project() names it; 0.0.0 when it names none.
version=$(tr '\n' ' ' <"$source_dir/CMakeLists.txt" | grep -o 'project( *vortalis2[^)]*)' |
    grep -o 'VERSION *[0-9][0-9.]*' | head -n 1 | grep -o '[0-9][0-9.]*' || true)
version=${version:-0.0.0}
name=vortalis2-$version
if [ -n "$(git -C "$source_dir" status --porcelain --untracked-files=no)" ]; then
    echo "make-dist.sh: note: uncommitted changes are not in the tarball; it holds the last commit" >&2
fi
mkdir -p "$out_dir"
git -C "$source_dir" -c tar.umask=0022 archive --format=tar --prefix="$name/" HEAD |
    gzip -n -9 >"$out_dir/$name.tar.gz.part"
mv "$out_dir/$name.tar.gz.part" "$out_dir/$name.tar.gz"
echo "$out_dir/$name.tar.gz"
