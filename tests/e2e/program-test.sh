#!/usr/bin/env bash
# End-to-end checks of the whole program on the simulated unit, under an X display (Xvfb), as a user
# would make them: windows found by their titles, controls clicked and dragged with the real pointer,
# keys pressed, the simulated unit read through its control file, the program ended by a signal.
#
#   program-test.sh <program> <resource archive> <case>
#   cases: session, second-instance, open-request, damaged-archive, corrupt-file, old-firmware,
#          file-size-limit, stacking, signal-in-dialog, no-toolkit-box
set -u
# Absolute: some cases start the program from another folder.
PROGRAM=$(realpath "$1")
RESOURCES=$(realpath "$2")
CASE=$3
. "$(dirname "$0")/lib.sh"

# Page sizes of the main window's layouts.
MAIN_W=640 MAIN_H=404 SHRINK_W=361 SHRINK_H=316 TINY_W=389 TINY_H=68
LOST='^FireWire Connection Lost$'
EQ1='^ EQ - Analog Input 1$'

# The first poll of the unit waits 2 s after the open; the windows come before it.
wait_for_main_window() {
  wait_until 15 main_window_is "$PID" "$MAIN_W" "$MAIN_H"
}

case_session() {
  start_program session
  check "the main window comes up with the main page's size" wait_for_main_window
  check "exactly one main window" [ "$(count_windows "$PID" '^ VelbrinControl$')" -eq 1 ]
  local main
  main=$(main_window "$PID")
  [ -n "$main" ] || { fail "no main window to go on with"; return; }
  wait_until 5 painted "$main"
  check "the main window is painted" painted "$main"
  screenshot "$main" main
  sleep 1
  check "the connection-lost window is hidden while the unit is there" no_window "$PID" "$LOST"

  # "Input/Playback mix for 1&2": the fader at x 18..130, y 282..297 of the main page, at the right
  # end (all playback) from the start. Drawn to the left it lowers the gain of playback 1&2 in mix
  # 1&2 on the unit (item 36 with mono inputs).
  # The first poll of the unit, 2 s after its open, sends the mix.
  local before=0 after=0
  has_gain() { control state && before=$(unit_item 36) && [ "$before" -gt 0 ]; }
  check "the unit has the playback gain before the drag" wait_until 10 has_gain
  drag_page "$main" "$MAIN_H" 124 289 30 289
  reached() { control state && after=$(unit_item 36) && [ "$after" -lt "$before" ]; }
  check "the dragged fader lowers the unit's playback gain" wait_until 5 reached
  screenshot "$main" fader-dragged

  control unplug
  check "unplugging the unit shows the connection-lost window" wait_until 10 has_window "$PID" "$LOST"
  local lost
  lost=$(windows "$PID" "$LOST" | head -1)
  [ -n "$lost" ] && screenshot "$lost" connection-lost
  control plug
  check "replugging it hides the window again" wait_until 15 no_window "$PID" "$LOST"
  # The replugged unit starts from its stored settings; the program sends it the mix again.
  mix_back() { control state && [ "$(unit_item 36)" -eq "$after" ]; }
  check "the replugged unit gets the mix again" wait_until 10 mix_back

  # Shrink (617..632, 348..363 on the main page), then on the reduced page Shrink (340..355,
  # 124..139) and Expand (340..355, 110..125), on the smallest page Expand (368..383, 35..50).
  click_page "$main" "$MAIN_H" 624 355
  check "Shrink: the reduced page" wait_until 5 main_window_is "$PID" "$SHRINK_W" "$SHRINK_H"
  screenshot "$main" shrink
  click_page "$main" "$SHRINK_H" 347 131
  check "Shrink again: the smallest page" wait_until 5 main_window_is "$PID" "$TINY_W" "$TINY_H"
  screenshot "$main" tiny
  click_page "$main" "$TINY_H" 375 42
  check "Expand: the reduced page" wait_until 5 main_window_is "$PID" "$SHRINK_W" "$SHRINK_H"
  click_page "$main" "$SHRINK_H" 347 117
  check "Expand again: the main page" wait_until 5 main_window_is "$PID" "$MAIN_W" "$MAIN_H"

  # Float Mode (617..632, 362..377): the floating frame takes the standard frame's place, and back.
  click_page "$main" "$MAIN_H" 624 369
  floated() { local id; id=$(main_window "$PID"); [ -n "$id" ] && [ "$id" != "$main" ]; }
  check "Float Mode: the floating frame is shown instead" wait_until 5 floated
  check "one main window while floating" [ "$(count_windows "$PID" '^ VelbrinControl$')" -eq 1 ]
  local floating
  floating=$(main_window "$PID")
  check "the floating frame shows the main page" main_window_is "$PID" "$MAIN_W" "$MAIN_H"
  [ -n "$floating" ] && screenshot "$floating" floating
  [ -n "$floating" ] && click_page "$floating" "$MAIN_H" 624 369
  back() { [ "$(main_window "$PID")" = "$main" ]; }
  check "Float Mode again: the standard frame is back" wait_until 5 back

  # About (F1): the box is recorded by the test's dialog log instead of being shown.
  xdotool mousemove --window "$main" 300 200 sleep 0.2 key F1
  check "About names the unit's firmware" \
    wait_until 5 box_logged VelbrinControl "Velbrin firmware Version 1.2  (build 5600)"
  check "About names the DSP firmware" box_logged VelbrinControl "DSP firmware Version 1.7 (build 4600)"

  local flashBefore
  control state
  flashBefore=$(unit_field flash-stores)
  kill -TERM "$PID"
  check "SIGTERM ends the program" wait_exit "$PID" 15
  check "through its normal exit (status 0)" [ "$EXIT_STATUS" -eq 0 ]
  check "the default mix is written: 1176 bytes, valid" valid_mix "$(default_mix)"
  check "the unit's settings were stored to its flash at exit" \
    [ "$(unit_field flash-stores)" -gt "${flashBefore:-0}" ]
}

