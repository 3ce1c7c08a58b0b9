#!/usr/bin/env bash
# Builds share/install/ (the default installation and the demo data set) from share/install-src/
# with the built sarw-cli: text files are copied as they are, codebooks and demo tables are made
# from UTF-8 TSV with "table from-tsv", the demo movements come from demo/generate.py.
#   scripts/make-install-data.sh [SARW-CLI]     (default: build/cli/sarw-cli)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
cli=${1:-$root/build/cli/sarw-cli}
[ -x "$cli" ] || { echo "sarw-cli not found: $cli (build first)" >&2; exit 1; }
cli=$(cd "$(dirname "$cli")" && pwd)/$(basename "$cli")

src=$root/share/install-src
dst=$root/share/install
year=26   # year of the codebooks and of the demo data
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

table() { # DEF TSV OUT
    mkdir -p "$(dirname "$3")"
    "$cli" table from-tsv "$1" "$2" "$3"
}

rm -rf "$dst"
mkdir -p "$dst/LSarW" "$dst/LOrbW/Cisel"
for d in DefSoub PomSoub TbuSoub Dokum; do
    mkdir -p "$dst/LSarW/$d"
    cp "$src/LSarW/$d"/* "$dst/LSarW/$d/"
done

defs=$src/LSarW/DefSoub
own=$src/defs
cis=$src/codebooks
out=$dst/LSarW/Cisel
table "$own/MJ.Def" "$cis/MJ.tsv" "$out/MJ.Cds"
table "$defs/DosDP.Def" "$cis/DP.tsv" "$out/DP.Cds"
table "$defs/Mater.Def" "$cis/Mater.tsv" "$out/Mater.Cds"
table "$defs/DosMS.Def" "$cis/MatSk.tsv" "$out/${year}MatSk.Cds"
table "$own/Ucto.Def" "$cis/Ucto.tsv" "$out/${year}Ucto.Cds"
table "$own/Cinn.Def" "$cis/Cinn.tsv" "$out/${year}Cinn.Cds"
table "$defs/Konta.Def" "$cis/Konta.tsv" "$out/${year}Konta.Cds"
table "$own/Odber.Def" "$cis/Odber.tsv" "$dst/LOrbW/Cisel/Odber.Cds"
table "$own/Dodav.Def" "$cis/Dodav.tsv" "$dst/LOrbW/Cisel/Dodav.Cds"

# The demo data set: laid over the default installation by "sarw-cli install DIR --demo".
demo=$dst/demo
python3 -B "$src/demo/generate.py" "$src" "$work"
mkdir -p "$demo/LSarW/PomSoub" "$demo/LSarW/Data"
cp "$src/demo/LSarW/PomSoub"/* "$demo/LSarW/PomSoub/"
table "$defs/Mater.Def" "$work/tsv/Mater.tsv" "$demo/LSarW/Cisel/Mater.Cds"
table "$own/Odber.Def" "$src/demo/Odber.tsv" "$demo/LOrbW/Cisel/Odber.Cds"
table "$own/Dodav.Def" "$src/demo/Dodav.tsv" "$demo/LOrbW/Cisel/Dodav.Cds"
for f in "$work"/tsv/*SarS.tsv; do
    table "$defs/SarS.Def" "$f" "$demo/LSarW/Data/$(basename "$f" .tsv).Cds"
done
for f in "$work"/tsv/*SarO.tsv; do
    table "$defs/SarO.Def" "$f" "$demo/LSarW/Data/$(basename "$f" .tsv).Cds"
done
cp -r "$work/SarDos" "$demo/SarDos"

echo "share/install: $(find "$dst" -type f | wc -l) files"
