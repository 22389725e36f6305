#!/usr/bin/env bash
# Checks render.sh end to end (needs tools/render/setup.sh to have run; not part of CI):
# a scene of known layout comes out the right way round and unmirrored, and every kind of
# failure ends with a non-zero status and a message that names it.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
render="$here/../render.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

passed=0
failed=0
pass() { echo "ok: $1"; passed=$((passed + 1)); }
fail() { echo "FAILED: $1" >&2; failed=$((failed + 1)); }

# expect_failure NAME STATUS PATTERN -- ARGS...: render.sh must exit with STATUS and say PATTERN.
expect_failure() {
  local name=$1 want=$2 pattern=$3
  shift 4
  local got=0
  "$render" "$@" >"$work/out.txt" 2>&1 || got=$?
  if [[ $got -eq $want ]] && grep -q -- "$pattern" "$work/out.txt"; then
    pass "$name"
  else
    fail "$name: status $got (want $want), output: $(cat "$work/out.txt")"
  fi
}

node "$here/make_shape.mjs" "$work/shape"

# expect_layout NAME CONDITION -- ARGS...: render.sh must draw the test scene with every block
# visible and CONDITION (JavaScript over the probe's centroids p.red.x, p.blue.y, ...) true.
expect_layout() {
  local name=$1 condition=$2
  shift 3
  if ! "$render" "$work/shape/shape.gltf" "$work/shape.png" "$@"; then
    fail "$name: the render failed"
    return
  fi
  node "$here/probe.mjs" "$work/shape.png" >"$work/probe.json"
  if node -e '
    const p = JSON.parse(require("fs").readFileSync(process.argv[1]));
    const seen = ["red", "blue", "yellow", "green"].every((c) => p[c].count > 100);
    process.exit(seen && p.width === 640 && p.height === 360 && eval(process.argv[2]) ? 0 : 1);' \
    "$work/probe.json" "$condition"; then
    rm "$work/shape.png"
    pass "$name"
  else
    fail "$name: $(cat "$work/probe.json")"
  fi
}

# From the south-east the south-west cube is left of the east box and of the north tower, and
# the tower stands further back (higher); a mirrored or turned view swaps these. From the
# north-west the cube is on the right of both.
expect_layout "layout seen from the south-east" "p.yellow.x < p.red.x && p.yellow.x < p.blue.x && p.blue.y < p.red.y" \
  -- --width 640 --height 360
expect_layout "layout seen from the north-west" "p.yellow.x > p.red.x && p.yellow.x > p.blue.x" \
  -- --width 640 --height 360 --from nw

# A .glb that is not one, a .gltf whose buffer is missing, a .gltf whose texture is missing.
head -c 2000 /dev/urandom >"$work/noise.glb"
expect_failure "not a glTF file" 1 "cannot load the model" -- "$work/noise.glb" "$work/x.png"
mkdir "$work/nobuffer" && cp "$work/shape/shape.gltf" "$work/shape/checker.png" "$work/nobuffer/"
expect_failure "missing buffer" 1 "cannot load the model" -- "$work/nobuffer/shape.gltf" "$work/x.png"
mkdir "$work/noimage" && cp "$work/shape/shape.gltf" "$work/shape/shape.bin" "$work/noimage/"
expect_failure "missing texture" 1 "checker.png" -- "$work/noimage/shape.gltf" "$work/x.png"

# A scene whose only node has no mesh draws nothing: an empty picture is not a success.
echo '{"asset":{"version":"2.0"},"scene":0,"scenes":[{"nodes":[0]}],"nodes":[{"name":"empty"}]}' >"$work/empty.gltf"
expect_failure "empty scene" 1 "no geometry" -- "$work/empty.gltf" "$work/x.png"

expect_failure "missing input" 2 "no such file" -- "$work/absent.glb" "$work/x.png"
expect_failure "wrong output type" 2 "must be a .png" -- "$work/shape/shape.gltf" "$work/x.jpg"
expect_failure "bad width" 2 "whole number" -- "$work/shape/shape.gltf" "$work/x.png" --width 0
expect_failure "bad viewpoint" 2 "wants se, sw, nw or ne" -- "$work/shape/shape.gltf" "$work/x.png" --from up

[[ ! -e "$work/x.png" ]] && pass "no picture written on failure" || fail "a failed render wrote a picture"

echo "$passed passed, $failed failed"
((failed == 0))
