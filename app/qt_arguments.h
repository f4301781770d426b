// The options QApplication takes for itself (-platform NAME, -style=NAME, -reverse, ...), set
// aside so that the rest can be read as the program's own before any display is opened.
#pragma once

#include <string>
#include <vector>

namespace corvane::app {

// The arguments without Qt's options and their values; the program's name stays first.
std::vector<std::string> withoutQtOptions(int argc, const char* const* argv);

} // namespace corvane::app
