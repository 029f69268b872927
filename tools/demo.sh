#!/usr/bin/env bash
# The headless demo of ./run.sh: creates a workspace in a scratch folder, saves
# the worked examples into it, regenerates the object model and generates the
# SQL module, the C++ headers and the Java classes. Nothing outside the scratch
# folder is touched.
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
"$cli" new --system ESD --workspace "$scratch/esd.vnp"
echo "== Saving the worked examples"
"$cli" examples --workspace "$scratch/esd.vnp" | tr '\n' ' '
echo
"$cli" info --workspace "$scratch/esd.vnp"
echo "== The first requirements"
"$cli" list --workspace "$scratch/esd.vnp" | head -5
echo "== Regenerating the object model"
"$cli" regenerate --workspace "$scratch/esd.vnp"
for kind in sql cpp java; do
    "$cli" generate "$kind" --workspace "$scratch/esd.vnp"
done
# No pipe into head below: under pipefail a writer that head leaves behind
# would end the demo early.
echo "== One generated C++ header"
headers=("$scratch/User Files/ESD C++ Files/"*.h)
header="$scratch/User Files/ESD C++ Files/RunwayWeatherStation.h"
[ -f "$header" ] || header=${headers[0]}
echo "$header"
sed -n 1,20p "$header"
echo "== Done"
