// Writes a small asymmetric glTF scene for checking the renderer: shape.gltf with its buffer
// (shape.bin) and a texture (checker.png) beside it, in the folder given as the argument.
// glTF axes: +x east, +y up, -z north; lengths in metres. Seen from the south-east the picture
// must show: a plate with a green/white checker on top, a red box on the east edge (right),
// a blue tower on the north edge (back right), a yellow cube at the south-west corner (left).
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';

const boxes = [
  { name: 'plate', min: [-2, 0, -2], max: [2, 0.1, 2], material: 0 },
  { name: 'east box', min: [1, 0.1, -0.5], max: [2, 1, 0.5], material: 1 },
  { name: 'north tower', min: [-0.5, 0.1, -2], max: [0.5, 3, -1], material: 2 },
  { name: 'south-west cube', min: [-2, 0.1, 1.5], max: [-1.5, 0.6, 2], material: 3 },
];

// Each side: the axis it faces along, the sign, and the two in-plane axes (u, v); flipU reverses
// u where u x v would point into the box, so that triangles (0,1,2), (0,2,3) wind
// counter-clockwise seen from outside.
const sides = [
  { axis: 0, sign: 1, u: 2, v: 1, flipU: true }, { axis: 0, sign: -1, u: 2, v: 1 },
  { axis: 1, sign: 1, u: 0, v: 2, flipU: true }, { axis: 1, sign: -1, u: 0, v: 2 },
  { axis: 2, sign: 1, u: 0, v: 1 }, { axis: 2, sign: -1, u: 0, v: 1, flipU: true },
];

function boxMesh({ min, max }) {
  const positions = [], normals = [], uvs = [], indices = [];
  for (const s of sides) {
    const base = positions.length / 3;
    for (const [cu, cv] of [[0, 0], [1, 0], [1, 1], [0, 1]]) {
      const p = [0, 0, 0];
      p[s.axis] = s.sign > 0 ? max[s.axis] : min[s.axis];
      const fu = s.flipU ? 1 - cu : cu;
      p[s.u] = fu ? max[s.u] : min[s.u];
      p[s.v] = cv ? max[s.v] : min[s.v];
      positions.push(...p);
      const n = [0, 0, 0];
      n[s.axis] = s.sign;
      normals.push(...n);
      uvs.push(fu * 2, 2 - cv * 2);
    }
    indices.push(base, base + 1, base + 2, base, base + 2, base + 3);
  }
  return { positions, normals, uvs, indices };
}

function png(width, height, pixel) {
  const rows = [];
  for (let y = 0; y < height; y++) {
    rows.push(Buffer.from([0]));
    for (let x = 0; x < width; x++) rows.push(Buffer.from(pixel(x, y)));
  }
  const chunk = (type, data) => {
    const len = Buffer.alloc(4);
    len.writeUInt32BE(data.length);
    const body = Buffer.concat([Buffer.from(type, 'ascii'), data]);
    const crc = Buffer.alloc(4);
    crc.writeUInt32BE(zlib.crc32(body));
    return Buffer.concat([len, body, crc]);
  };
  const header = Buffer.alloc(13);
  header.writeUInt32BE(width, 0);
  header.writeUInt32BE(height, 4);
  header.set([8, 2, 0, 0, 0], 8);  // 8 bits, RGB
  return Buffer.concat([
    Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]),
    chunk('IHDR', header), chunk('IDAT', zlib.deflateSync(Buffer.concat(rows))), chunk('IEND', Buffer.alloc(0)),
  ]);
}

const out = process.argv[2];
if (!out) throw new Error('usage: node make_shape.mjs OUTPUT_FOLDER');
fs.mkdirSync(out, { recursive: true });

const chunks = [], bufferViews = [], accessors = [], meshes = [], nodes = [];
let offset = 0;
function addView(typed, target) {
  const bytes = Buffer.from(typed.buffer);
  chunks.push(bytes);
  bufferViews.push({ buffer: 0, byteOffset: offset, byteLength: bytes.length, target });
  offset += bytes.length;
  return bufferViews.length - 1;
}
function addAccessor(values, type, count, extra = {}) {
  const isIndex = type === 'SCALAR';
  const typed = isIndex ? new Uint16Array(values) : new Float32Array(values);
  const view = addView(typed, isIndex ? 34963 : 34962);
  accessors.push({ bufferView: view, componentType: isIndex ? 5123 : 5126, count, type, ...extra });
  return accessors.length - 1;
}
for (const box of boxes) {
  const m = boxMesh(box);
  const n = m.positions.length / 3;
  const attributes = {
    POSITION: addAccessor(m.positions, 'VEC3', n, { min: box.min, max: box.max }),
    NORMAL: addAccessor(m.normals, 'VEC3', n),
    TEXCOORD_0: addAccessor(m.uvs, 'VEC2', n),
  };
  meshes.push({ name: box.name, primitives: [{ attributes, indices: addAccessor(m.indices, 'SCALAR', m.indices.length), material: box.material }] });
  nodes.push({ name: box.name, mesh: meshes.length - 1 });
}
const bin = Buffer.concat(chunks);
fs.writeFileSync(path.join(out, 'shape.bin'), bin);
fs.writeFileSync(path.join(out, 'checker.png'), png(8, 8, (x, y) => ((x >> 2) ^ (y >> 2) ? [40, 170, 60] : [245, 245, 245])));

const gltf = {
  asset: { version: '2.0', generator: 'make_shape.mjs' },
  scene: 0,
  scenes: [{ nodes: nodes.map((_, i) => i) }],
  nodes, meshes, accessors, bufferViews,
  buffers: [{ uri: 'shape.bin', byteLength: bin.length }],
  images: [{ uri: 'checker.png' }],
  samplers: [{ magFilter: 9728, minFilter: 9728 }],
  textures: [{ source: 0, sampler: 0 }],
  materials: [
    { name: 'plate', pbrMetallicRoughness: { baseColorTexture: { index: 0 }, metallicFactor: 0, roughnessFactor: 1 } },
    { name: 'red', pbrMetallicRoughness: { baseColorFactor: [0.8, 0.05, 0.05, 1], metallicFactor: 0, roughnessFactor: 1 } },
    { name: 'blue', pbrMetallicRoughness: { baseColorFactor: [0.05, 0.15, 0.8, 1], metallicFactor: 0, roughnessFactor: 1 } },
    { name: 'yellow', pbrMetallicRoughness: { baseColorFactor: [0.9, 0.75, 0.05, 1], metallicFactor: 0, roughnessFactor: 1 }, doubleSided: true },
  ],
};
fs.writeFileSync(path.join(out, 'shape.gltf'), JSON.stringify(gltf, null, 1));
