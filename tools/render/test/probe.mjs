// Reads an 8-bit RGB or RGBA PNG (non-interlaced, as the renderer writes) and prints, as JSON,
// its size and, for each colour class, the pixel count and centroid (x right, y down).
// Usage: node probe.mjs FILE.png
import fs from 'node:fs';
import zlib from 'node:zlib';

const classes = {
  red: (r, g, b) => r > 90 && r > 2.5 * g && r > 2.5 * b,
  blue: (r, g, b) => b > 90 && b > 2 * r && b > 1.5 * g,
  yellow: (r, g, b) => r > 90 && g > 0.6 * r && r > 2 * b && g > 2 * b,
  green: (r, g, b) => g > 90 && g > 1.8 * r && g > 1.8 * b,
};

function decode(file) {
  const data = fs.readFileSync(file);
  let pos = 8, width, height, channels;
  const idat = [];
  while (pos < data.length) {
    const len = data.readUInt32BE(pos);
    const type = data.toString('ascii', pos + 4, pos + 8);
    const body = data.subarray(pos + 8, pos + 8 + len);
    if (type === 'IHDR') {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      if (body[8] !== 8 || body[12] !== 0 || (body[9] !== 2 && body[9] !== 6)) throw new Error('unsupported PNG');
      channels = body[9] === 6 ? 4 : 3;
    } else if (type === 'IDAT') idat.push(body);
    pos += 12 + len;
  }
  const raw = zlib.inflateSync(Buffer.concat(idat));
  const stride = width * channels;
  const px = Buffer.alloc(stride * height);
  for (let y = 0; y < height; y++) {
    const filter = raw[y * (stride + 1)];
    const line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    for (let i = 0; i < stride; i++) {
      const a = i >= channels ? px[y * stride + i - channels] : 0;
      const b = y > 0 ? px[(y - 1) * stride + i] : 0;
      const c = i >= channels && y > 0 ? px[(y - 1) * stride + i - channels] : 0;
      const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
      const pred = [0, a, b, (a + b) >> 1, pa <= pb && pa <= pc ? a : pb <= pc ? b : c][filter];
      if (pred === undefined) throw new Error(`bad PNG filter ${filter}`);
      px[y * stride + i] = (line[i] + pred) & 0xff;
    }
  }
  return { width, height, channels, px };
}

const { width, height, channels, px } = decode(process.argv[2]);
const found = Object.fromEntries(Object.keys(classes).map((k) => [k, { count: 0, x: 0, y: 0 }]));
for (let y = 0; y < height; y++)
  for (let x = 0; x < width; x++) {
    const o = (y * width + x) * channels;
    for (const [name, test] of Object.entries(classes))
      if (test(px[o], px[o + 1], px[o + 2])) {
        found[name].count++;
        found[name].x += x;
        found[name].y += y;
      }
  }
for (const f of Object.values(found)) if (f.count) (f.x /= f.count), (f.y /= f.count);
console.log(JSON.stringify({ width, height, ...found }));
