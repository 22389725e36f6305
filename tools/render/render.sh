#!/usr/bin/env bash
# Renders a glTF file to a PNG without a display: three.js in headless Chromium (SwiftShader).
#   tools/render/render.sh IN.glb|IN.gltf OUT.png [--width W --height H] [--timeout SECONDS]
# Defaults: 960x540, 90 s. Needs tools/render/setup.sh to have run once.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

missing=()
[[ -x /usr/bin/chromium ]] || missing+=("/usr/bin/chromium")
command -v node >/dev/null || missing+=("node")
[[ -d "$here/node_modules/playwright-core" && -d "$here/node_modules/three" ]] || missing+=("$here/node_modules")
if ((${#missing[@]})); then
  echo "render.sh: missing ${missing[*]}; run tools/render/setup.sh first" >&2
  exit 2
fi

# render.mjs keeps its own deadline; this one only catches a process that ignores it.
budget=90
args=("$@")
for ((i = 0; i < ${#args[@]} - 1; i++)); do
  [[ ${args[i]} == --timeout && ${args[i + 1]} =~ ^[0-9]+$ ]] && budget=${args[i + 1]}
done
status=0
timeout --kill-after=10 $((budget + 30)) node "$here/render.mjs" "$@" || status=$?
if ((status == 124 || status == 137)); then
  echo "render.sh: the renderer did not stop by itself and was killed" >&2
fi
exit "$status"
