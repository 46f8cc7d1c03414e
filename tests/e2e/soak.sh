#!/usr/bin/env bash
# A bounded random soak of the whole program on the simulated unit, under an X display. For the given
# time it clicks and drags at random points of every shown window (Shift, Alt and double clicks among
# them), moves windows, opens and closes the panel windows, switches layouts and Float Mode, opens the
# Help menu, saves and loads mixes through the scripted dialogs (a damaged one now and then), shows
# the About box and the file dialogs for real now and then and answers them from the keyboard, and
# unplugs and replugs the simulated unit. Every few seconds the main window must answer F1 with its
# About box. At the end a real box or file dialog is opened and SIGTERM ends the program while it is
# open; the mix written at exit is checked, and no temporary mix file may be left.
#
# It fails on a sanitizer report, a crash, a window that stops answering, a save or load that does not
# happen or goes wrong, a real dialog that does not open or close, an invalid mix file, a temporary
# file left behind, resident memory that keeps growing, or an exit other than the normal one (status 0).
# Whatever ends it, it prints its figures; on failure it keeps its folder (with the sanitizer reports).
#
#   soak.sh <program> <resource archive> [seconds]
#
# seconds: else VELBRIN_SOAK_SECONDS, else 60. VELBRIN_SOAK_SEED repeats a run's random choices (the
# seed is printed). Sanitizer reports are written to files in the run's folder (log_path is added to
# the caller's ASAN_OPTIONS, UBSAN_OPTIONS and TSAN_OPTIONS) and shown on failure; the libraries' own
# known reports are suppressed (tests/support/lsan.supp, tsan.supp).
set -u
PROGRAM=$1
RESOURCES=$2
DURATION=${3:-${VELBRIN_SOAK_SECONDS:-60}}
. "$(dirname "$0")/lib.sh"
# What a GUI run needs, whoever starts the soak: the X11 backend, no accessibility bridge (it keeps
# allocations to the end of the process that LeakSanitizer reports), and settings kept in memory (the
# file dialog's, which the desktop's settings service would otherwise keep, from a thread of its own).
export NO_AT_BRIDGE=1 GDK_BACKEND=x11 GSETTINGS_BACKEND=memory

SEED=${VELBRIN_SOAK_SEED:-$(( $(date +%s%N) / 1000 % 32768 ))}
RANDOM=$SEED
# Page sizes of the main window's layouts.
MAIN_W=640 MAIN_H=404 SHRINK_W=361 SHRINK_H=316 TINY_W=389 TINY_H=68 HIGH_H=94
ABOUT='Copyright Brennimar'
# A slow (sanitizer) build gets this long for anything the program must do.
ANSWER_SECONDS=30

# Resident memory may grow by at most this much from two thirds of the run to its end. AddressSanitizer
# keeps freed memory in a quarantine (64 MiB here unless the caller says otherwise) that fills first.
RSS_GROWTH_KB=$(( 64 * 1024 ))

ACTIONS=0 CLICKS=0 DRAGS=0 MOVES=0 LAYOUTS=0 PANELS=0 MENUS=0 SAVES=0 LOADS=0 DAMAGED=0 CYCLES=0 PROBES=0
REAL=0 RETRIES=0 PLUGGED=1 UNPLUGGED_AT=0 SAVED=() PID=0 START=$(date +%s) ENDED=0 REPORTED=0 REPORTS=0
RSS_START=0 RSS_LATE=0 RSS_END=0 RSS_PEAK=0
# Geometry of the last window looked at (a window that goes between two looks keeps the old values).
X=0 Y=0 WIDTH=0 HEIGHT=0

# One line per action in the run's folder, shown when the soak fails.
log() { echo "$(date +%T.%N | cut -c1-12) $*" >>"$RUN/actions.log"; }
# R: a random number below $1 ($RANDOM in a subshell would not move on).
rand() { R=$(( RANDOM % $1 )); }
now() { date +%s; }
count_lines() {  # lines of the dialog log holding the text
  local n
  n=$(grep -cF -- "$1" "$RUN/dialogs.log" 2>/dev/null)
  echo "${n:-0}"
}

