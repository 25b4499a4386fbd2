// The design's handlers, grouped by job and wired to one another. The game owns one set and
// lets its input reach them through its door; the menu table names them through Run.
#pragma once

#include <type_traits>

#include "game/commands.h"
#include "game/flow.h"
#include "game/help_commands.h"
#include "game/music.h"
#include "game/tile_click.h"
#include "game/timers.h"

namespace tessaly {

class Handlers {
  public:
    Handlers(Engine& engine, GameWindow& window, GameView& view)
        : help_(engine, window, view),
          flow_(engine, window, view, help_),
          tileClick_(engine, window, view, flow_, help_),
          timers_(engine, window, view, flow_, tileClick_),
          commands_(engine, window, view),
          music_(engine, window, view) {}
    Handlers(const Handlers&) = delete;
    Handlers& operator=(const Handlers&) = delete;

    template <class Part>
    Part& Get() {
        if constexpr (std::is_same_v<Part, Help>) return help_;
        if constexpr (std::is_same_v<Part, Flow>) return flow_;
        if constexpr (std::is_same_v<Part, TileClick>) return tileClick_;
        if constexpr (std::is_same_v<Part, Timers>) return timers_;
        if constexpr (std::is_same_v<Part, Commands>) return commands_;
        if constexpr (std::is_same_v<Part, Music>) return music_;
    }

  private:
    Help help_;
    Flow flow_;
    TileClick tileClick_;
    Timers timers_;
    Commands commands_;
    Music music_;
};

namespace handlers_detail {
template <class Handler>
struct PartOf;
template <class Part>
struct PartOf<void (Part::*)()> {
    using type = Part;
};
}  // namespace handlers_detail

// Runs one handler, named as a member of its part: Run<&Flow::MenuGameLowClick>.
template <auto Handler>
void Run(Handlers& handlers) {
    using Part = typename handlers_detail::PartOf<decltype(Handler)>::type;
    (handlers.Get<Part>().*Handler)();
}

}  // namespace tessaly
