// Camera framing: a three-quarter view from above, by default from the south-east looking
// north-west, at the distance where the model's bounding box just fits the picture.
// glTF axes: +x east, +y up, -z north (so the south-east is +x, +z).
import * as THREE from 'three';

const verticalFov = 35;      // degrees
const margin = 0.92;         // the box fills at most this fraction of half the picture
const elevation = 30;        // degrees above the horizon

// Where the camera stands, as (x, z) signs: east is +x, south is +z.
const quarters = { se: [1, 1], sw: [-1, 1], nw: [-1, -1], ne: [1, -1] };

export function frameCamera(box, aspect, from = 'se') {
  const centre = box.getCenter(new THREE.Vector3());
  const up = Math.tan(THREE.MathUtils.degToRad(elevation)) * Math.SQRT2;
  const [east, south] = quarters[from];
  const toCamera = new THREE.Vector3(east, up, south).normalize();

  // Camera basis while looking at the centre: right and up in the picture, depth towards it.
  const forward = toCamera.clone().negate();
  const right = new THREE.Vector3().crossVectors(forward, new THREE.Vector3(0, 1, 0)).normalize();
  const screenUp = new THREE.Vector3().crossVectors(right, forward);

  const tanV = Math.tan(THREE.MathUtils.degToRad(verticalFov / 2));
  const tanH = tanV * aspect;

  // A corner p at lateral offsets (a, b) and depth offset c towards the camera stays inside the
  // picture when |a| <= margin * tanH * (distance - c), and likewise for b: solve for distance.
  let distance = 0;
  let nearest = Infinity;
  let farthest = -Infinity;
  const corners = cornersOf(box);
  for (const p of corners) {
    const d = p.clone().sub(centre);
    const a = Math.abs(d.dot(right));
    const b = Math.abs(d.dot(screenUp));
    const c = d.dot(toCamera);
    distance = Math.max(distance, a / (margin * tanH) + c, b / (margin * tanV) + c);
  }
  distance = Math.max(distance, 1e-3);
  for (const p of corners) {
    const depth = distance - p.clone().sub(centre).dot(toCamera);
    nearest = Math.min(nearest, depth);
    farthest = Math.max(farthest, depth);
  }

  const near = Math.max(nearest * 0.5, distance * 1e-3);
  const camera = new THREE.PerspectiveCamera(verticalFov, aspect, near, farthest * 1.5);
  camera.position.copy(centre).addScaledVector(toCamera, distance);
  camera.up.set(0, 1, 0);
  camera.lookAt(centre);
  camera.updateMatrixWorld(true);
  cropToBox(camera, corners);
  return camera;
}

// Perspective leaves the box off-centre and smaller than the picture (its near half looks
// bigger than its far half). Crop the view to the box's projected rectangle, widened to the
// picture's aspect: an off-axis projection that keeps the viewpoint and direction.
function cropToBox(camera, corners) {
  let minX = Infinity, maxX = -Infinity, minY = Infinity, maxY = -Infinity;
  for (const p of corners) {
    const ndc = p.clone().project(camera);
    minX = Math.min(minX, ndc.x);
    maxX = Math.max(maxX, ndc.x);
    minY = Math.min(minY, ndc.y);
    maxY = Math.max(maxY, ndc.y);
  }
  // NDC x and y both span 2 units over the picture, so a square in NDC has its aspect.
  const half = Math.max(maxX - minX, maxY - minY) / 2 / margin;
  const cx = (minX + maxX) / 2;
  const cy = (minY + maxY) / 2;
  // setViewOffset works in pixels of a notional full picture, whose shape sets the aspect.
  const w = 1000 * camera.aspect;
  const h = 1000;
  camera.setViewOffset(w, h, ((cx - half + 1) / 2) * w, ((1 - (cy + half)) / 2) * h, half * w, half * h);
}

function cornersOf(box) {
  const out = [];
  for (const x of [box.min.x, box.max.x])
    for (const y of [box.min.y, box.max.y])
      for (const z of [box.min.z, box.max.z]) out.push(new THREE.Vector3(x, y, z));
  return out;
}
