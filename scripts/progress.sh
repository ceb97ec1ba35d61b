#!/usr/bin/env bash
# Sourced by the scripts that run long steps (setup.sh, run.sh).
# step LABEL LOG COMMAND...: runs COMMAND with all it prints kept in LOG, and shows instead LABEL
# with how far COMMAND has got, the highest percentage it printed so far: make's ("[ 42%] Building
# ...") or apt's status lines (-o APT::Status-Fd=1: "dlstatus:3:42.5:...", "pmstatus:...:42.5:...").
# On a terminal that is one line updated in place; in a log or under CI ($CI set), a line at each
# tenth. A step ends with 100 % and the seconds it took, or, when COMMAND fails, with the end of
# LOG, and the script ends there.
step() {
  local label=$1 log=$2 start=$SECONDS tty=
  shift 2
  [ ! -t 1 ] || [ -n "${CI:-}" ] || tty=1
  if ! "$@" 2>&1 | tee "$log" | show_progress "$label" "$tty"; then
    [ -z "$tty" ] || echo
    echo "$label failed; the end of $log:" >&2
    tail -n 30 "$log" >&2
    exit 1
  fi
  printf "${tty:+\r}%s: 100 %% (%d s)\n" "$label" $((SECONDS - start))
}

# show_progress LABEL TTY: reads the lines of a step and shows its percentage as they raise it; on
# a terminal also the seconds so far, which go on while a step prints lines but no percentage
# (CMake's configuring).
show_progress() {
  local line pct=0 shown=0 drawn='' start=$SECONDS
  [ -n "$2" ] || echo "$1: 0 %"
  while IFS= read -r line; do
    if [[ $line =~ ^\[\ *([0-9]+)%\]|^(dl|pm)status:[^:]*:([0-9]+) ]]; then
      line=${BASH_REMATCH[1]}${BASH_REMATCH[3]}
      [ "$line" -ge 100 ] || [ "$line" -le "$pct" ] || pct=$line # the step's own end says 100 %
    fi
    if [ -n "$2" ] && [ "$drawn" != "$pct $SECONDS" ]; then
      printf '\r%s: %3d %% (%d s)' "$1" "$pct" $((SECONDS - start))
      drawn="$pct $SECONDS"
    elif [ -z "$2" ] && [ $((pct / 10)) -gt $((shown / 10)) ]; then
      echo "$1: $((pct / 10 * 10)) %"
      shown=$pct
    fi
  done
}
