# The real program on real desktops: a window manager, a Wayland compositor (and its Xwayland),
# two monitors, keyboard layouts (openbox, weston, xwayland, Xorg's dummy driver, xkb tools).
foreach(scenario openbox-close openbox-play weston-wayland weston-xwayland weston-xwayland-drag
        two-monitors
        layout-ru layout-de layout-fr)
  add_test(NAME e2e-desktop-${scenario}
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/desktop_test.sh ${CMAKE_SOURCE_DIR}
      $<TARGET_FILE:floemark> $<TARGET_FILE:floemark-e2e-screen>
      $<TARGET_FILE:floemark-e2e-play> ${scenario}
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
  set_tests_properties(e2e-desktop-${scenario} PROPERTIES TIMEOUT 90 LABELS e2e)
endforeach()
