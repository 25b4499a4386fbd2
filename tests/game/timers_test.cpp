#include "tests/game/game_fixture.h"
