# shellcheck shell=bash
# Which pictures the gallery holds and how a person reaches each screen; sourced by
# scripts/gallery.sh after device.sh. Each session starts its program with the device clock at
# the gallery's moment, takes its pictures and ends the program.

gallery_names=(
  analog-clock analog-clock-menu digital-clock world-time world-time-menu world-time-full-screen
  stopwatch countdown-timers time-counters full-screen
  alarm-editor-repeating alarm-editor-one-time timer-editor
  options-skins options-alarms options-timers options-cities options-today options-screensaver options-buttons
  favourites add-city change-city
  screensaver ringing today today-menu dock dock-menu help
)
# The manual's pictures (data/help/pictures/), a few of the above.
help_picture_names=(analog-clock digital-clock world-time stopwatch countdown-timers alarm-editor-repeating options-skins)

settings_key='HKCU\Software\Zunworks\Zun Time\Settings'
main_program() { echo "$ZT_ROOT/Program Files/Zun Time/ZunTime.exe"; }

# The main program with its command line, at the gallery's moment; its PID in `main_pid`.
start_main() {
  set_clock
  start_program "$(main_program)" "$@"
  main_pid=$last_started
}
end_main() { end_program "$main_pid"; }

store_screen() {
  "$bin/zt-reg" set "$settings_key" ActiveScreenSet --dword "$1" >/dev/null
  "$bin/zt-reg" set "$settings_key" "$2" --dword "$3" >/dev/null
}

# The rectangle of the main dialog (its resource id 179: screen and toolbar), as "x y w h".
main_dialog_area() {
  local area
  area=$(ui_lines | awk -F'\t' '$3 == 179 { print $5, $6, $7, $8; exit }')
  # A failure ends the command substitution only: the caller exits with it.
  [[ -n "$area" ]] || fail "$picture: the main dialog is not listed"
  echo "$area"
}

# The area the main dialog gives its screen, above the toolbar, as "x y w h".
screen_area() { ui_lines | awk -F'\t' '$1 == 3 && $2 == "widget" && $3 == "-" { area = $5 " " $6 " " $7 " " $8 } END { print area }'; }

# One screen of the main dialog: the toolbar position is stored before the program starts.
main_screen() {
  local name=$1 set=$2 position=$3
  picture=$name
  any_wanted "$name" "${@:4}" || return 1
  if ((set == 0)); then store_screen 0 ClocksActiveScreen "$position"; else store_screen 1 TimersActiveScreen "$position"; fi
  start_main
  await softkey Options
  shot "$name"
}

clock_screens() {
  main_screen analog-clock 0 1 analog-clock-menu full-screen && clock_menu_and_full_screen
  main_screen digital-clock 0 2 && end_main
  return 0
}

# What a button bound to full screen does: the main dialog's full-screen message (0x0466).
go_full_screen() {
  local dialog
  dialog=$("$bin/zt-device" windows | awk -F'\t' -v pid="$main_pid" '$2 == "Dialog" && $3 == "Zun Time" && $4 == pid { print $1; exit }')
  [[ -n "$dialog" ]] || fail "$picture: the main dialog's window is not listed"
  "$bin/zt-device" post --handle "$dialog" 0x0466 1 >/dev/null || fail "$picture: the main dialog refused full screen"
  for _ in $(seq 100); do [[ -z "$(ui_line taskbar '')" ]] && break; sleep 0.2; done
  [[ -z "$(ui_line taskbar '')" ]] || fail "$picture: the task bar is still shown"
}

clock_menu_and_full_screen() {
  if any_wanted analog-clock-menu; then
    picture=analog-clock-menu
    local x y w h area
    area=$(main_dialog_area) || exit 1
    read -r x y w h <<<"$area"
    hold_at $((x + w / 2)) $((y + h / 3))
    await menuitem "New Alarm"
    shot analog-clock-menu
    device_key 0x1B
  fi
  if any_wanted full-screen; then
    picture=full-screen
    go_full_screen
    shot full-screen
  fi
  end_main
}

world_screens() {
  main_screen world-time 0 0 world-time-menu world-time-full-screen || return 0
  if any_wanted world-time-menu; then
    picture=world-time-menu
    # A tap picks a marked city close to it, which the held menu then offers for a slot; the
    # map's place differs between screen shapes, so a few places where cities lie are tried
    # (in per cent of the screen area: Europe, East Asia, North America).
    local x y w h area place px py
    area=$(main_dialog_area) || exit 1
    read -r x y w h <<<"$area"
    for place in "52 13" "52 20" "83 20" "83 28" "25 20" "25 28"; do
      read -r px py <<<"$place"
      px=$((x + w * px / 100)) py=$((y + h * py / 100))
      "$bin/zt-device" input tap "$px" "$py" || fail "world-time-menu: the tap on the map was refused"
      hold_at "$px" "$py"
      [[ -n "$(ui_line submenu "Select City As...")" ]] && break
      device_key 0x1B
    done
    tap_on submenu "Select City As..."
    shot world-time-menu
    device_key 0x1B
    device_key 0x1B
  fi
  if any_wanted world-time-full-screen; then
    picture=world-time-full-screen
    go_full_screen
    shot world-time-full-screen
  fi
  end_main
}

timer_screens() {
  main_screen stopwatch 1 3 && end_main
  main_screen countdown-timers 1 4 timer-editor && timer_editor && end_main
  main_screen time-counters 1 5 && end_main
  return 0
}

