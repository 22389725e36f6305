// Loads one glTF file and draws a single frame of it. The driver reads the outcome from
// window.renderState: { done: false } while working, then { done: true, ok, error?, stats? }.
// Query parameters: model (URL of the file), width and height (pixels), from (the compass
// quarter the camera looks from: se, sw, nw or ne).
import * as THREE from 'three';
import { GLTFLoader } from 'three/addons/loaders/GLTFLoader.js';
import { frameCamera } from './frame.js';

const background = new THREE.Color(0xb9d3ee);  // sky-ish, also what coverage is measured against

window.renderState = { done: false };

function finish(result) {
  window.renderState = { done: true, ...result };
}

function loadModel(url) {
  return new Promise((resolve, reject) => {
    new GLTFLoader().load(url, resolve, undefined, (err) => reject(err ?? new Error('unknown error')));
  });
}

// Single-sided everywhere, whatever the file says, so that a face wound the wrong way shows as
// a hole rather than hiding behind its back side. Returns how many materials were double-sided.
function forceFrontSide(root) {
  const seen = new Set();
  let doubleSided = 0;
  root.traverse((node) => {
    if (!node.isMesh) return;
    for (const m of Array.isArray(node.material) ? node.material : [node.material]) {
      if (seen.has(m)) continue;
      seen.add(m);
      if (m.side !== THREE.FrontSide) doubleSided++;
      m.side = THREE.FrontSide;
    }
  });
  return { materials: seen.size, doubleSided };
}

function addLights(scene, box) {
  scene.add(new THREE.HemisphereLight(0xdfeeff, 0x6b5a45, 1.6));
  const sun = new THREE.DirectionalLight(0xfff4e0, 2.2);
  // From the south-east and high up (glTF: +x east, +y up, -z north), so the south and east
  // walls of a building are lit differently and its roof brightest.
  const centre = box.getCenter(new THREE.Vector3());
  const reach = box.getSize(new THREE.Vector3()).length() || 1;
  sun.position.copy(centre).add(new THREE.Vector3(0.6, 1.0, 0.35).normalize().multiplyScalar(reach));
  sun.target.position.copy(centre);
  scene.add(sun, sun.target);
}

// Fraction of pixels that differ from the background, read back from the canvas.
function coverage(renderer, width, height) {
  const gl = renderer.getContext();
  const pixels = new Uint8Array(width * height * 4);
  gl.readPixels(0, 0, width, height, gl.RGBA, gl.UNSIGNED_BYTE, pixels);
  const bg = background.clone().convertLinearToSRGB();
  const ref = [bg.r * 255, bg.g * 255, bg.b * 255];
  let covered = 0;
  for (let i = 0; i < pixels.length; i += 4) {
    const d = Math.abs(pixels[i] - ref[0]) + Math.abs(pixels[i + 1] - ref[1]) + Math.abs(pixels[i + 2] - ref[2]);
    if (d > 6) covered++;
  }
  return covered / (width * height);
}

async function main() {
  const params = new URLSearchParams(location.search);
  const width = Number(params.get('width'));
  const height = Number(params.get('height'));

  const renderer = new THREE.WebGLRenderer({ antialias: true, preserveDrawingBuffer: true });
  renderer.setPixelRatio(1);
  renderer.setSize(width, height);
  renderer.outputColorSpace = THREE.SRGBColorSpace;
  document.body.appendChild(renderer.domElement);

  let gltf;
  try {
    gltf = await loadModel(params.get('model'));
  } catch (err) {
    finish({ ok: false, error: `cannot load the model: ${err.message ?? err}` });
    return;
  }
  const model = gltf.scene ?? gltf.scenes?.[0];
  if (!model) {
    finish({ ok: false, error: 'the file has no scene' });
    return;
  }
  const sides = forceFrontSide(model);
  const scene = new THREE.Scene();
  scene.background = background;
  scene.add(model);
  model.updateMatrixWorld(true);

  const box = new THREE.Box3().setFromObject(model);
  if (box.isEmpty()) {
    finish({ ok: false, error: 'the model has no geometry' });
    return;
  }
  addLights(scene, box);
  const camera = frameCamera(box, width / height, params.get('from') ?? 'se');
  renderer.render(scene, camera);

  const size = box.getSize(new THREE.Vector3());
  finish({
    ok: true,
    stats: {
      meshes: countMeshes(model),
      ...sides,
      size: [size.x, size.y, size.z],
      coverage: coverage(renderer, width, height),
    },
  });
}

function countMeshes(root) {
  let n = 0;
  root.traverse((node) => { if (node.isMesh) n++; });
  return n;
}

main().catch((err) => finish({ ok: false, error: `render failed: ${err.stack ?? err}` }));
