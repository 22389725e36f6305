#!/usr/bin/env bash
# Installs what render.sh needs: Debian's Chromium and the npm packages pinned by
# package-lock.json (playwright-core drives the browser, three loads and draws the glTF).
# Not part of the project's main setup: rendering is a documentation tool, not run in CI.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

if [[ ! -x /usr/bin/chromium ]]; then
  if [[ $(id -u) -ne 0 ]]; then
    echo "setup.sh: /usr/bin/chromium is missing; run as root or: sudo apt-get install -y chromium" >&2
    exit 1
  fi
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq chromium
fi

if ! command -v npm >/dev/null; then
  echo "setup.sh: npm is missing; the project's ./setup.sh installs Node.js and npm" >&2
  exit 1
fi

# npm ci installs exactly what the lock file names, and never rewrites it.
if [[ ! -d "$here/node_modules/playwright-core" || ! -d "$here/node_modules/three" ]]; then
  # The browser comes from Debian: playwright must not try to download one of its own.
  (cd "$here" && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund)
fi