case_second_instance() {
  start_program first
  local first=$PID
  check "the first copy comes up" wait_for_main_window
  local mix
  mix=$(default_mix)
  local stamp=absent
  [ -f "$mix" ] && stamp=$(stat -c %Y.%s "$mix")
  # The second copy runs as the same user with the same home and configuration.
  RUN2=$WORK/first
  HOME=$RUN2/home XDG_CONFIG_HOME=$RUN2/config VELBRIN_RESOURCES=$RESOURCES \
    VELBRIN_TEST_DIALOGS=$WORK/second-dialogs.log "$PROGRAM" >"$WORK/second-out.log" 2>&1 &
  local second=$!
  PIDS+=("$second")
  check "the second copy ends by itself" wait_exit "$second" 15
  check "it says why" grep -qP '^box\tError\tAnother copy of VelbrinControl is already running\.\t' \
    "$WORK/second-dialogs.log"
  local now=absent
  [ -f "$mix" ] && now=$(stat -c %Y.%s "$mix")
  check "the second copy wrote no default mix" [ "$now" = "$stamp" ]
  check "the first copy runs on" alive "$first"
  check "with its window" has_window "$first" '^ VelbrinControl$'
  kill -TERM "$first"
  check "the first copy ends on SIGTERM" wait_exit "$first" 15
}

case_open_request() {
  # A mix as the program writes it, with "Input/Playback mix for 1&2" (main parameter 9, word 8 + 9) at
  # 0.0: all input, so the unit's gain of playback 1&2 in mix 1&2 (item 36) goes to 0.
  start_program first
  check "the first copy comes up" wait_for_main_window
  kill -TERM "$PID"
  wait_exit "$PID" 15
  local mix=$RUN/Live.vlbx
  cp "$(default_mix)" "$mix"
  set_mix_word "$mix" 17 0
  check "the mix to open is valid" valid_mix "$mix"
  cp "$mix" "$RUN/Live.copy"

  start_program first
  local first=$PID
  check "the copy that runs comes up" wait_for_main_window
  local before=0
  has_gain() { control state && before=$(unit_item 36) && [ "$before" -gt 0 ]; }
  check "its unit has the playback gain" wait_until 10 has_gain

  # What a file manager's "Open with" does: a second launch with the file, here by a relative name,
  # and the launcher's startup id.
  local id=launcher/VelbrinControl-4242-host-7_TIME1234567
  (cd "$RUN" && HOME=$RUN/home XDG_CONFIG_HOME=$RUN/config VELBRIN_RESOURCES=$RESOURCES \
    VELBRIN_TEST_DIALOGS=$WORK/second-dialogs.log DESKTOP_STARTUP_ID=$id \
    "$PROGRAM" Live.vlbx >"$WORK/second-out.log" 2>&1) &
  local second=$!
  PIDS+=("$second")
  check "the second launch ends by itself" wait_exit "$second" 15
  check "with status 0" [ "$EXIT_STATUS" -eq 0 ]
  check "without a box" [ ! -s "$WORK/second-dialogs.log" ]
  gain_gone() { control state && [ "$(unit_item 36)" -eq 0 ]; }
  check "the running copy loads the file and sends its mix to the unit" wait_until 10 gain_gone
  check "without a box" [ ! -s "$RUN/dialogs.log" ]
  local main
  main=$(main_window "$first")
  has_launch_id() { xprop -id "$main" _NET_STARTUP_ID 2>/dev/null | grep -qF "\"$id\""; }
  check "its window comes to the front with the second launch's startup id" wait_until 5 has_launch_id
  sleep 1
  [ -n "$main" ] && screenshot "$main" opened-by-second-launch
  kill -TERM "$first"
  check "the running copy ends on SIGTERM" wait_exit "$first" 15
  check "the opened file is not written at exit" cmp -s "$mix" "$RUN/Live.copy"
}

