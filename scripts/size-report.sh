#!/usr/bin/env bash
# Where the bytes of the release Dravik.exe go: builds the win32 preset's Dravik.exe once more
# in build/size with a linker map (-Wl,-Map), then sums the input sections the linker kept
# (after --gc-sections) per output section, per library and per object file, largest first.
#
#   scripts/size-report.sh            # i686, the release (default)
#   scripts/size-report.sh x86_64     # the 64-bit build, for comparison
#   SIZE_REPORT_TOP=40 scripts/size-report.sh
#
# Sizes are the input sections' own sizes as the map gives them, before the file alignment
# of the output sections (0x200 bytes in the file); .bss and other sections without file
# data are listed but count for nothing in the file. The last line compares the sum of the
# sections that have data with the size of the file.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
arch="${1:-i686}"
case "$arch" in
i686 | x86_64) ;;
*)
    echo "usage: $0 [i686|x86_64]" >&2
    exit 2
    ;;
esac
top="${SIZE_REPORT_TOP:-25}"
dir="$ROOT/build/size-$arch"
map="$dir/Dravik.map"
mkdir -p "$dir"

cmake -S "$ROOT" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=MinSizeRel -DDRAVIK_TESTS=OFF \
    "-DCMAKE_EXE_LINKER_FLAGS=-Wl,-Map=$map" >"$dir.configure.log" 2>&1 ||
    { cat "$dir.configure.log"; exit 1; }
rm -f "$dir/Dravik.exe" "$map"
cmake --build "$dir" --target Dravik -j2 >"$dir.build.log" 2>&1 || { tail -n 40 "$dir.build.log"; exit 1; }

exe_size=$(stat -c %s "$dir/Dravik.exe")
echo "Dravik.exe ($arch, MinSizeRel): $exe_size bytes ($((exe_size / 1024)) KB); map: ${map#"$ROOT"/}"

# The map's memory map part lists each output section at column 0 and each input section kept
# in it indented, as "<name> <address> <size> <file>", with the name on a line of its own
# when it is long. Symbol lines (address and name, no size) and the discarded sections listed
# before the memory map are skipped.
awk -v top="$top" -v root="$ROOT/" '
function human(n) { return n >= 10240 ? sprintf("%d KB", n / 1024) : n " B" }
function add(file, size,    lib, obj, n, parts) {
    if (file == "dll stuff") {               # made by the linker itself
        lib = "(linker: base relocations)"; obj = lib
    } else if (file ~ /\(/) {                # archive member: lib.a(member.o)
        lib = file; sub(/\(.*$/, "", lib)
        obj = file; sub(/^.*\(/, "", obj); sub(/\)$/, "", obj)
        n = split(lib, parts, "/"); lib = parts[n]
        # CMake hands the objects of the target itself to the MinGW linker as objects.a.
        if (lib == "objects.a") { lib = "(Dravik target)"; obj = "Dravik target: " obj }
        else obj = lib "(" obj ")"
    } else {                                 # crt2.o, crtbegin.o, crtend.o
        lib = "(C runtime start-up objects)"
        n = split(file, parts, "/"); obj = parts[n]
    }
    bylib[lib] += size; byobj[obj] += size; bylibsec[lib "  " section] += size
    if (lib ~ /^libdravik_/ || lib == "(Dravik target)") ours += size; else theirs += size
    if (file_data[section]) total_data += size
}
# "/path/libfoo.a(bar.o)" as "libfoo.a(bar.o)"; other paths by their last part.
function short(file,    n, parts) {
    n = split(file, parts, "/"); return parts[n]
}
function short_ref(line,    file, rest) {
    file = line; sub(/ .*$/, "", file)
    rest = line; sub(/^[^ ]+ */, "", rest)
    return short(file) " " rest
}
function report(title, arr,    k, i, n, keys, sum) {
    n = 0; sum = 0
    for (k in arr) { keys[++n] = k; sum += arr[k] }
    # selection of the largest first; the lists are short
    for (i = 1; i <= n && i <= top; i++) {
        best = i
        for (j = i + 1; j <= n; j++) if (arr[keys[j]] > arr[keys[best]]) best = j
        t = keys[i]; keys[i] = keys[best]; keys[best] = t
        printf "  %9d  %6.1f%%  %s\n", arr[keys[i]], sum ? 100 * arr[keys[i]] / sum : 0, keys[i]
        if (title == "object") top_keys[++n_top] = keys[i]
    }
    if (n > top) printf "  (%d more)\n", n - top
    printf "\n"
}
# Before the memory map: which reference pulled each archive member in.
/^Archive member included/ { inwhy = 1; next }
/^(Discarded input sections|Allocating common|Memory Configuration)/ { inwhy = 0 }
inwhy && /^[^ ]/ && /\(/ { member = short($1); next }
inwhy && /^ +[^ ]/ && member != "" {
    line = $0; sub(/^ +/, "", line); why[member] = short_ref(line); member = ""; next
}
/^Linker script and memory map/ { inmap = 1; next }
!inmap { next }
# An output section: ".text  0x00401000  0x4a000"
/^\.[^ ]+/ {
    section = $1
    if (NF >= 3 && $3 ~ /^0x/) {
        outsize[section] = strtonum_hex($3)
        file_data[section] = (section != ".bss" && section !~ /^\.debug/ && section != ".tls$")
    }
    pending = ""
    next
}
# An input section whose name stood alone on the line before.
pending != "" && /^ +0x[0-9a-f]+ +0x[0-9a-f]+ +[^ ]/ {
    size = strtonum_hex($2); file = $3
    for (i = 4; i <= NF; i++) file = file " " $i
    if (section != "" && size > 0) { bysec[section] += size; add(file, size) }
    pending = ""
    next
}
# An input section on one line: " .text  0x00401000  0x50  crt2.o"
/^ [^ *]/ && NF >= 4 && $2 ~ /^0x/ && $3 ~ /^0x/ {
    size = strtonum_hex($3); file = $4
    for (i = 5; i <= NF; i++) file = file " " $i
    if (section != "" && size > 0) { bysec[section] += size; add(file, size) }
    pending = ""
    next
}
# Fill between input sections, alignment padding.
/^ \*fill\*/ && $3 ~ /^0x/ { fill[section] += strtonum_hex($3); pending = ""; next }
/^ [^ ]+$/ { pending = $1; next }
{ pending = "" }
function strtonum_hex(s,    i, c, v) {
    v = 0; s = tolower(s); sub(/^0x/, "", s)
    for (i = 1; i <= length(s); i++) { c = index("0123456789abcdef", substr(s, i, 1)) - 1; v = v * 16 + c }
    return v
}
END {
    printf "\nPer output section (input sections kept, bytes; .bss has no file data):\n"
    report("section", bysec)
    printf "Per library (archives by name):\n"
    report("library", bylib)
    printf "Per library and output section (top %d):\n", top
    report("library section", bylibsec)
    printf "Per object file (top %d):\n", top
    report("object", byobj)
    printf "Why the largest library members are linked (member <- what referred to it first):\n"
    shown = 0
    for (i = 1; i <= n_top && shown < top; i++)
        if (top_keys[i] in why) { printf "  %s <- %s\n", top_keys[i], why[top_keys[i]]; shown++ }
    printf "\n"
    printf "Our code (libdravik_*, the Dravik target): %d bytes; runtimes and system libraries: %d bytes\n", ours, theirs
    for (s in fill) allfill += fill[s]
    printf "Alignment fill between input sections: %d bytes\n", allfill
    printf "Sections with file data: %d bytes in input sections\n", total_data
}
' "$map"
