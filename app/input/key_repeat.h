#pragma once

namespace floemark::app {

// Asks the X server to send a held key's auto-repeat as repeated key-downs alone, without the
// releases between them. Qt recognises an auto-repeat release only when its matching press is
// already queued behind it, which a busy machine does not guarantee; a release taken for real
// would free the player's latch and let the repeat step the player again.
// Does nothing off X11 or where the server cannot do it (the releases are then dropped by
// their auto-repeat flag, as before).
void UseDetectableAutoRepeat();

}  // namespace floemark::app