case_damaged_archive() {
  new_run archive
  printf 'Not an archive: a few words where the records should be.\n' >"$RUN/garbage.res"
  RESOURCES=$RUN/garbage.res start_program archive
  check "the program comes up with the built archive instead" wait_for_main_window
  check "the user is told which archive could not be used and why" \
    wait_until 5 box_logged VelbrinControl "The resource archive $RUN/garbage.res cannot be used: it names"
  sleep 1
  check "once" [ "$(grep -c . "$RUN/dialogs.log")" -eq 1 ]
  local main
  main=$(main_window "$PID")
  check "the main window is painted" painted "$main"
  kill -TERM "$PID"
  check "the program ends on SIGTERM" wait_exit "$PID" 15
}

case_corrupt_file() {
  new_run corrupt
  local file=$RUN/broken.vlbx
  # A mix file as written by the program, with one byte of the main block changed: its checksums
  # no longer fit.
  {
    printf '\002\000\000\000\001\000\000\000\230\004\000\000\000\000\000\000\011\000\000\000'
    head -c 1156 /dev/zero
  } >"$file"
  printf '\377' | dd of="$file" bs=1 seek=100 conv=notrunc status=none
  cp "$file" "$RUN/broken.copy"
  start_program corrupt "$file"
  check "the program comes up with a damaged mix named on the command line" wait_for_main_window
  check "the damage is reported" wait_until 5 box_logged Error "This file is corrupt."
  kill -TERM "$PID"
  check "the program ends on SIGTERM" wait_exit "$PID" 15
  check "the damaged file is left byte for byte as it was" cmp -s "$file" "$RUN/broken.copy"
  check "the default mix is left alone" [ ! -e "$(default_mix)" ]
  local session
  session=$(ls "$(dirname "$(default_mix)")"/broken.session-*.vlbx 2>/dev/null | head -1)
  check "the session's mix goes beside the default mix" valid_mix "$session"
  check "which a box says" box_logged Error "This session's mix was saved as $session."
}

case_old_firmware() {
  new_run old
  # The program looks for the updater beside itself: a copy of the program with a stand-in updater
  # that leaves a mark.
  mkdir -p "$RUN/bin"
  cp "$PROGRAM" "$RUN/bin/VelbrinControl"
  printf '#!/bin/sh\necho "$@" >"%s"\n' "$RUN/updater-started" >"$RUN/bin/VelbrinFirmwareUpdater"
  chmod +x "$RUN/bin/VelbrinFirmwareUpdater"
  PROGRAM=$RUN/bin/VelbrinControl VELBRIN_SIM_SCENARIO=old-firmware start_program old
  check "the program hands off to the firmware updater and ends by itself" wait_exit "$PID" 20
  check "after telling the user" \
    box_logged VelbrinControl "The firmware installed on your Velbrin is incompatible with this version of VelbrinControl."
  check "with status 0" [ "$EXIT_STATUS" -eq 0 ]
  check "the updater was started" wait_until 5 test -f "$RUN/updater-started"
  check "and nothing went wrong on the way" [ "$(grep -c . "$RUN/dialogs.log")" -eq 1 ]
}