# Sets MAIN (the shown main frame), PAGE (main, shrink, tiny, high) and PAGE_H; false without a main frame.
current_page() {
  MAIN=$(main_window "$PID")
  [ -n "$MAIN" ] || return 1
  window_size "$MAIN"
  case "$W" in
    "$MAIN_W") if [ "$H" -ge "$MAIN_H" ]; then PAGE=main PAGE_H=$MAIN_H; else PAGE=high PAGE_H=$HIGH_H; fi ;;
    "$SHRINK_W") PAGE=shrink PAGE_H=$SHRINK_H ;;
    "$TINY_W") PAGE=tiny PAGE_H=$TINY_H ;;
    *) return 1 ;;
  esac
}
# Moves the window back wholly onto the screen (a page that grew may reach past its edge).
on_screen() {
  local screen_w screen_h X=0 Y=0 WIDTH=0 HEIGHT=0
  read -r screen_w screen_h < <(xdotool getdisplaygeometry)
  eval "$(xdotool getwindowgeometry --shell "$1" 2>/dev/null | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
  [ "$WIDTH" -gt 0 ] || return 0  # gone
  if [ $(( X + WIDTH )) -gt "$screen_w" ] || [ $(( Y + HEIGHT )) -gt "$screen_h" ]; then
    xdotool windowmove "$1" $(( X + WIDTH > screen_w ? 0 : X )) $(( Y + HEIGHT > screen_h ? 0 : Y )) 2>/dev/null
    sleep 0.2
  fi
}
press() {  # press <x> <y>: a click at page coordinates of the main frame, raised first
  log "press $1,$2 on the $PAGE page"
  on_screen "$MAIN"
  xdotool windowraise "$MAIN" 2>/dev/null
  click_page "$MAIN" "$PAGE_H" "$1" "$2" 2>/dev/null
}
# Brings the main frame to a page with the Load and Save controls (the main page, or the high-rate one).
to_full_page() {
  local i before
  for (( i = 0; i < 3; i++ )); do
    current_page || return 1
    before=$PAGE
    case "$PAGE" in
      main | high) return 0 ;;
      shrink) press 347 117 ;;
      tiny) press 375 42 ;;
    esac
    expanded() { current_page && [ "$PAGE" != "$before" ]; }
    wait_until 5 expanded
  done
  current_page && { [ "$PAGE" = main ] || [ "$PAGE" = high ]; }
}

