#!/bin/sh
# check_seam.sh SOURCE_DIR: the system stays behind src/platform. Outside it (the programs'
# main() aside) no source includes a system library's header or asks which system it is on;
# the seam's own headers include none either; the platform never reaches up into the shell; and
# <windows.h> is only ever included through the one header that tames its macros.
set -eu
cd "$1"
problems=$(mktemp)
trap 'rm -f "$problems"' EXIT

system_headers='#[[:space:]]*include[[:space:]]*[<"]((SDL|SDL2/)[^>"]*|ft2build\.h|freetype/[^>"]*|fontconfig/[^>"]*|windows\.h|winsock2?\.h|ole2\.h|olectl\.h|objbase\.h|ddraw\.h|dinput\.h|mmsystem\.h|shellapi\.h|unistd\.h|fcntl\.h|sys/[^>"]*|spawn\.h|dlfcn\.h|pwd\.h|poll\.h|pthread\.h|dirent\.h|termios\.h|emscripten(\.h|/[^>"]*)|stb_[a-z_]*\.h)[>"]'
which_system='\b(__EMSCRIPTEN__|_WIN32|_WIN64|__MINGW32__|__MINGW64__|_MSC_VER|__linux__|__unix__|WIN32_LEAN_AND_MEAN|NOMINMAX)\b'

complain() {
  # $1: what is wrong; stdin: the offending lines
  found=$(cat)
  if [ -n "$found" ]; then
    echo "$1:"
    printf '%s\n' "$found"
    echo "$1" >>"$problems"
  fi
}

above_seam=$(find src apps -type f \( -name '*.h' -o -name '*.cpp' \) \
               ! -path 'src/platform/sdl/*' ! -path 'src/platform/win32/*' ! -path 'src/platform/web/*' ! -path 'apps/*/main.cpp')
# shellcheck disable=SC2086
grep -EnH "$system_headers" $above_seam | complain "system headers above the seam"
# shellcheck disable=SC2086
grep -EnH "$which_system" $above_seam | complain "system tests above the seam"
grep -EnH '#[[:space:]]*include[[:space:]]*"platform/(sdl|win32|web)/' src/platform/*.h src/shell/* \
  | complain "the seam or the shell reaching into one system's folder"
grep -rEnH '#[[:space:]]*include[[:space:]]*"shell/' src/platform | complain "the platform including the shell"
grep -rEnHi '#[[:space:]]*include[[:space:]]*<windows\.h>' src apps \
  | grep -v "^src/platform/win32/Win32Api\.h:" \
  | complain "<windows.h> included directly; use \"platform/win32/Win32Api.h\""
# (the helpers run under wine beside the end-to-end scenarios are Windows programs themselves)
find tests -type f \( -name '*.h' -o -name '*.cpp' \) ! -path 'tests/platform/*' ! -path 'tests/e2e/wine/*' -print0 \
  | xargs -0 grep -EnH '#[[:space:]]*include[[:space:]]*[<"](SDL[^>"]*|ft2build\.h|fontconfig/[^>"]*|windows\.h)[>"]' \
  | complain "tests outside tests/platform using a system library"

[ ! -s "$problems" ]