case_file_size_limit() {
  # The program's files may grow to 1 KiB: the mix (1176 bytes) cannot be written at exit.
  FILE_LIMIT_KB=1 start_program limit
  check "the program comes up under a 1 KiB file-size limit" wait_for_main_window
  kill -TERM "$PID"
  check "SIGTERM ends the program" wait_exit "$PID" 15
  check "through its normal exit (status 0), not killed by the limit" [ "$EXIT_STATUS" -eq 0 ]
  check "the failed save is shown with the file and the reason" \
    box_logged Error "Could not save the mix file.\n\n$(default_mix): cannot write: File too large"
  check "no mix file and no temporary file are left" [ -z "$(ls -A "$RUN/config/VelbrinControl")" ]
}

# An X display of its own with a window manager on it (openbox), for what only a window manager does:
# stacking. Sets DISPLAY.
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
own_display_with_wm() {
  command -v openbox >/dev/null || { fail "no window manager: openbox is not installed (scripts/install-deps)"; return 1; }
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
  PIDS+=("$!")
  wait_until 10 test -s "$WORK/display" || { fail "Xvfb did not start"; return 1; }
  export DISPLAY=:$(head -1 "$WORK/display")
  HOME=$WORK XDG_CONFIG_HOME=$WORK/wm-config openbox --sm-disable >"$WORK/wm.log" 2>&1 &
  PIDS+=("$!")
  wait_until 10 wm_running || { fail "openbox did not start"; return 1; }
}
# above <upper> <lower>: the window manager stacks window upper higher than window lower.
above() {
  local id at=0 upper=-1 lower=-1
  for id in $(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/^[^#]*#//; s/,/ /g'); do
    [ $(( id )) -eq $(( $1 )) ] && upper=$at
    [ $(( id )) -eq $(( $2 )) ] && lower=$at
    at=$(( at + 1 ))
  done
  [ "$lower" -ge 0 ] && [ "$upper" -gt "$lower" ]
}

case_stacking() {
  own_display_with_wm || return
  start_program stacking
  check "the main window comes up under the window manager" wait_for_main_window
  local main
  main=$(main_window "$PID")
  [ -n "$main" ] || { fail "no main window to go on with"; return; }
  wait_until 5 painted "$main"

  # Input 1's lower effect button (42..56, 124..138 on the main page) opens its EQ.
  click_page "$main" "$MAIN_H" 49 131
  check "the EQ button opens the EQ" wait_until 5 has_window "$PID" "$EQ1"
  local eq
  eq=$(windows "$PID" "$EQ1" | head -1)
  [ -n "$eq" ] || return
  # Over the mixer's upper half, so that the screenshots show which one is on top.
  eval "$(xdotool getwindowgeometry --shell "$main" | grep -E '^(X|Y)=')"
  xdotool windowmove "$eq" $(( X + 60 )) $(( Y + 40 ))
  sleep 0.5
  # An inert spot of the main page: the heading of the input meters.
  click_page "$main" "$MAIN_H" 300 20
  sleep 0.5
  check "a click on the mixer leaves the EQ above it" above "$eq" "$main"
  screenshot root eq-over-mixer

  click_page "$main" "$MAIN_H" 624 369
  floated() { local id; id=$(main_window "$PID"); [ -n "$id" ] && [ "$id" != "$main" ]; }
  check "Float Mode: the floating window is shown" wait_until 5 floated
  local floating
  floating=$(main_window "$PID")
  [ -n "$floating" ] || return
  sleep 0.5
  check "Float Mode: the open EQ is above the floating window" above "$eq" "$floating"
  click_page "$floating" "$MAIN_H" 300 20
  sleep 0.5
  check "a click on the floating window leaves the EQ above it" above "$eq" "$floating"
  screenshot root eq-over-floating

  control unplug
  check "unplugging the unit shows the connection-lost window" wait_until 10 has_window "$PID" "$LOST"
  local lost
  lost=$(windows "$PID" "$LOST" | head -1)
  click_page "$floating" "$MAIN_H" 300 20
  sleep 0.5
  [ -n "$lost" ] && check "the connection-lost window stays above the floating window" above "$lost" "$floating"
  screenshot root connection-lost-over-floating
  control plug
  check "replugging hides it" wait_until 15 no_window "$PID" "$LOST"

  click_page "$floating" "$MAIN_H" 624 369
  back() { [ "$(main_window "$PID")" = "$main" ]; }
  check "Float Mode again: the standard window is back" wait_until 5 back
  sleep 0.5
  check "the open EQ is above the standard window again" above "$eq" "$main"
  click_page "$main" "$MAIN_H" 300 20
  sleep 0.5
  check "a click on the mixer still leaves the EQ above it" above "$eq" "$main"
  screenshot root eq-over-mixer-again

  click_page "$main" "$MAIN_H" 49 131
  check "one press of the EQ button closes the open EQ" wait_until 5 no_window "$PID" "$EQ1"
  kill -TERM "$PID"
  check "the program ends on SIGTERM" wait_exit "$PID" 15
}

# Opens one of the program's dialogs: about (F1), save and load (the main page's controls), handed (a
# damaged mix that a second launch hands over: its error box).
open_dialog() {  # open_dialog <kind> <main window>
  case "$1" in
    about) xdotool mousemove --window "$2" 300 200 sleep 0.2 key F1 ;;
    save) click_page "$2" "$MAIN_H" 624 297 ;;
    load) click_page "$2" "$MAIN_H" 624 283 ;;
    handed)
      printf 'not a mix' >"$RUN/damaged.vlbx"
      HOME=$RUN/home XDG_CONFIG_HOME=$RUN/config VELBRIN_RESOURCES=$RESOURCES \
        "$PROGRAM" "$RUN/damaged.vlbx" >"$RUN/second-out.log" 2>&1
      ;;
  esac
}

