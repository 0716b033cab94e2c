#pragma once

#include <iterator>
#include <ostream>

namespace vor {

// The number under which the main window knows a page: the pages get 1 to 4 in the order they
// are added. A page button's key is its id minus 1001, which makes the Monitor button's 5.
enum class PageKey : int {
  None = 0,  // no page on show
  Vehicle = 1,
  Control = 2,
  Motor = 3,
  Monitor = 4,
  // No page either: what the Monitor button leaves when pressed while its page is on show.
  MonitorOff = 5,
};

// The key with its name, for test failures and logs: "Monitor (4)".
inline std::ostream& operator<<(std::ostream& out, PageKey key) {
  constexpr const char* kNames[] = {"None", "Vehicle", "Control", "Motor", "Monitor", "MonitorOff"};
  const int number = static_cast<int>(key);
  const bool named = number >= 0 && number < static_cast<int>(std::size(kNames));
  return out << (named ? kNames[number] : "?") << " (" << number << ")";
}

}  // namespace vor
