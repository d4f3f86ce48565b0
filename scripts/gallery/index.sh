# shellcheck shell=bash
# docs/gallery/README.md: what the gallery holds, a row per picture and a link per skin and size
# found in the folder; sourced by scripts/gallery.sh, written after every run into it.

describe_picture() {
  case $1 in
    analog-clock) echo "Analog clock with the alarms of the day" ;;
    analog-clock-menu) echo "The clock's tap-and-hold menu" ;;
    digital-clock) echo "Digital clock with its alarm bars and the month" ;;
    world-time) echo "World time: the map with the night side and four cities" ;;
    world-time-menu) echo "The map's tap-and-hold menu" ;;
    world-time-full-screen) echo "The big map, full screen" ;;
    stopwatch) echo "Stopwatch" ;;
    countdown-timers) echo "The five countdown timers" ;;
    time-counters) echo "The five time counters" ;;
    full-screen) echo "The analog clock full screen" ;;
    alarm-editor-repeating) echo "Alarm editor, an alarm on week days" ;;
    alarm-editor-one-time) echo "Alarm editor, a one-time alarm" ;;
    timer-editor) echo "Timer editor of a countdown" ;;
    options-*) echo "Options: the $(title_of_page "$1") page" ;;
    add-city) echo "Add City: a city of the database into the favourites" ;;
    change-city) echo "Change City, asked by the dock applet" ;;
    favourites) echo "The favourites list" ;;
    screensaver) echo "The clock screensaver" ;;
    ringing) echo "Ringout ringing for a due alarm" ;;
    today) echo "The Today screen with Zun Time's item" ;;
    today-menu) echo "The item's menu" ;;
    dock) echo "The dock with the Zun Time applet" ;;
    dock-menu) echo "The applet's menu" ;;
    help) echo "The manual in the help viewer" ;;
    *) echo "$1" ;;
  esac
}

write_index() {
  local folder=$1 name row file
  local columns=()
  # Every skin and size the folder holds, from this run and earlier ones.
  for file in "$folder"/*/*x*/; do
    [[ -d "$file" ]] && columns+=("$(basename "$(dirname "$file")")/$(basename "$file")")
  done
  {
    echo "# Gallery of the screens"
    echo
    echo "Every screen of Zun Time as \`scripts/gallery.sh\` draws it on a fresh device: $gallery_day at"
    echo "$gallery_time in Berlin, in English, with a repeating alarm at 7:30 AM and a one-time"
    echo "alarm at 6:45 PM. Made again with \`scripts/gallery.sh\` (see the top-level README)."
    echo
    row="| Screen |"
    for file in "${columns[@]}"; do row+=" ${file%%/*} ${file#*/} |"; done
    echo "$row"
    row="|---|"
    for file in "${columns[@]}"; do row+="---|"; done
    echo "$row"
    for name in "${gallery_names[@]}"; do
      row="| $(describe_picture "$name") |"
      for file in "${columns[@]}"; do
        if [[ -f "$folder/$file/$name.png" ]]; then row+=" [view]($file/$name.png) |"; else row+=" – |"; fi
      done
      echo "$row"
    done
  } >"$folder/README.md"
}
