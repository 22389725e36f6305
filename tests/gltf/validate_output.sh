#!/bin/sh
# validate_output.sh VALIDATOR_DIR WORK_DIR TOOL ARGS...: runs the tool (which writes glTF files
# into WORK_DIR), then the Khronos validator over every .glb and .gltf there.
set -eu
validator=$1 work=$2
shift 2
if [ ! -d "$validator/node_modules/gltf-validator" ]; then
    echo "the glTF validator is not installed: run ./setup.sh at the top of the repository" >&2
    exit 1
fi
rm -rf "$work"
mkdir -p "$work"
"$@"
set --
for file in "$work"/*.glb "$work"/*.gltf; do
    [ -e "$file" ] && set -- "$@" "$file"
done
if [ $# -eq 0 ]; then
    echo "the tool wrote no glTF file into $work" >&2
    exit 1
fi
exec node "$validator/validate.mjs" "$@"
