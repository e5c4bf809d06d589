# Sourced by the end-to-end scripts after session.sh (which has geometry, viewable, at, has):
# finding the program's windows on the X server, and the desktop's document handler replaced by a stub.

# stub_xdg_open: xdg-open on PATH notes each thing it is asked to open in $tmp/opened.
stub_xdg_open() {
  mkdir -p "$tmp/bin"
  cat >"$tmp/bin/xdg-open" <<STUB
#!/bin/sh
echo "\$1" >>"$tmp/opened"
STUB
  chmod +x "$tmp/bin/xdg-open"
  export PATH="$tmp/bin:$PATH"
}

# The top-level windows named exactly NAME (xdotool's search misses the popup menu, which is an
# override-redirect window), and those of them that are on view.
named() {
  xwininfo -root -children 2>/dev/null | awk -v want="\"$1\":" '$2 " " $3 " " $4 == want ||
    $2 " " $3 == want || $2 == want {print $1}'
}
# sized NAME "W H": the viewable window called NAME of that size. Under a window manager, whose
# frames hold the program's windows, a script sets window_lister=clients (desktop.sh).
sized() {
  local w
  for w in $("${window_lister:-named}" "$1"); do
    read -r _ _ ww hh m <<<"$(geometry "$w")"
    [ "$ww $hh" = "$2" ] && [ "$m" = IsViewable ] && echo "$w" && return
  done
}
visible_named() {
  local w
  for w in $(named "$1"); do viewable "$w" && echo "$w"; done
}
console_window() {
  local w
  for w in $(named 'Floemark Simulator'); do
    [ "$(geometry "$w" | cut -d' ' -f3,4)" = "741 388" ] && viewable "$w" && echo "$w" && return
  done
}
# A viewable "Floemark Simulator" window that is neither the console nor a 1x1 helper: the
# error box or the popup menu.
other_titled() {
  local w g
  for w in $(visible_named 'Floemark Simulator'); do
    g=$(geometry "$w" | cut -d' ' -f3,4)
    [ "$g" != "741 388" ] && [ "$g" != "1 1" ] && echo "$w"
  done
}
running() { kill -0 "$app_pid" 2>/dev/null; }
splash_window() { visible_named 'About Floemark...'; }
# A window on the 1024 x 768 screen (not wholly off it).
on_screen() {
  local g; read -r x y w h _ <<<"$(geometry "$1")"
  [ $((x + w)) -gt 0 ] && [ $((y + h)) -gt 0 ] && [ "$x" -lt 1024 ] && [ "$y" -lt 768 ]
}
