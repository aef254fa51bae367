#pragma once
// Who the program is: its version and its maker. The window's About box and
// link and the command line's --version all read them from here.

namespace tw {

inline constexpr char kMakerName[] = "Brackenfold Software";
inline constexpr char kMakerUrl[] = "https://tallywick.org/";
inline constexpr char kVersionText[] = "1.1.0";

}  // namespace tw
