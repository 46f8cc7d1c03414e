# Helpers of the end-to-end checks: start the program on the simulated unit in a folder of its own,
# find its windows, press its controls, read the simulated unit's state. Every wait is bounded.
# Sourced by program-test.sh; needs PROGRAM and RESOURCES set, and an X display.

WORK=$(mktemp -d /tmp/velbrin-e2e-XXXXXX)
SHOTS=${VELBRIN_E2E_SHOTS:-$WORK/shots}
mkdir -p "$SHOTS"
PIDS=()

cleanup() {
  local pid
  for pid in "${PIDS[@]}"; do
    kill -KILL "$pid" 2>/dev/null || true
  done
  if [ "${VELBRIN_E2E_KEEP:-0}" = "1" ]; then
    echo "kept $WORK"
  else
    rm -rf "$WORK"
  fi
}
trap cleanup EXIT

FAILED=0
fail() {
  echo "FAIL: $*"
  FAILED=1
}
pass() {
  echo "ok: $*"
}
check() {  # check <description> <command...>
  local what=$1
  shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}

# wait_until <seconds> <command...>: true as soon as the command succeeds, false after the time.
wait_until() {
  local limit=$1
  shift
  local end=$(( $(date +%s%N) + limit * 1000000000 ))
  while [ "$(date +%s%N)" -lt "$end" ]; do
    if "$@"; then return 0; fi
    sleep 0.1
  done
  "$@"
}

# A run of the program with a home, a configuration folder, a dialog log and a control file of its
# own. start_program <name> [arguments...] sets PID and RUN (its folder). With FILE_LIMIT_KB set, the
# program's files may grow to that many KiB (ulimit -f); with REAL_DIALOGS=1 its boxes and file
# dialogs are shown instead of logged.
new_run() {
  RUN=$WORK/$1
  mkdir -p "$RUN/home" "$RUN/config"
}
start_program() {
  local name=$1
  shift
  [ -d "$WORK/$name" ] || new_run "$name"
  RUN=$WORK/$name
  (
    [ -z "${FILE_LIMIT_KB:-}" ] || ulimit -f "$FILE_LIMIT_KB"
    if [ "${REAL_DIALOGS:-0}" = 1 ]; then unset VELBRIN_TEST_DIALOGS; else export VELBRIN_TEST_DIALOGS=$RUN/dialogs.log; fi
    HOME=$RUN/home XDG_CONFIG_HOME=$RUN/config VELBRIN_RESOURCES=$RESOURCES VELBRIN_SIM_CONTROL=$RUN/control \
      exec "$PROGRAM" "$@" >"$RUN/out.log" 2>"$RUN/err.log"
  ) &
  PID=$!
  PIDS+=("$PID")
}
default_mix() {
  echo "$RUN/config/VelbrinControl/com.brennimar.VelbrinDefault.vlbx"
}

alive() { kill -0 "$1" 2>/dev/null; }
# Waits for the process to end; its exit status in EXIT_STATUS (255 when it did not end in time).
wait_exit() {
  local pid=$1 limit=$2
  if wait_until "$limit" eval "! alive $pid"; then
    wait "$pid"
    EXIT_STATUS=$?
    return 0
  fi
  EXIT_STATUS=255
  return 1
}

# Visible top-level windows of a process whose title matches the regular expression.
windows() {  # windows <pid> <title regex>
  xdotool search --all --onlyvisible --pid "$1" --name "$2" 2>/dev/null
}
count_windows() { windows "$1" "$2" | grep -c . ; }
has_window() { [ "$(count_windows "$1" "$2")" -ge 1 ]; }
no_window() { [ "$(count_windows "$1" "$2")" -eq 0 ]; }
main_window() { windows "$1" '^ VelbrinControl$' | head -1; }

# Sets W and H to the window's outer size (the menu bar above the page included).
window_size() {
  eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^(WIDTH|HEIGHT)=')"
  W=$WIDTH
  H=$HEIGHT
}
# The main window of pid shows a page of width w and height h: the width exactly, the height below a
# menu bar of at most 60 pixels.
main_window_is() {  # main_window_is <pid> <w> <h>
  local id
  id=$(main_window "$1")
  [ -n "$id" ] || return 1
  window_size "$id"
  [ "$W" -eq "$2" ] && [ "$H" -ge "$3" ] && [ "$H" -le $(( $3 + 60 )) ]
}
# The height of the menu bar: the window's height less the page's.
menu_height() {  # menu_height <window> <page height>
  window_size "$1"
  echo $(( H - $2 ))
}

