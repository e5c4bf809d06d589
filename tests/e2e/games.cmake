# Whole games in the real program under Xvfb, played through XTest by floemark-e2e-play.
foreach(scenario start steps one-player two-players)
  add_test(NAME e2e-game-${scenario}
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/games_test.sh ${CMAKE_SOURCE_DIR}
      $<TARGET_FILE:floemark> $<TARGET_FILE:floemark-e2e-play> ${scenario}
      $<TARGET_FILE:floemark-trace> $<TARGET_FILE:floemark-e2e-final>
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
  # A game to game over takes up to three minutes; the short ones fail fast on their own.
  set_tests_properties(e2e-game-${scenario} PROPERTIES TIMEOUT 240 RUN_SERIAL TRUE LABELS e2e)
endforeach()
# Two to three minutes each: left out where a run must be short (the sanitizer build).
set_tests_properties(e2e-game-one-player e2e-game-two-players PROPERTIES LABELS "e2e;whole-game")
# The one-player game is then played back in the window, as long again.
set_tests_properties(e2e-game-one-player PROPERTIES TIMEOUT 480)
