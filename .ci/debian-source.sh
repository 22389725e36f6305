#!/usr/bin/env bash
# Fetches and unpacks Debian's own source package of an installed library, from Debian's archive
# only, through a private deb-src list: the system's apt configuration is not touched.
#
# Usage: .ci/debian-source.sh CACHE_DIR SOURCE_PACKAGE VERSION
# Prints the unpacked source folder on its last line. A folder unpacked before is reused; the
# package index is kept in CACHE_DIR/apt.
set -euo pipefail

cache=$(realpath -m "$1")
package=$2
version=$3
upstream=${version#*:}
upstream=${upstream%-*}
src="$cache/src/$package-$upstream"

if [[ ! -d "$src" ]]; then
    apt_dir="$cache/apt"
    mkdir -p "$apt_dir/parts" "$apt_dir/lists/partial" "$cache/src"
    cat >"$apt_dir/parts/debian-src.sources" <<SOURCES
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
    apt_private=(-o "Dir::Etc::SourceList=$apt_dir/none.list"
                 -o "Dir::Etc::SourceParts=$apt_dir/parts"
                 -o "Dir::State::Lists=$apt_dir/lists" -o "APT::Sandbox::User=root")
    apt-get "${apt_private[@]}" -qq update >&2
    (cd "$cache/src" &&
        apt-get "${apt_private[@]}" -qq source --download-only "$package=$version" >&2)
    (cd "$cache/src" && dpkg-source -x "${package}_${version#*:}.dsc" >&2)
fi
[[ -d "$src" ]] || { echo "debian-source: $package $version did not unpack into $src" >&2; exit 1; }
echo "$src"
