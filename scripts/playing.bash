# What the scripts that play the game on a desktop of their own share (ime-play, wayland-play);
# sourced, not run.

# need PACKAGE...: skips (the script's own skip, exit 77) naming the Debian packages missing.
need() {
  local package missing=()
  for package in "$@"; do
    [[ $(dpkg-query -W -f='${Status}' "$package" 2>/dev/null) == "install ok installed" ]] || missing+=("$package")
  done
  [[ ${#missing[@]} -eq 0 ]] || skip "missing ${missing[*]} (scripts/install-deps installs them)"
}

# Waits up to $1 tenths of a second for a command to succeed.
await() {
  local tenths=$1 i
  shift
  for ((i = 0; ; i++)); do
    "$@" >/dev/null 2>&1 && return 0
    ((i < tenths)) || return 1
    sleep 0.1
  done
}

# mark_run NAME: a scratch folder in $run, and NAME=$run in the environment of every process
# started from here on. At exit everything that carries the mark ends, whatever became of its
# parent (a compositor's or an input method's helpers outlive it), and the folder goes.
mark_run() {
  run=$(mktemp -d)
  mark="$1=$run"
  export "${mark?}"
  trap stop_all EXIT
  trap 'exit 1' TERM INT
}
stop_all() {
  local pass pid environ others
  for pass in TERM TERM KILL; do
    others=()
    for environ in /proc/[0-9]*/environ; do
      pid=${environ#/proc/}
      pid=${pid%/environ}
      [[ $pid == "$$" || $pid == "$BASHPID" ]] && continue
      if { tr '\0' '\n' <"$environ"; } 2>/dev/null | grep -qxF "$mark"; then
        others+=("$pid")
      fi
    done
    [[ ${#others[@]} -eq 0 ]] && break
    kill -s "$pass" "${others[@]}" 2>/dev/null || true
    sleep 0.5
  done
  rm -rf "$run"
}
