#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a user's system would get.
# Usage: install_test.sh BUILD-DIR layout|depends|lint
# depends checks that every library the programs link is named in the Debian package's
# Depends, so adding a library cannot silently leave the package uninstallable; lint builds the
# package and has lintian and appstreamcli judge it as a distribution would.
set -euo pipefail
build=$1
mode=$2

# A command that fails outside the checks is reported too, not just ended silently.
trap 'echo "FAIL: command at line $LINENO of install_test.sh failed" >&2' ERR

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

prefix=$(mktemp -d)
work=$(mktemp -d)
trap 'rm -rf "$prefix" "$work"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

check_layout() {
    for program in bearing-lookup bearing-catalog; do
        [ -x "$prefix/bin/$program" ] || fail "bin/$program is not installed as a program"
    done
    for file in share/applications/bearing-lookup.desktop \
                share/bearing-lookup/bearings.csv share/bearing-lookup/bde.mdb; do
        [ -s "$prefix/$file" ] || fail "$file is not installed"
    done

    help=$("$prefix/bin/bearing-catalog" --help) || fail "the installed bearing-catalog --help failed"
    grep -q "bearing-catalog query" <<<"$help" || fail "the installed bearing-catalog prints no usage"

    # The installed sample must be a catalogue the search accepts, not just a file of that name.
    cp "$prefix/share/bearing-lookup/bde.mdb" "$work/"
    caption=$(cd "$work" && "$prefix/bin/bearing-catalog" query --model 6204 2>&1 >/dev/null) ||
        fail "a search of the installed sample failed: $caption"
    [[ $caption =~ 结果：[1-9][0-9]*条 ]] || fail "the installed sample has no 6204: $caption"

    # A launcher's working folder is where the window looks for bde.mdb; the README explains why the
    # entry leaves it to the desktop (the user's home), so a Path= line must be a deliberate change.
    desktop=$prefix/share/applications/bearing-lookup.desktop
    for line in 'Exec=bearing-lookup' 'Icon=bearing-lookup' 'Terminal=false' 'Name=轴承型号查询' \
                'Name[en]=Bearing Lookup'; do
        grep -qxF "$line" "$desktop" || fail "the desktop entry lacks $line"
    done
    grep -q '^Comment=' "$desktop" || fail "the desktop entry has no English Comment"
    grep -q '^Comment\[zh_CN\]=' "$desktop" || fail "the desktop entry has no Chinese Comment"
    if grep -q '^Path=' "$desktop"; then
        fail "the desktop entry sets Path= without the README saying so"
    fi
    if command -v desktop-file-validate >/dev/null; then
        desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the entry"
    fi

    # The theme looks an icon up by its folder's size, so each PNG must really be that size.
    for size in 16 32 48 64 128 256; do
        png=$prefix/share/icons/hicolor/${size}x${size}/apps/bearing-lookup.png
        if [ ! -s "$png" ]; then
            fail "no ${size}x${size} icon"
            continue
        fi
        read -r width height < <(od -An -tu1 -j16 -N8 "$png" |
            awk '{print $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8}')
        [ "$width x $height" = "$size x $size" ] || fail "the ${size}x${size} icon is ${width}x${height}"
    done

    [ -s "$prefix/share/doc/bearing-lookup/copyright" ] || fail "no copyright file"
    [ -s "$prefix/share/doc/bearing-lookup/changelog.Debian.gz" ] ||
        [ -s "$prefix/share/doc/bearing-lookup/changelog.Debian" ] || fail "no package changelog"
    metainfo=$prefix/share/metainfo/com.example.BearingLookup.metainfo.xml
    [ -s "$metainfo" ] || fail "no AppStream metainfo"

    # Compressed where the build found gzip, plain otherwise; man reads either.
    for page in bearing-catalog.1 bearing-lookup.1; do
        path=$prefix/share/man/man1/$page
        if [ -s "$path.gz" ]; then
            text=$(gzip -dc "$path.gz")
        elif [ -s "$path" ]; then
            text=$(cat "$path")
        else
            fail "no manual page $page"
            continue
        fi
        if command -v groff >/dev/null; then
            warnings=$(LC_ALL=C.UTF-8 groff -k -man -Tutf8 -ww -z 2>&1 <<<"$text")
            [ -z "$warnings" ] || fail "groff warns about $page: $warnings"
        fi
    done
}

check_depends() {
    config=$build/CPackConfig.cmake
    depends=$(sed -n 's/^set(CPACK_DEBIAN_PACKAGE_DEPENDS "\(.*\)")$/\1/p' "$config")
    [ -n "$depends" ] || fail "no CPACK_DEBIAN_PACKAGE_DEPENDS in $config"
    named=$(tr ',|' '\n\n' <<<"$depends" | sed 's/(.*)//; s/[[:space:]]//g' | sort -u)
    for program in bearing-lookup bearing-catalog; do
        for library in $(objdump -p "$prefix/bin/$program" | awk '$1 == "NEEDED" {print $2}'); do
            path=$(ldconfig -p | awk -v l="$library" '$1 == l && !found {print $NF; found = 1}')
            # On a merged /usr the same file is reachable as /lib/... and /usr/lib/...;
            # dpkg knows it under the one its package ships.
            owner=$(dpkg-query -S "$path" 2>/dev/null || dpkg-query -S "/usr$path" 2>/dev/null ||
                    dpkg-query -S "${path#/usr}" 2>/dev/null || true)
            package=${owner%%:*}
            if [ -z "$package" ]; then
                fail "$program links $library ($path), which no Debian package owns"
            elif ! grep -qxF "$package" <<<"$named"; then
                fail "$program links $library from $package, which Depends does not name"
            fi
        done
    done
}

check_lint() {
    for tool in lintian appstreamcli; do
        if ! command -v "$tool" >/dev/null; then
            echo "SKIP: $tool is not installed (scripts/deps installs it)"
            exit 77
        fi
    done
    metainfo=$prefix/share/metainfo/com.example.BearingLookup.metainfo.xml
    appstreamcli validate --no-net "$metainfo" >"$work/appstream" 2>&1 ||
        fail "appstreamcli rejects the metainfo: $(cat "$work/appstream")"
    (cd "$build" && cpack -G DEB -B "$work/package" >"$work/cpack" 2>&1) ||
        fail "cpack failed: $(cat "$work/cpack")"
    deb=$(find "$work/package" -maxdepth 1 -name 'bearing-lookup_*.deb' | head -1)
    if [ -z "$deb" ]; then
        fail "cpack made no package"
        return
    fi
    # Errors fail the test; warnings are printed for whoever reads the log.
    lintian --fail-on error --no-tag-display-limit "$deb" >"$work/lintian" 2>&1 ||
        fail "lintian finds errors in the package: $(grep '^E:' "$work/lintian" || cat "$work/lintian")"
    cat "$work/lintian"
}

case $mode in
layout) check_layout ;;
depends) check_depends ;;
lint) check_lint ;;
*) echo "usage: install_test.sh BUILD-DIR layout|depends|lint" >&2; exit 2 ;;
esac

if [ "$failures" -ne 0 ]; then
    exit 1
fi
echo "$mode checked"