# The first countdown's edit button opens the timer editor. The rows are the skin's "Timer"
# picture (240 x 210, doubled on screens wider than 400 pixels) centred in the screen's area,
# the button 22 pixels in and 24 down.
timer_editor() {
  picture=timer-editor
  wanted timer-editor || return 0
  local x y w h scale=1 screen_width
  read -r x y w h <<<"$(screen_area)"
  [[ -n "$h" ]] || fail "timer-editor: the screen's area is not listed"
  screen_width=$(ui_lines | awk -F'\t' '$2 == "frame" { print $7; exit }')
  (( ${screen_width:-0} > 400 )) && scale=2
  "$bin/zt-device" input tap $((x + (w - 240 * scale) / 2 + 22 * scale)) $((y + (h - 210 * scale) / 2 + 24 * scale)) ||
    fail "timer-editor: the tap on the edit button was refused"
  await_front dialog
  shot timer-editor
}

# The alarm editor on the command line the alarms page and the Today item use.
alarm_editors() {
  local name id
  for name in alarm-editor-repeating alarm-editor-one-time; do
    picture=$name
    wanted "$name" || continue
    id=$([[ $name == *repeating ]] && echo "$repeating_alarm" || echo "$one_time_alarm")
    start_main EditAlarm "$id"
    await_front dialog
    shot "$name"
    end_main
  done
}

options_pages() {
  local page=0 name
  for name in options-skins options-alarms options-timers options-cities options-today options-screensaver options-buttons; do
    picture=$name
    if wanted "$name" || { [[ $name == options-cities ]] && any_wanted favourites add-city; }; then
      start_main Options "$page"
      await_front dialog "Zun Time"
      await tab "$(title_of_page "$name")"
      shot "$name"
      [[ $name == options-cities ]] && city_dialogs
      end_main
    fi
    page=$((page + 1))
  done
}
# From the cities page: the favourites list and, from it, the dialog that adds a city.
city_dialogs() {
  picture=favourites
  any_wanted favourites add-city || return 0
  tap_on button "Favorites list"
  await_front dialog "Favorites List"
  shot favourites
  picture=add-city
  wanted add-city || return 0
  tap_on button "Add..."
  await_front dialog "Add City"
  shot add-city
}
# The options sheet's tab of a picture.
title_of_page() {
  case $1 in
    options-screensaver) echo Screensaver ;;
    *) local word=${1#options-}; echo "${word^}" ;;
  esac
}

screensaver() {
  picture=screensaver
  wanted screensaver || return 0
  start_main ScreenSaver
  for _ in $(seq 100); do [[ -n "$(ui_lines)" && -z "$(ui_line taskbar '')" ]] && break; sleep 0.2; done
  [[ -z "$(ui_line taskbar '')" ]] || fail "screensaver: the task bar is still shown"
  shot screensaver
  end_main
}

today_screen() {
  picture=today
  any_wanted today today-menu || return 0
  set_clock
  start_program "$bin/zt-today" --root "$ZT_ROOT"
  local today_pid=$last_started
  await label "6:45 PM"   # the next alarm, the one-time one
  shot today
  if any_wanted today-menu; then
    picture=today-menu
    for _ in $(seq 20); do
      [[ -n "$(ui_line submenu Alarms)" ]] && break
      hold_at $(centre_of "$found")
    done
    await submenu Alarms
    shot today-menu
  fi
  end_program "$today_pid"
}

dock_screen() {
  picture=dock
  any_wanted dock dock-menu change-city || return 0
  set_clock
  start_program "$bin/zt-dock" --root "$ZT_ROOT"
  local dock_pid=$last_started
  tap_on softkey Add
  tap_on menuitem "Zun Time"
  local box=""
  for _ in $(seq 100); do
    box=$(ui_lines | awk -F'\t' '$2 == "widget" && $1 == 4 { line = $0 } END { print line }')
    [[ -n "$box" ]] && break
    sleep 0.2
  done
  [[ -n "$box" ]] || fail "dock: the applet is not placed on the dock"
  shot dock
  if any_wanted dock-menu; then
    picture=dock-menu
    hold_at $(centre_of "$box")
    await menuitem "Show Date"
    shot dock-menu
  fi
  if any_wanted change-city; then
    # The applet asks the main program to choose its city.
    picture=change-city
    [[ -n "$(ui_line menuitem "Change City...")" ]] || hold_at $(centre_of "$box")
    tap_on menuitem "Change City..."
    await_front dialog "Change City"
    shot change-city
    tap_on button Cancel
  fi
  end_program "$dock_pid"
}

# A one-time alarm a minute and a half on rings once the device clock is moved to just before it.
ringing() {
  picture=ringing
  wanted ringing || return 0
  "$bin/zt-alarm" add 10:10 --once --date "$gallery_day" --name "Call home" >/dev/null || fail "ringing: the alarm cannot be added"
  set_clock "$gallery_day 10:09:57"
  await_front window
  await button Dismiss
  shot ringing
}

help_viewer() {
  picture=help
  wanted help || return 0
  set_clock
  start_program "$ZT_ROOT/Windows/PegHelp.exe" "file:ZunTime.htm#analog_clock"
  local help_pid=$last_started
  await_front window
  shot help
  end_program "$help_pid"
}

# The alarms the clocks, the editors and the Today item show.
add_alarms() {
  repeating_alarm=$("$bin/zt-alarm" add 07:30 --days weekdays --name "Work") || fail "alarms: zt-alarm add failed"
  one_time_alarm=$("$bin/zt-alarm" add 18:45 --once --date "$gallery_day" --name "Dentist") || fail "alarms: zt-alarm add failed"
}

make_pictures() {
  add_alarms
  clock_screens
  world_screens
  timer_screens
  alarm_editors
  options_pages
  screensaver
  today_screen
  dock_screen
  help_viewer
  ringing
}
