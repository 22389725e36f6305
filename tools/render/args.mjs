// Command line of render.mjs: two paths, then optional --width, --height, --from, --timeout,
// --verbose.
export class UsageError extends Error {
  static usage = 'usage: render.sh IN.glb|IN.gltf OUT.png [--width W] [--height H] [--from se|sw|nw|ne] [--timeout SECONDS] [--verbose]';
}

function positiveInt(name, text, max) {
  const value = Number(text);
  if (!Number.isInteger(value) || value < 1 || value > max) throw new UsageError(`${name} wants a whole number from 1 to ${max}, got '${text}'`);
  return value;
}

export function parseArgs(argv) {
  const opts = { width: 960, height: 540, timeoutMs: 90_000, from: 'se', verbose: false };
  const paths = [];
  for (let i = 0; i < argv.length; i++) {
    const arg = argv[i];
    if (!arg.startsWith('--')) {
      paths.push(arg);
      continue;
    }
    if (arg === '--verbose') {
      opts.verbose = true;
      continue;
    }
    const value = argv[++i];
    if (value === undefined) throw new UsageError(`${arg} needs a value`);
    if (arg === '--width') opts.width = positiveInt(arg, value, 8192);
    else if (arg === '--height') opts.height = positiveInt(arg, value, 8192);
    else if (arg === '--from') {
      if (!['se', 'sw', 'nw', 'ne'].includes(value)) throw new UsageError(`--from wants se, sw, nw or ne, got '${value}'`);
      opts.from = value;
    } else if (arg === '--timeout') opts.timeoutMs = positiveInt(arg, value, 3600) * 1000;
    else throw new UsageError(`unknown option ${arg}`);
  }
  if (paths.length !== 2) throw new UsageError('wants an input glTF file and an output PNG path');
  const [input, output] = paths;
  if (!/\.(glb|gltf)$/i.test(input)) throw new UsageError(`${input}: not a .glb or .gltf file`);
  if (!/\.png$/i.test(output)) throw new UsageError(`${output}: the output must be a .png file`);
  return { ...opts, input, output };
}
