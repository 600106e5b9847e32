#pragma once

#include <functional>

namespace vel {

// Reports the advance of a long pass, 0..100, to a window's progress bar.
using Progress = std::function<void(int)>;

}  // namespace vel
