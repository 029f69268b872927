#!/usr/bin/env bash
# The headless demo of ./run.sh: creates a workspace in a scratch folder and
# shows what varn-cli makes of it. Nothing outside the scratch folder is touched.
set -euo pipefail
cli=${1:-build/bin/varn-cli}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/odbcsys"
cp /etc/odbcinst.ini "$scratch/odbcsys/odbcinst.ini"
: > "$scratch/odbcsys/odbc.ini"
export ODBCSYSINI="$scratch/odbcsys" ODBCINI="$scratch/odbc.ini" VARN_SE_CONFIG="$scratch/varn-se.ini"
printf '[General]\nInstallPath=%s/User Files/\n' "$scratch" > "$VARN_SE_CONFIG"

echo "== No display: running the headless demo in $scratch"
"$cli" new --system "Acme Telecom" --workspace "$scratch/acme.vnp"
"$cli" info --workspace "$scratch/acme.vnp"