# --- random input in any shown window ---
random_window() {
  local -a all
  mapfile -t all < <(xdotool search --onlyvisible --pid "$PID" 2>/dev/null)
  [ "${#all[@]}" -gt 0 ] || return 1
  rand "${#all[@]}"
  WIN=${all[R]}
  eval "$(xdotool getwindowgeometry --shell "$WIN" 2>/dev/null | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
  [ "${WIDTH:-0}" -gt 2 ] && [ "${HEIGHT:-0}" -gt 2 ] || return 1
  # Below the main frame's menu bar: its items start web browsers.
  TOP=0
  if [ "$WIN" = "$(main_window "$PID")" ] && current_page; then
    TOP=$(( HEIGHT - PAGE_H ))
  fi
  [ "$TOP" -ge 0 ] && [ "$TOP" -lt $(( HEIGHT - 1 )) ] || TOP=0
  xdotool windowraise "$WIN" 2>/dev/null
}
random_point() {  # sets PX, PY inside WIN
  rand "$WIDTH"; PX=$R
  rand $(( HEIGHT - TOP )); PY=$(( R + TOP ))
}
modifier() {  # MOD: none most of the time, else shift (fine steps), alt (reset) or ctrl
  rand 10
  case "$R" in
    0) MOD=shift ;;
    1) MOD=alt ;;
    2) MOD=ctrl ;;
    *) MOD= ;;
  esac
}
random_click() {
  random_window || return 0
  random_point
  modifier
  rand 8
  local repeat=$(( R == 0 ? 2 : 1 ))
  log "click $(xdotool getwindowname "$WIN" 2>/dev/null) at $PX,$PY${MOD:+ with $MOD} x$repeat"
  xdotool mousemove --window "$WIN" "$PX" "$PY" ${MOD:+keydown $MOD} click --repeat "$repeat" 1 \
    ${MOD:+keyup $MOD} sleep 0.05 2>/dev/null
  CLICKS=$(( CLICKS + 1 ))
}
random_drag() {
  random_window || return 0
  random_point
  modifier
  local x=$PX y=$PY i steps=6
  random_point
  log "drag $(xdotool getwindowname "$WIN" 2>/dev/null) from $x,$y to $PX,$PY${MOD:+ with $MOD}"
  xdotool mousemove --window "$WIN" "$x" "$y" ${MOD:+keydown $MOD} mousedown 1 sleep 0.05 2>/dev/null
  for (( i = 1; i <= steps; i++ )); do
    xdotool mousemove --window "$WIN" $(( x + (PX - x) * i / steps )) $(( y + (PY - y) * i / steps )) \
      sleep 0.03 2>/dev/null
  done
  xdotool mouseup 1 ${MOD:+keyup $MOD} 2>/dev/null
  DRAGS=$(( DRAGS + 1 ))
}
# Somewhere wholly on the screen, so the main frame's controls stay within reach.
move_window() {
  random_window || return 0
  local screen_w screen_h x
  read -r screen_w screen_h < <(xdotool getdisplaygeometry)
  rand $(( screen_w - WIDTH > 0 ? screen_w - WIDTH : 1 )); x=$R
  rand $(( screen_h - HEIGHT > 0 ? screen_h - HEIGHT : 1 ))
  log "move $(xdotool getwindowname "$WIN" 2>/dev/null) to $x,$R"
  xdotool windowmove "$WIN" "$x" "$R" 2>/dev/null
  MOVES=$(( MOVES + 1 ))
}

# --- the main frame's own controls ---
# Waits until the switch shows, as a person would: a press on the frame that Float Mode is hiding is lost.
switch_layout() {
  current_page || return 0
  rand 4
  local before="$MAIN $PAGE"
  case "$PAGE" in
    main) if [ "$R" -eq 0 ]; then press 624 369; else press 624 355; fi ;;  # Float Mode, Shrink
    shrink) if [ "$R" -lt 2 ]; then press 347 131; else press 347 117; fi ;;  # Shrink, Expand
    tiny) press 375 42 ;;  # Expand
    high) return 0 ;;
  esac
  LAYOUTS=$(( LAYOUTS + 1 ))
  switched() { current_page && [ "$MAIN $PAGE" != "$before" ]; }
  wait_until 5 switched || log "the layout switch did not show within 5 s"
}
# Input mixes 1..5, playback mixes 1..5, the four effect buttons, the reverb and sample-rate panels.
OPENERS=("92 204" "203 204" "314 204" "425 204" "536 204" "42 321" "153 321" "264 321" "375 321" "486 321"
  "49 47" "49 131" "142 47" "142 131" "602 249" "624 391")