case_signal_in_dialog() {
  # The toolkit's own boxes and dialogs, no scripted ones: SIGTERM while one is open ends it as its
  # Cancel would, and the program as closing its window does.
  local row kind title main
  for row in "about|^VelbrinControl$" "save|^Save Velbrin Mix file$" "load|^Load Velbrin Mix file$" \
    "handed|^Error$"; do
    kind=${row%%|*} title=${row#*|}
    REAL_DIALOGS=1 start_program "dialog-$kind"
    wait_for_main_window || { fail "$kind: the main window comes up"; continue; }
    main=$(main_window "$PID")
    open_dialog "$kind" "$main"
    check "$kind: the dialog is open" wait_until 15 has_window "$PID" "$title"
    kill -TERM "$PID"
    check "$kind: SIGTERM ends the program" wait_exit "$PID" 15
    check "$kind: through its normal exit (status 0)" [ "$EXIT_STATUS" -eq 0 ]
    check "$kind: the mix is written" valid_mix "$(default_mix)"
    # The next run is not a second copy.
    alive "$PID" && kill -KILL "$PID" && wait_exit "$PID" 5
  done
}

case_no_toolkit_box() {
  start_program debugclick
  check "the main window comes up" wait_for_main_window
  local main
  main=$(main_window "$PID")
  # Control+Alt+middle click: the toolkit's debugging aid would open a modal box about the window (a
  # window without the process's id on it). F1 comes after the click: once it is answered, the click
  # has been handled.
  xdotool mousemove --window "$main" 300 200 sleep 0.2 keydown ctrl keydown alt click 2 keyup alt keyup ctrl \
    sleep 0.2 key F1
  check "the main window answers" wait_until 10 box_logged VelbrinControl "Copyright Brennimar"
  check "no toolkit box is open" [ -z "$(xdotool search --onlyvisible --name '^wxWidgets information$')" ]
  kill -TERM "$PID"
  check "SIGTERM ends the program" wait_exit "$PID" 15
  check "through its normal exit (status 0)" [ "$EXIT_STATUS" -eq 0 ]
}

case "$CASE" in
  session) case_session ;;
  second-instance) case_second_instance ;;
  open-request) case_open_request ;;
  damaged-archive) case_damaged_archive ;;
  corrupt-file) case_corrupt_file ;;
  old-firmware) case_old_firmware ;;
  file-size-limit) case_file_size_limit ;;
  stacking) case_stacking ;;
  signal-in-dialog) case_signal_in_dialog ;;
  no-toolkit-box) case_no_toolkit_box ;;
  *) echo "unknown case $CASE"; exit 2 ;;
esac

if [ "$FAILED" -ne 0 ]; then
  for f in "$WORK"/*/err.log "$WORK"/*/dialogs.log; do
    [ -s "$f" ] && { echo "--- $f"; tail -n 40 "$f"; }
  done
  exit 1
fi
