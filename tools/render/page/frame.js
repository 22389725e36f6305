// Camera framing: a three-quarter view from above, from the south-east looking north-west,
// at the distance where the model's bounding box just fits the picture.
// glTF axes: +x east, +y up, -z north (so the south-east is +x, +z).
import * as THREE from 'three';

const verticalFov = 35;      // degrees
const margin = 0.92;         // the box fills at most this fraction of half the picture
const elevation = 30;        // degrees above the horizon

export function frameCamera(box, aspect) {
  const centre = box.getCenter(new THREE.Vector3());
  const up = Math.tan(THREE.MathUtils.degToRad(elevation)) * Math.SQRT2;
  const toCamera = new THREE.Vector3(1, up, 1).normalize();

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
  return camera;
}

function cornersOf(box) {
  const out = [];
  for (const x of [box.min.x, box.max.x])
    for (const y of [box.min.y, box.max.y])
      for (const z of [box.min.z, box.max.z]) out.push(new THREE.Vector3(x, y, z));
  return out;
}