toggle_panel() {
  current_page && [ "$PAGE" = main ] || return 0
  rand "${#OPENERS[@]}"
  # shellcheck disable=SC2086
  press ${OPENERS[R]}
  PANELS=$(( PANELS + 1 ))
}
# Windows of the program's own name that are not its frames: the About box, and the toolkit's popups
# (menus, a file dialog's completion list, tooltips). They are told apart by their window type.
typed_windows() {  # typed_windows <title regex> <type pattern>: the windows of the title of such a type
  local id
  for id in $(windows "$PID" "$1"); do
    xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -qE "_NET_WM_WINDOW_TYPE_($2)\b" && echo "$id"
  done
}
# An open menu or completion list holds the keyboard: keys sent before it shows are lost, and while it
# is open no other window gets them.
menu_open() { [ -n "$(typed_windows '^VelbrinControl$' 'POPUP_MENU|DROPDOWN_MENU|COMBO')" ]; }
close_menus() {  # Escape until no menu is open (a slow build may show one late)
  local i
  for (( i = 0; i < 10; i++ )); do
    menu_open || return 0
    xdotool key Escape 2>/dev/null
    sleep 0.3
  done
  menu_open && log "a menu stays open"
  return 0
}
help_menu() {
  current_page || return 0
  on_screen "$MAIN"
  xdotool windowraise "$MAIN" mousemove --window "$MAIN" 20 $(( (H - PAGE_H) / 2 )) sleep 0.1 click 1 2>/dev/null
  wait_until 5 menu_open
  sleep 0.2
  rand 3
  log "Help menu, choice $R"
  case "$R" in
    0) xdotool key Escape ;;
    1) xdotool key Down sleep 0.05 key Return ;;  # About VelbrinControl
    2) xdotool key Down Down Down Down sleep 0.05 key Return ;;  # Use Metering
  esac
  sleep 0.2
  close_menus  # nothing is left open
  MENUS=$(( MENUS + 1 ))
}

# The main frame answers: F1 brings its About box (the scripted dialogs log it). STUCK says what failed.
answers() {
  STUCK="no main window of a page's size within $ANSWER_SECONDS s"
  wait_until "$ANSWER_SECONDS" current_page || return 1
  STUCK="no About box within $ANSWER_SECONDS s of F1"
  on_screen "$MAIN"
  local before
  before=$(count_lines "$ABOUT")
  log "F1"
  xdotool windowraise "$MAIN" mousemove --window "$MAIN" 300 $(( H - PAGE_H / 2 )) windowfocus "$MAIN" \
    sleep 0.1 key F1 2>/dev/null
  about_more() { [ "$(count_lines "$ABOUT")" -gt "$before" ]; }
  wait_until "$ANSWER_SECONDS" about_more
}
probe() {
  PROBES=$(( PROBES + 1 ))
  answers && return
  evidence
  fail "the main window stopped answering ($STUCK)"
}
# What the program shows and does when it seems stuck, kept in the run's folder: its shown windows
# (evidence.txt), the screen (screen.png) and the stacks of its threads (threads.txt, with gdb).
evidence() {
  local id
  for id in $(xdotool search --all --onlyvisible --pid "$PID" 2>/dev/null); do
    echo "window $id \"$(xdotool getwindowname "$id" 2>/dev/null)\"" \
      "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null | grep -E '^(X|Y|WIDTH|HEIGHT)=' | tr '\n' ' ')"
  done >"$RUN/evidence.txt"
  echo "keyboard focus: window $(xdotool getwindowfocus 2>/dev/null)" >>"$RUN/evidence.txt"
  import -window root "$RUN/screen.png" 2>/dev/null
  if command -v gdb >/dev/null; then
    timeout 120 gdb -p "$PID" -batch -ex 'thread apply all bt 30' >"$RUN/threads.txt" 2>&1
  fi
}

