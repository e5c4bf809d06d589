# The real program on real desktops: a window manager, a Wayland compositor (and its Xwayland),
# two monitors, keyboard layouts (openbox, weston, xwayland, Xorg's dummy driver, xkb tools).
add_executable(floemark-e2e-screen ${CMAKE_CURRENT_LIST_DIR}/screen.cpp ${CMAKE_CURRENT_LIST_DIR}/lcd.cpp)
target_link_libraries(floemark-e2e-screen PRIVATE frontend X11::X11)
target_sources(floemark-e2e-play PRIVATE ${CMAKE_CURRENT_LIST_DIR}/scenario_layouts.cpp)

foreach(scenario openbox-close openbox-play weston-wayland weston-xwayland two-monitors
        layout-ru layout-de layout-fr)
  add_test(NAME e2e-desktop-${scenario}
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/desktop_test.sh ${CMAKE_SOURCE_DIR}
      $<TARGET_FILE:floemark> $<TARGET_FILE:floemark-e2e-screen>
      $<TARGET_FILE:floemark-e2e-play> ${scenario}
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
  set_tests_properties(e2e-desktop-${scenario} PROPERTIES TIMEOUT 90 LABELS e2e)
endforeach()
