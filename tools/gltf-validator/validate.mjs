// Validates glTF files with the Khronos glTF validator: one line of counts per file, then each
// issue; exits 1 when any file has an error, 2 when the validator is not installed or a file
// cannot be read. Usage: node validate.mjs [--verbose] FILE...
import { readFile } from 'node:fs/promises';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));

async function loadValidator() {
  try {
    return await import('gltf-validator');
  } catch {
    console.error(`validate.mjs: the glTF validator is not installed in ${here}/node_modules; ` +
                  'run ./setup.sh at the top of the repository');
    process.exit(2);
  }
}

async function validate(validator, file) {
  const bytes = await readFile(file);
  return validator.validateBytes(new Uint8Array(bytes), {
    uri: path.basename(file),
    maxIssues: 0,
    writeTimestamp: false,
    // Buffers and images beside a .gltf file are read and validated too.
    externalResourceFunction: (uri) =>
      readFile(path.resolve(path.dirname(file), decodeURIComponent(uri))).then(
        (data) => new Uint8Array(data)),
  });
}

const args = process.argv.slice(2);
const verbose = args[0] === '--verbose';
const files = verbose ? args.slice(1) : args;
if (files.length === 0) {
  console.error('usage: node validate.mjs [--verbose] FILE...');
  process.exit(2);
}
const validator = await loadValidator();
let failed = false;
for (const file of files) {
  let report;
  try {
    report = await validate(validator, file);
  } catch (error) {
    console.error(`${file}: cannot be validated: ${error}`);
    process.exit(2);
  }
  const i = report.issues;
  console.log(`${file}: errors ${i.numErrors}, warnings ${i.numWarnings}, ` +
              `infos ${i.numInfos}, hints ${i.numHints}`);
  for (const m of i.messages) {
    if (verbose || m.severity <= 1)
      console.log(`  [${['error', 'warning', 'info', 'hint'][m.severity]}] ${m.code} ` +
                  `${m.pointer ?? ''}: ${m.message}`);
  }
  failed ||= i.numErrors > 0;
}
process.exit(failed ? 1 : 0);