# --- saves and loads through the scripted dialogs ---
save_mix() {
  to_full_page || return 0
  local file=$RUN/mixes/save-$SAVES.vlbx
  log "save to $file"
  echo "path $file" >>"$RUN/answers"
  if [ "$PAGE" = main ]; then press 624 297; else press 622 29; fi
  saved() { grep -qF "$(printf 'save\tSave Velbrin Mix file\tSettings.vlbx\t%s' "$file")" "$RUN/dialogs.log" &&
    [ -f "$file" ]; }
  if ! wait_until "$ANSWER_SECONDS" saved; then
    evidence
    fail "a save through the dialog did not happen ($file)"
    return
  fi
  valid_mix "$file" || fail "a saved mix file is not valid ($file)"
  SAVED+=("$file")
  SAVES=$(( SAVES + 1 ))
}
load_mix() {
  [ "${#SAVED[@]}" -gt 0 ] || return 0
  to_full_page || return 0
  rand "${#SAVED[@]}"
  local file=${SAVED[R]} damaged=0
  rand 4
  if [ "$R" -eq 0 ]; then
    damaged=1
    cp "$file" "$RUN/mixes/damaged.vlbx"
    rand 1156
    printf '\377' | dd of="$RUN/mixes/damaged.vlbx" bs=1 seek=$(( 20 + R )) conv=notrunc status=none
    cmp -s "$file" "$RUN/mixes/damaged.vlbx" && printf '\177' |
      dd of="$RUN/mixes/damaged.vlbx" bs=1 seek=$(( 20 + R )) conv=notrunc status=none
    file=$RUN/mixes/damaged.vlbx
  fi
  local errors corrupt
  errors=$(count_lines "$(printf 'box\tError\t')")
  corrupt=$(count_lines "This file is corrupt.")
  echo "path $file" >>"$RUN/answers"
  log "load $file"
  if [ "$PAGE" = main ]; then press 624 283; else press 622 15; fi
  loaded() { grep -qF "$(printf 'open\tLoad Velbrin Mix file\t\t%s' "$file")" "$RUN/dialogs.log"; }
  if ! wait_until "$ANSWER_SECONDS" loaded; then
    evidence
    fail "a load through the dialog did not happen ($file)"
    return
  fi
  if [ "$damaged" -eq 1 ]; then
    reported() { [ "$(count_lines "This file is corrupt.")" -gt "$corrupt" ]; }
    wait_until "$ANSWER_SECONDS" reported || fail "a damaged mix file was loaded without a word"
    DAMAGED=$(( DAMAGED + 1 ))
  else
    sleep 0.3
    [ "$(count_lines "$(printf 'box\tError\t')")" -eq "$errors" ] || fail "a sound mix file was refused ($file)"
  fi
  LOADS=$(( LOADS + 1 ))
}

