#!/bin/sh
# The x86 modules hold the same resources as the x64 ones: the lists of
# their resources (type, name, language, size, digest of the data) must be
# equal line for line, and the x86 export keeps its plain name.
# Usage: compare-x86-resources.sh X64_BUILD_DIR X86_BUILD_DIR
set -eu
x64=$1
x86=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for module in tessikres/TessikRes.US peloriares/PeloriaRes.US; do
    if [ ! -f "$x86/resmodules/$module" ]; then
        echo "no x86 build of $module under $x86 (cmake --preset x86 && cmake --build --preset x86)"
        exit 77
    fi
    python3 "$(dirname "$0")/dump-resources.py" "$x64/resmodules/$module" > "$work/x64.txt"
    python3 "$(dirname "$0")/dump-resources.py" "$x86/resmodules/$module" > "$work/x86.txt"
    resources=$(wc -l < "$work/x64.txt")
    if [ "$resources" -eq 0 ]; then
        echo "$module: no resources in the x64 build"
        exit 1
    fi
    if ! cmp -s "$work/x64.txt" "$work/x86.txt"; then
        echo "$module: the x86 and x64 builds differ in their resources:"
        diff "$work/x64.txt" "$work/x86.txt" | head -20
        exit 1
    fi
    exports=$(i686-w64-mingw32-objdump -p "$x86/resmodules/$module" | awk '/\[Ordinal\/Name Pointer\] Table/{f=1; next} f && NF==0{f=0} f{print $NF}')
    if [ "$exports" != "ResUSLink" ]; then
        echo "$module: x86 exports '$exports' instead of ResUSLink"
        exit 1
    fi
    echo "$module: x86 and x64 hold the same resources; ResUSLink exported by name"
done
