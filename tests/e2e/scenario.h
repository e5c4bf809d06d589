#pragma once
// What every whole-game scenario shares: the console's LCD, the person at its keys, and the
// checks that end a scenario with a message when the program does not behave.

#include <X11/keysym.h>

#include <cstdio>
#include <functional>
#include <string>

#include "lcd.h"
#include "person.h"

namespace floemark::e2e {

struct Context {
  Lcd& lcd;
  Person& person;
  std::string shots;  // folder for docs screenshots, "" for none
  bool explosion_saved = false;
  bool bonus_saved = false;
};

// Each player's keys: attack, a step toward the supply (-1), a step toward the ladder (+1).
struct PlayerKeys {
  unsigned long attack, to_supply, to_ladder;
};
inline constexpr PlayerKeys kKeys[3] = {
    {0, 0, 0}, {XK_Shift_L, XK_z, XK_c}, {XK_Control_R, XK_Right, XK_Left}};

[[noreturn]] void Fail(const Context& ctx, const std::string& what);
void Note(const std::string& what);

// Grabs until pred holds or limit_ms pass; true when it held.
bool WaitFor(Context& ctx, int limit_ms, const std::function<bool()>& pred, int poll_ms = 25);
// Grabs the LCD (failing the scenario when the window is gone) and saves the docs screenshots
// the first time an explosion or a bonus shows.
void Grab(Context& ctx);

// Switches the console on and checks the 15 and 15 on both screens with nothing else shown.
void PowerOn(Context& ctx);
// Presses the start key of player p and checks the starting screen of play and the scores;
// returns the moment of the key-down.
Clock::time_point StartGame(Context& ctx, int player);
// Waits for game over (a score of 0) while step() plays; then checks that the LCD is frozen,
// that a start key does nothing during the hold and starts a new game with 15 and 15 after it.
void PlayToGameOver(Context& ctx, int limit_ms, const std::function<void()>& step);

int ScenarioStart(Context& ctx);
int ScenarioSteps(Context& ctx);
int ScenarioOnePlayer(Context& ctx);
int ScenarioTwoPlayers(Context& ctx);
int ScenarioDocs(Context& ctx);
// keys-ru, keys-de, keys-fr: the penguin's keys on that layout, which the X server must have.
int ScenarioKeys(Context& ctx, XDisplay* display, const std::string& layout);

}  // namespace floemark::e2e