# --- boxes and file dialogs shown for real ("show" in the answers), answered from the keyboard ---
REAL_KINDS=(about save load)
real_title() {  # the title of a real dialog of that kind
  case "$1" in
    about) echo '^VelbrinControl$' ;;
    save) echo '^Save Velbrin Mix file$' ;;
    load) echo '^Load Velbrin Mix file$' ;;
  esac
}
# Opens a dialog of the kind for real; DIALOG is its window. False when it does not open.
open_real() {  # open_real <about|save|load>
  local title
  title=$(real_title "$1")
  if [ "$1" = about ]; then
    wait_until "$ANSWER_SECONDS" current_page || { evidence; return 1; }
  else
    wait_until "$ANSWER_SECONDS" to_full_page || { evidence; return 1; }
  fi
  close_menus
  on_screen "$MAIN"
  echo show >>"$RUN/answers"
  log "$1 shown for real"
  case "$1" in
    about) xdotool windowraise "$MAIN" mousemove --window "$MAIN" 300 $(( H - PAGE_H / 2 )) windowfocus "$MAIN" \
      sleep 0.1 key F1 2>/dev/null ;;
    save) if [ "$PAGE" = main ]; then press 624 297; else press 622 29; fi ;;
    load) if [ "$PAGE" = main ]; then press 624 283; else press 622 15; fi ;;
  esac
  # The topmost dialog of the title (a window GTK makes and drops while it builds one may bear the
  # title for a moment).
  shown() { DIALOG=$(typed_windows "$title" DIALOG | tail -1); [ -n "$DIALOG" ]; }
  wait_until "$ANSWER_SECONDS" shown
}
# A real dialog, answered as a person would: the About box with Return; a file dialog cancelled with
# Escape or, half the time, given a file typed in (a new file to save to, a saved one to load).
real_dialog() {
  rand "${#REAL_KINDS[@]}"
  local kind=${REAL_KINDS[R]} file="" line before
  rand 2
  if [ "$kind" = save ] && [ "$R" -eq 0 ]; then
    file=$RUN/mixes/real-$REAL.vlbx
  elif [ "$kind" = load ] && [ "$R" -eq 0 ] && [ "${#SAVED[@]}" -gt 0 ]; then
    rand "${#SAVED[@]}"
    file=${SAVED[R]}
  fi
  # The line the dialog log gets when the dialog is answered (the About box's text holds $ABOUT).
  case "$kind" in
    about) line=$ABOUT ;;
    save) line=$(printf 'save\tSave Velbrin Mix file\tSettings.vlbx\t%s' "${file:-cancel}") ;;
    load) line=$(printf 'open\tLoad Velbrin Mix file\t\t%s' "${file:-cancel}") ;;
  esac
  before=$(count_lines "$line")
  open_real "$kind" || { fail "a $kind dialog shown for real did not open"; return; }
  REAL=$(( REAL + 1 ))
  log "answer the real $kind dialog${file:+ with $file}"
  if [ "$kind" = about ]; then
    xdotool windowfocus "$DIALOG" sleep 0.2 key Return 2>/dev/null
  else
    if [ -n "$file" ]; then
      # The file name field (Save) or the location typed into (Load).
      [ "$kind" = save ] && xdotool windowfocus "$DIALOG" sleep 0.2 key ctrl+a 2>/dev/null
      xdotool windowfocus "$DIALOG" sleep 0.2 type "$file" 2>/dev/null
      # The typed path may open the dialog's completion list (a window of the program's name that
      # holds the keyboard): it goes first, or the Return is its.
      sleep 0.5
      close_menus
      xdotool windowfocus "$DIALOG" sleep 0.3 key Return 2>/dev/null
    else
      xdotool windowfocus "$DIALOG" sleep 0.2 key Escape 2>/dev/null
    fi
  fi
  closed() { [ -z "$(typed_windows "$(real_title "$kind")" DIALOG)" ]; }
  # A window the program shows meanwhile (a panel opened by the click before, the connection-lost
  # window after an unplug) may have taken the keyboard: as a person would, the dialog is given the
  # keyboard again and answered again, this time with its Cancel (the About box with Return, then a click on its OK).
  local try
  for (( try = 1; try < 3; try++ )); do
    wait_until $(( ANSWER_SECONDS / 3 )) closed && break
    log "the real $kind dialog is still open (the keyboard is on window $(xdotool getwindowfocus 2>/dev/null), the dialog is $DIALOG): answered again"
    RETRIES=$(( RETRIES + 1 ))
    DIALOG=$(typed_windows "$(real_title "$kind")" DIALOG | tail -1)
    if [ "$kind" = about ] && [ "$try" -eq 2 ]; then
      # The second time with the pointer: its OK button spans the bottom of the box.
      eval "$(xdotool getwindowgeometry --shell "$DIALOG" 2>/dev/null | grep -E '^(WIDTH|HEIGHT)=')"
      xdotool mousemove --window "$DIALOG" $(( WIDTH / 2 )) $(( HEIGHT - 12 )) sleep 0.2 click 1 2>/dev/null
    elif [ "$kind" = about ]; then
      xdotool windowfocus "$DIALOG" sleep 0.2 key Return 2>/dev/null
    else
      close_menus
      xdotool windowfocus "$DIALOG" sleep 0.2 key Escape 2>/dev/null
      [ -z "$file" ] || { file="" line=${line%$'\t'*}$'\t'cancel; }
    fi
  done
  wait_until "$ANSWER_SECONDS" closed || { evidence; fail "a real $kind dialog did not close when answered"; return; }
  answered() { [ "$(count_lines "$line")" -gt "$before" ]; }
  wait_until "$ANSWER_SECONDS" answered || { fail "a real $kind dialog's answer did not arrive ($line)"; return; }
  if [ "$kind" = save ] && [ -n "$file" ]; then
    valid_mix "$file" || fail "a mix saved through the real dialog is not valid ($file)"
    SAVED+=("$file")
  fi
}

