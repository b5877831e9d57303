#!/usr/bin/env bash
# Fills one seed corpus per harness from the project's own files: ./fuzz/seed.sh <corpus folder>
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:?corpus folder}
mkdir -p "$out"/{textstream,numbers,stores,style,session}
find tests/data data/Styles data/Samples -type f \( -name '*.qms' -o -name '*.qvs' -o -name '*.cfg' \
    -o -name '*.txt' -o -name '*.dat' \) -exec cp -t "$out/textstream" {} +
cp data/Styles/*.qms tests/data/styles/*.qms "$out/style/"
cp data/Samples/*.qvs tests/data/session/*.qvs "$out/session/"
find tests/data -type f \( -name '*.cfg' -o -name '*.dat' -o -name '*.txt' \) -exec cp -t "$out/stores" {} +
# Numbers: a selector byte (odd: ',' is the decimal separator), then the text.
n=0
for t in 0 1 -1 1.5 0,25 -3.75e-12 1e308 2e308 4.9e-324 1e-400 nan inf 00012 " 42 " +7 2147483648 \
    -2147483649 0.1234567 99.995 9.9995 0.0099999 .5 5. 1,5.2 e5 1e; do
    printf '\000%s' "$t" >"$out/numbers/$((n++))"
    printf '\001%s' "$t" >"$out/numbers/$((n++))"
done
# The two stores without a fixture of their own.
printf '<QuoVelanta Global Notes>\r\n<globalNotes>\r\ni=First note\r\ni=Second\r\n</globalNotes>\r\n</QuoVelanta Global Notes>\r\n' \
    >"$out/stores/globalNotes.cfg"
printf '<QuoVelanta Custom Style Mixes>\r\n<Mix>\r\nvolDrums=0.7\r\nmixKick=0.6\r\nmixC=0.9\r\nforStyle=12\r\n</Mix>\r\n<Mix>\r\nvolBass=1\r\nforStyle=3\r\n</Mix>\r\n</QuoVelanta Custom Style Mixes>\r\n' \
    >"$out/stores/customStyleMixes.dat"
# The harnesses that take several parts: length-prefixed pieces built from the same files.
mkdir -p "$out"/{stylefolder,sessionstyle,chartundo,midiexport,links}
be16() { printf "\\x$(printf %02x $(($1 >> 8 & 255)))\\x$(printf %02x $(($1 & 255)))"; }
styles=(data/Styles/*.qms tests/data/styles/*.qms)
sessions=(data/Samples/*.qvs tests/data/session/*.qvs)
n=0
for s in "${sessions[@]}"; do
    st=${styles[$((n % ${#styles[@]}))]}
    # stylefolder: two files named after the style (a duplicate number) and one that is no number.
    base=$(basename "$st" .qms)
    {
        for name in "$base" "$base" "x$base"; do
            printf "\\x$(printf %02x $((${#name} << 3)))%s" "$name"
            be16 "$(stat -c %s "$st")"
            cat "$st"
        done
    } >"$out/stylefolder/$n"
    { be16 "$(stat -c %s "$st")"; cat "$st" "$s"; } >"$out/sessionstyle/$n"
    { printf '\x00\x21\x42\x63\x84\xa5\xc6\xe7'; cat "$s"; } >"$out/chartundo/$n"
    { printf "\\x$(printf %02x $((n * 37 % 256)))"; cat "$s"; } >"$out/midiexport/$n"
    n=$((n + 1))
done
printf 'www.example.org\nhttp://host/a b\n~/doc.txt\n~/run.sh\nfile://~/folder' >"$out/links/0"
printf '~/innocent.txt\n~/program\n~/tool.desktop\n/usr/bin/env\nhttps://\xff\xfe' >"$out/links/1"
printf 'file:~/doc.txt\n  ~/folder/../doc.txt  \nWWW.\nhttp://[::1]/\nmailto:x@y' >"$out/links/2"
printf 'someone@example.org\nmailto:a.b@mail.example.org?subject=Hi\na?b@example.org\nmailto:x?y@host.org\nx@a..b' >"$out/links/3"
