#!/usr/bin/env bash
# Builds the Debian package (a plain Release build in build/package, then
# `cpack -G DEB`), validates its desktop entry and AppStream file, installs it,
# runs the installed quorvix-cli on the sample against the expected bytes,
# starts and closes the installed quorvix under Xvfb, and removes the package
# again, also when a step fails. Needs root (or sudo) for apt-get; exits
# non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build/package

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null 2>&1 || {
    echo "error: installing the package needs root or sudo" >&2
    exit 1
  }
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive

step() { echo "=== package: $* ==="; }

step "installing what is missing"
scripts/install-deps.sh --package

step "building"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVIX_TESTS=OFF >/dev/null
# The installed programs only, not the developers' tools and benchmarks.
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" --target quorvix quorvix-cli quorvix_compressed_files
rm -f "$build"/quorvix_*.deb
(cd "$build" && cpack -G DEB)
debs=("$build"/quorvix_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  echo "error: expected one quorvix_*.deb in $build, found: ${debs[*]}" >&2
  exit 1
fi
deb=${debs[0]}
echo "built $(basename "$deb")"

work=$(mktemp -d)
installed=false
remove_package() {
  step "removing"
  "${sudo_cmd[@]}" apt-get remove -y -qq -o Dpkg::Use-Pty=0 quorvix
  installed=false
  if dpkg-query -W -f='${Status}' quorvix 2>/dev/null | grep -q 'install ok installed'; then
    echo "error: quorvix is still installed" >&2
    return 1
  fi
  echo "quorvix removed"
}
# After a failure too: the machine is left as it was found.
cleanup() {
  if $installed; then remove_package || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

step "contents"
dpkg-deb -I "$deb"
dpkg-deb -c "$deb"

# The validators check the files as the package holds them. Any line they
# print, even a hint, fails the step.
step "validating"
dpkg-deb -x "$deb" "$work/tree"
validate() {
  local output
  if ! output=$("$@" 2>&1) || [ -n "$output" ]; then
    printf '%s\n' "$output"
    echo "error: $* is not clean" >&2
    return 1
  fi
}
desktop_file=$work/tree/usr/share/applications/quorvix.desktop
validate desktop-file-validate "$desktop_file"
echo "desktop-file-validate $(basename "$desktop_file"): no errors, warnings or hints"
metainfo=$work/tree/usr/share/metainfo/org.quorvix.quorvix.metainfo.xml
for check in validate validate-tree; do
  target=$metainfo
  [ $check = validate ] || target=$work/tree
  output=$(appstreamcli $check --no-net "$target" 2>&1) || {
    printf '%s\n' "$output"
    echo "error: appstreamcli $check found errors or warnings" >&2
    exit 1
  }
  echo "appstreamcli $check --no-net:"
  printf '%s\n' "$output"
done

step "installing"
# apt downloads as its own user, who must be able to read the file.
cp "$deb" "$work/" && chmod 755 "$work" && chmod 644 "$work/$(basename "$deb")"
if dpkg-query -W -f='${Status}' quorvix 2>/dev/null | grep -q 'install ok installed'; then
  "${sudo_cmd[@]}" apt-get remove -y -qq -o Dpkg::Use-Pty=0 quorvix
fi
# Without package lists apt cannot fetch the dependencies.
if ! compgen -G '/var/lib/apt/lists/*Packages*' >/dev/null; then "${sudo_cmd[@]}" apt-get update -qq; fi
installed=true
"${sudo_cmd[@]}" apt-get install -y -qq -o Dpkg::Use-Pty=0 --no-install-recommends "$work/$(basename "$deb")"
dpkg-query -W quorvix

step "quorvix-cli on the sample"
/usr/bin/quorvix-cli --version
/usr/bin/quorvix-cli extract samples/sextet.bmp --unit "$(cat samples/sextet_unit.txt)" \
  --vmin -10 --vmax 10 --min 0.82 --max 1.02 -o "$work/sextet.txt"
cmp "$work/sextet.txt" samples/sextet_expected.txt
echo "the output is samples/sextet_expected.txt, byte for byte"

step "quorvix under Xvfb"
# Run as a plain user, as from a desktop: the program then cannot write
# beside /usr/bin/quorvix, as root could.
user_home=$work/home
mkdir -p "$user_home/runtime" && chmod 700 "$user_home/runtime"
chown -R nobody:nogroup "$user_home"
mkdir -p /tmp/.X11-unix && chmod 1777 /tmp/.X11-unix
cat >"$work/window.sh" <<'EOF'
#!/usr/bin/env bash
# Starts quorvix, waits for its window, presses Ctrl+Q (File > Exit) in it
# and waits for the program to end; its exit status is this script's.
set -uo pipefail
/usr/bin/quorvix &
pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Brenmark - Quorvix' | head -n 1)
if [ -z "$window" ]; then
  echo "error: no Quorvix window appeared within 30 s" >&2
  kill "$pid" 2>/dev/null
  exit 1
fi
echo "window $window: $(xdotool getwindowname "$window")"
# No window manager runs: give the window the keyboard directly.
timeout 10 xdotool windowfocus --sync "$window"
sleep 1
xdotool key --clearmodifiers ctrl+q
for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.2
done
if kill -0 "$pid" 2>/dev/null; then
  echo "error: quorvix did not close within 20 s of Ctrl+Q" >&2
  kill "$pid"
  exit 1
fi
wait "$pid"
EOF
chmod 755 "$work/window.sh"
window_status=0
timeout 120 setpriv --reuid=nobody --regid=nogroup --clear-groups \
  env HOME="$user_home" XDG_RUNTIME_DIR="$user_home/runtime" \
  xvfb-run -a -s "-screen 0 1280x1024x24" "$work/window.sh" || window_status=$?
echo "quorvix exited with status $window_status"
[ "$window_status" -eq 0 ]

remove_package
echo "=== package: all checks passed ==="