# --- the unit ---
plug_cycle() {
  log "$([ "$PLUGGED" -eq 1 ] && echo unplug || echo plug)"
  if [ "$PLUGGED" -eq 1 ]; then
    control unplug || fail "the unit could not be unplugged"
    PLUGGED=0 UNPLUGGED_AT=$ACTIONS
  else
    control plug || fail "the unit could not be plugged back"
    PLUGGED=1
    CYCLES=$(( CYCLES + 1 ))
  fi
}

# --- resident memory, temporary files ---
rss() {  # the program's resident memory in KiB (0 when it is gone)
  local kb
  kb=$(awk '/^VmRSS:/ { print $2 }' "/proc/$PID/status" 2>/dev/null)
  echo "${kb:-0}"
}
sample_rss() {
  local kb
  kb=$(rss)
  [ "$kb" -gt 0 ] || return 0
  echo "$(( $(now) - START )) $kb" >>"$RUN/rss.log"
  [ "$RSS_START" -gt 0 ] || RSS_START=$kb
  [ "$RSS_LATE" -gt 0 ] || [ $(( $(now) - START )) -lt $(( DURATION * 2 / 3 )) ] || RSS_LATE=$kb
  [ "$kb" -le "$RSS_PEAK" ] || RSS_PEAK=$kb
  RSS_END=$kb
}
# Temporary files of the atomic saves (".<name>.<pid>-<n>") anywhere the program wrote.
temporaries() { find "$RUN" -name '.*.vlbx.*' 2>/dev/null; }

# --- sanitizer reports ---
reports() {
  local n=0 f
  for f in "$RUN"/sanitizer.*; do
    [ -s "$f" ] && n=$(( n + 1 ))
  done
  # A report that went to standard error instead of its file.
  n=$(( n + $(grep -cE '^(==[0-9]+==ERROR|WARNING: ThreadSanitizer|SUMMARY: [A-Za-z]+Sanitizer)|runtime error:' \
    "$RUN/err.log" 2>/dev/null || true) ))
  echo "$n"
}

# The figures, and on failure what the run left: printed once, whatever ends the soak.
report() {
  [ "$REPORTED" -eq 0 ] || return 0
  REPORTED=1
  echo "soak: $ACTIONS actions in $(( $(now) - START )) s ($CLICKS clicks, $DRAGS drags, $MOVES window moves," \
    "$LAYOUTS layout switches, $PANELS panel toggles, $MENUS Help menus, $SAVES saves, $LOADS loads of which" \
    "$DAMAGED damaged, $REAL real dialogs, $RETRIES answers given again), $CYCLES unplug/replug cycles, $PROBES answer checks, $REPORTS" \
    "sanitizer reports, resident memory $(( RSS_START / 1024 )) MiB at start, $(( RSS_LATE / 1024 )) MiB at" \
    "two thirds, $(( RSS_END / 1024 )) MiB at the end, $(( RSS_PEAK / 1024 )) MiB at most, seed $SEED, program $PROGRAM"
  if [ "$FAILED" -ne 0 ]; then
    local f
    for f in "$RUN"/sanitizer.*; do
      [ -s "$f" ] && { echo "--- $f"; head -n 60 "$f"; }
    done
    for f in "$RUN/err.log" "$RUN/dialogs.log" "$RUN/actions.log" "$RUN/evidence.txt"; do
      [ -s "$f" ] && { echo "--- $f"; tail -n 40 "$f"; }
    done
    [ -s "$RUN/threads.txt" ] && { echo "--- $RUN/threads.txt (the GUI thread)"; sed -n '/^Thread 1 /,/^$/p' "$RUN/threads.txt" | head -n 30; }
  fi
}
finish() {
  local status=$?
  if [ "$REPORTED" -eq 0 ]; then
    fail "the soak stopped before its end (status $status)"
    REPORTS=$(reports)
    report
  fi
  [ "$FAILED" -eq 0 ] || VELBRIN_E2E_KEEP=1
  cleanup
}

