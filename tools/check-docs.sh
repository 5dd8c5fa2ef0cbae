#!/bin/bash
# Checks the README and docs/*.md as a new user meets them: every relative
# link resolves (to a file, and to a heading when it names one), every ```sh
# block runs in a scratch copy of the tree, and every option given to one of
# our programs or scripts is one it knows. A block whose info string is
# "sh skip: REASON" is not run (its options are still checked); the reason
# is printed. See docs/building.md.
#   bash tools/check-docs.sh [BUILD_DIR]    (build/ unless given)
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$top/build}")
quillmoor=$build/platform/quillmoor
bench=$build/bench/quillmoor_bench
bmp2png=$build/tools/bmp2png
manpage=$build/packaging/linux/quillmoor.6
for built in "$quillmoor" "$bench" "$bmp2png" "$manpage"; do
    [ -e "$built" ] || { echo "check-docs: no $built: build first (bash tools/build.sh)" >&2; exit 2; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "FAIL: $*"; status=1; }

docs=("$top/README.md")
for page in "$top"/docs/*.md; do docs+=("$page"); done

# GitHub's anchor for a heading: lower case, punctuation dropped, blanks as '-'.
anchors() {
    sed -n 's/^#\{1,6\} \(.*\)$/\1/p' "$1" | tr 'A-Z' 'a-z' | sed -e 's/[^a-z0-9 _-]//g' -e 's/ /-/g'
}

echo "== links"
for doc in "${docs[@]}"; do
    # Links outside code: [text](target) and ![alt](target).
    awk '/^```/ { code = !code; next } !code' "$doc" | grep -oE '\]\([^)]+\)' | sed -E 's/^\]\((.*)\)$/\1/' |
    while read -r target; do
        case $target in http://* | https://* | mailto:*) continue ;; esac
        path=${target%%#*}
        anchor=
        [[ $target == *'#'* ]] && anchor=${target#*#}
        file=$doc
        [ -n "$path" ] && file=$(dirname "$doc")/$path
        if [ ! -e "$file" ]; then
            echo "FAIL: ${doc#"$top"/}: link to $target: no such file"
        elif [ -n "$anchor" ] && ! anchors "$file" | grep -qxF -- "$anchor"; then
            echo "FAIL: ${doc#"$top"/}: link to $target: no such heading"
        fi
    done
done > "$work/links.log"
grep -q FAIL "$work/links.log" && { cat "$work/links.log"; status=1; }

# Each ```sh block into its own file, with where it is and its info string.
mkdir "$work/blocks"
for doc in "${docs[@]}"; do
    name=${doc#"$top"/}
    awk -v name="${name//\//_}" -v dir="$work/blocks" '
        /^```sh/ && !inside {
            inside = 1; info = substr($0, 6)
            file = dir "/" name "-" sprintf("%03d", ++count)
            print FILENAME ":" NR ":" info > (file ".where"); close(file ".where")
            printf "" > (file ".sh"); next
        }
        /^```/ && inside { inside = 0; close(file ".sh"); next }
        inside { print > (file ".sh") }
    ' "$doc"
done

help_quillmoor=$("$quillmoor" --help 2>&1)
help_bench=$("$bench" --help 2>&1)

# Whether `option` is one that `known` (a help text or a script) names.
names() {
    local known=$2 bare=${1#-}
    bare=${bare#-}
    grep -qE -- "(^|[^A-Za-z0-9-])--?${bare}([^A-Za-z0-9-]|$)" <<< "$known"
}

# Checks the options of one command line (continuations joined, comments off).
check_line() {
    local where=$1 line=$2 part word program known options
    # Each command of a list or pipeline on its own.
    while IFS= read -r part; do
        read -ra words <<< "$part"
        set -- "${words[@]}"
        while [ $# -gt 0 ] && { [[ $1 == *=* && $1 != -* ]] || [ "$1" = sudo ] || [ "$1" = cd ]; }; do
            [ "$1" = cd ] && { shift; shift; continue; }
            shift
        done
        [ $# -gt 0 ] || continue
        program=$1
        shift
        case $program in
            quillmoor | */platform/quillmoor) known=$help_quillmoor ;;
            */bench/quillmoor_bench) known=$help_bench ;;
            bash)
                [[ ${1:-} == *.sh ]] || continue
                if [ ! -f "$top/$1" ]; then
                    fail "$where: no script $1"
                    continue
                fi
                known=$(cat "$top/$1")
                program=$1
                shift
                ;;
            *) continue ;;
        esac
        for word in "$@"; do
            word=${word#[}
            word=${word%%]*}
            word=${word%%=*}
            [[ $word =~ ^--?[A-Za-z][A-Za-z0-9-]*$ ]] || continue
            names "$word" "$known" || fail "$where: $program does not know $word"
        done
    done < <(sed -E 's/[()]//g; s/(&&|\|\||[|;])/\n/g' <<< "$line")
}

echo "== options"
for block in "$work"/blocks/*.sh; do
    where=$(cut -d: -f1,2 < "${block%.sh}.where")
    where=${where#"$top"/}
    sed -E -e ':a' -e '/\\$/{N; s/\\\n//; ba}' -e 's/(^|[[:space:]])#.*$//' "$block" |
        while IFS= read -r line; do
            [ -n "${line// /}" ] && check_line "$where" "$line"
        done
done > "$work/options.log"
grep -q FAIL "$work/options.log" && { cat "$work/options.log"; status=1; }

# A copy of the tree whose build/ holds the programs under test.
scratch=$work/tree
mkdir "$scratch"
tar -C "$top" --exclude=./.git --exclude=./build --exclude='./build-*' -cf - . | tar -C "$scratch" -xf -
mkdir -p "$scratch/build/platform" "$scratch/build/bench" "$scratch/build/tools" "$scratch/build/packaging/linux"
ln -s "$quillmoor" "$scratch/build/platform/quillmoor"
ln -s "$bench" "$scratch/build/bench/quillmoor_bench"
ln -s "$bmp2png" "$scratch/build/tools/bmp2png"
ln -s "$manpage" "$scratch/build/packaging/linux/quillmoor.6"

echo "== commands"
ran=0
for block in "$work"/blocks/*.sh; do
    IFS=: read -r file line info < "${block%.sh}.where"
    where="${file#"$top"/}:$line"
    if [[ $info == " skip:"* ]]; then
        echo "not run: $where:${info#" skip:"}"
        continue
    fi
    if [ -n "$info" ]; then
        fail "$where: unknown marking '$info' (sh, or sh skip: REASON)"
        continue
    fi
    if (cd "$scratch" && MANPAGER=cat PAGER=cat timeout 300 bash -euo pipefail "$block") > "$work/run.log" 2>&1 < /dev/null; then
        ran=$((ran + 1))
    else
        fail "$where: the block failed:"
        sed 's/^/    /' "$block"
        tail -n 20 "$work/run.log" | sed 's/^/  | /'
    fi
done
echo "ran $ran blocks"
[ $status = 0 ] && echo "docs: every link resolves, every command runs or is marked, every option is known"
exit $status
