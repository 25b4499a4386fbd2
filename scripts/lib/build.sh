# shellcheck shell=bash
# Builds what a script is about to run, so that every script installs, configures and builds the
# same way. Source it and call:
#   build_game [OPTION...] PRESET [TARGET...]
# Configures PRESET and builds TARGETs: by default the game and the resource folder it reads
# ("all" builds everything). Options:
#   --deps SET         scripts/install-deps SET first (play, dev or all)
#   --in FOLDER        a build folder of the caller's choice instead of the preset's own; the
#                      preset's own is built through its build preset, which sets its environment
#   --define VAR=VALUE a cache variable for the configure step (repeatable)
#   --jobs N           at most N compile jobs at once
#   --quiet            the build's output is shown only when the build fails
build_top="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

build_game() {
  local deps="" folder="" jobs="" quiet=0 defines=()
  while [ $# -gt 0 ]; do
    case "$1" in
      --deps) deps="$2" && shift 2 ;;
      --in) folder="$2" && shift 2 ;;
      --define) defines+=("-D$2") && shift 2 ;;
      --jobs) jobs="$2" && shift 2 ;;
      --quiet) quiet=1 && shift ;;
      *) break ;;
    esac
  done
  local preset="${1:?build_game: which preset?}"
  shift
  [ $# -gt 0 ] || set -- tessaly picgen_resources soundgen_resources
  # A subshell: the presets and folders are named from the top of the tree, wherever the caller is.
  # Every step checks its own status: a caller's "||" would switch off set -e in here.
  (
    cd "$build_top" || exit 1
    [ -z "$deps" ] || scripts/install-deps "$deps" || exit 1
    local configure_cmd=(cmake --preset "$preset") build_cmd=(cmake --build --preset "$preset")
    if [ -n "$folder" ]; then
      configure_cmd+=(-B "$folder")
      build_cmd=(cmake --build "$folder")
    fi
    "${configure_cmd[@]}" "${defines[@]}" >/dev/null || exit 1
    build_cmd+=(--target "$@")
    [ -z "$jobs" ] || build_cmd+=(-j "$jobs")
    if [ "$quiet" = 0 ]; then
      "${build_cmd[@]}"
      exit
    fi
    # Ninja writes a compiler's errors to standard output: a failed build shows all of it.
    local log
    log="$(mktemp)" || exit 1
    trap 'rm -f "$log"' EXIT
    "${build_cmd[@]}" >"$log" 2>&1 || {
      cat "$log" >&2
      exit 1
    }
  )
}