new_run soak
trap finish EXIT
mkdir -p "$RUN/mixes" "$RUN/runtime"
# A runtime folder of its own: another copy of the program elsewhere does not count as a second one.
chmod 700 "$RUN/runtime"
export XDG_RUNTIME_DIR=$RUN/runtime
: >"$RUN/answers"
export VELBRIN_TEST_DIALOG_ANSWERS=$RUN/answers
# The libraries' own known reports are suppressed (the caller's options come after and win).
SUPPORT=$(cd "$(dirname "$0")/../support" && pwd)
# Whole allocation stacks, through the libraries built without frame pointers: the suppressions tell
# a library's own leak from ours by the frames inside it.
export ASAN_OPTIONS="quarantine_size_mb=64 fast_unwind_on_malloc=0 ${ASAN_OPTIONS:-} log_path=$RUN/sanitizer"
export LSAN_OPTIONS="suppressions=$SUPPORT/lsan.supp print_suppressions=0 ${LSAN_OPTIONS:-}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-} log_path=$RUN/sanitizer"
export TSAN_OPTIONS="suppressions=$SUPPORT/tsan.supp report_mutex_bugs=0 ${TSAN_OPTIONS:-} log_path=$RUN/sanitizer"
echo "soak: $DURATION s of random use of $PROGRAM, seed $SEED"
START=$(now)
start_program soak
check "the main window comes up" wait_until 60 current_page
check "and answers" answers
sample_rss

END=$(( START + DURATION ))
NEXT_PROBE=$(( $(now) + 5 ))
while [ "$FAILED" -eq 0 ] && [ "$(now)" -lt "$END" ]; do
  if ! alive "$PID"; then
    wait "$PID"
    fail "the program ended by itself (status $?)"
    ENDED=1
    break
  fi
  if [ "$(now)" -ge "$NEXT_PROBE" ]; then
    probe
    sample_rss
    NEXT_PROBE=$(( $(now) + 5 ))
    continue
  fi
  rand 100
  if [ "$R" -lt 38 ]; then random_click
  elif [ "$R" -lt 56 ]; then random_drag
  elif [ "$R" -lt 60 ]; then move_window
  elif [ "$R" -lt 68 ]; then switch_layout
  elif [ "$R" -lt 78 ]; then toggle_panel
  elif [ "$R" -lt 82 ]; then help_menu
  elif [ "$R" -lt 87 ]; then save_mix
  elif [ "$R" -lt 91 ]; then load_mix
  elif [ "$R" -lt 93 ]; then real_dialog
  elif [ "$PLUGGED" -eq 1 ] || [ $(( ACTIONS - UNPLUGGED_AT )) -ge 5 ]; then plug_cycle
  else random_click
  fi
  ACTIONS=$(( ACTIONS + 1 ))
done

if [ "$FAILED" -eq 0 ] && alive "$PID"; then
  [ "$PLUGGED" -eq 1 ] || plug_cycle
  probe
  sample_rss
  [ "$RSS_LATE" -gt 0 ] || RSS_LATE=$RSS_START
  check "resident memory stops growing (at most $(( RSS_GROWTH_KB / 1024 )) MiB more than at two thirds of the run)" \
    [ "$RSS_END" -le $(( RSS_LATE + RSS_GROWTH_KB )) ]
  rand "${#REAL_KINDS[@]}"
  kind=${REAL_KINDS[R]}
  check "a $kind dialog shown for real opens" open_real "$kind"
  kill -TERM "$PID"
  check "SIGTERM while it is open ends the program" wait_exit "$PID" 120
  check "through its normal exit (status 0)" [ "$EXIT_STATUS" -eq 0 ]
  check "the mix written at exit is valid" valid_mix "$(default_mix)"
  check "no temporary mix file is left" [ -z "$(temporaries)" ]
elif [ "$ENDED" -eq 0 ] && ! alive "$PID"; then
  wait "$PID"
  status=$?
  [ "$status" -eq 0 ] || fail "the program ended with status $status"
fi
REPORTS=$(reports)
check "no sanitizer report" [ "$REPORTS" -eq 0 ]

report
[ "$FAILED" -eq 0 ] || exit 1