# A click, as a user makes it, at page coordinates (x, y) of the main window.
click_page() {  # click_page <window> <page height> <x> <y>
  local top
  top=$(menu_height "$1" "$2")
  xdotool mousemove --window "$1" "$3" $(( $4 + top )) sleep 0.15 click 1 sleep 0.15
}
# Drags from (x1, y1) to (x2, y2) in page coordinates, in small steps, as a hand would.
drag_page() {  # drag_page <window> <page height> <x1> <y1> <x2> <y2>
  local top i steps=12
  top=$(menu_height "$1" "$2")
  xdotool mousemove --window "$1" "$3" $(( $4 + top )) sleep 0.2 mousedown 1 sleep 0.2
  for (( i = 1; i <= steps; i++ )); do
    xdotool mousemove --window "$1" $(( $3 + ($5 - $3) * i / steps )) $(( $4 + top + ($6 - $4) * i / steps )) \
      sleep 0.05
  done
  xdotool sleep 0.3 mouseup 1 sleep 0.2
}

screenshot() {  # screenshot <window> <name>
  import -window "$1" "$SHOTS/$2.png" 2>/dev/null || true
}
# More than one colour in the window: something was painted.
painted() {
  local colours
  colours=$(import -window "$1" -format '%k' info:- 2>/dev/null || echo 0)
  [ "${colours:-0}" -gt 1 ]
}

# --- the simulated unit, through its control file ---
commands_done() {
  [ -f "$RUN/control.state" ] && grep -qx "commands $1" "$RUN/control.state"
}
SENT=0
control() {  # control <command>: appends it and waits until the unit has carried it out
  echo "$1" >>"$RUN/control"
  SENT=$(( SENT + 1 ))
  wait_until 5 commands_done "$SENT"
}
unit_field() {  # unit_field <field>: the value of a line of the state file
  sed -n "s/^$1 //p" "$RUN/control.state"
}
unit_item() {  # unit_item <n>: the item's value as a decimal number
  printf '%d' "$(unit_field "item $1")"
}

# --- dialogs, as the test log records them: kind, caption or message, text, answer (tab-separated) ---
box_logged() {  # box_logged <caption> <text fragment>
  [ -f "$RUN/dialogs.log" ] && grep -F "$2" "$RUN/dialogs.log" | grep -q "^box	$1	"
}

# --- mix files ---
# A valid mix file as the program writes it: 1176 bytes, magic 2, version 1, its own length, nine
# blocks with the right indices and lengths, file and block checksums right.
valid_mix() {
  local file=$1
  [ -f "$file" ] && [ "$(stat -c %s "$file")" -eq 1176 ] || return 1
  local -a w
  read -r -a w <<<"$(od -An -v -tu4 "$file" | tr -s ' \n' '  ')"
  [ "${#w[@]}" -eq 294 ] && [ "${w[0]}" -eq 2 ] && [ "${w[1]}" -eq 1 ] && [ "${w[2]}" -eq 1176 ] &&
    [ "${w[4]}" -eq 9 ] || return 1
  local sum=0 i
  for (( i = 0; i < 294; i++ )); do
    [ "$i" -eq 3 ] || sum=$(( (sum + w[i]) % 4294967296 ))
  done
  [ "$sum" -eq "${w[3]}" ] || return 1
  local counts=(164 4 27 27 11 11 7 7 4) at=5 k n bsum
  for (( k = 0; k < 9; k++ )); do
    n=${counts[k]}
    [ "${w[at]}" -eq "$k" ] && [ "${w[at + 1]}" -eq $(( 12 + 4 * n )) ] || return 1
    bsum=0
    for (( i = at; i < at + 3 + n; i++ )); do
      [ "$i" -eq $(( at + 2 )) ] || bsum=$(( (bsum + w[i]) % 4294967296 ))
    done
    [ "$bsum" -eq "${w[at + 2]}" ] || return 1
    at=$(( at + 3 + n ))
  done
}

# Sets word <index> (a 32-bit little-endian word, counted from 0) of a mix file to <value> and makes
# its block's and the file's checksums fit again.
set_mix_word() {  # set_mix_word <file> <index> <value>
  local file=$1 index=$2 value=$3
  local -a w
  read -r -a w <<<"$(od -An -v -tu4 "$file" | tr -s ' \n' '  ')"
  w[index]=$(( value ))
  local counts=(164 4 27 27 11 11 7 7 4) at=5 k i n sum
  for (( k = 0; k < 9; k++ )); do
    n=${counts[k]}
    sum=0
    for (( i = at; i < at + 3 + n; i++ )); do
      [ "$i" -eq $(( at + 2 )) ] || sum=$(( (sum + w[i]) % 4294967296 ))
    done
    w[at + 2]=$sum
    at=$(( at + 3 + n ))
  done
  sum=0
  for (( i = 0; i < ${#w[@]}; i++ )); do
    [ "$i" -eq 3 ] || sum=$(( (sum + w[i]) % 4294967296 ))
  done
  w[3]=$sum
  local bytes=""
  for (( i = 0; i < ${#w[@]}; i++ )); do
    bytes+=$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(( w[i] & 255 )) $(( w[i] >> 8 & 255 )) \
      $(( w[i] >> 16 & 255 )) $(( w[i] >> 24 & 255 )))
  done
  printf '%b' "$bytes" >"$file.new"
  mv "$file.new" "$file"
}
