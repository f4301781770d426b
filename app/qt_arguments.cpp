// Qt's own options, as QGuiApplication and QApplication read them: one dash or two, the value
// as the next argument, or after "=" where Qt accepts that.
#include "app/qt_arguments.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace corvane::app {

namespace {

constexpr std::array<std::string_view, 16> WithValue{"platform",
                                                     "platformpluginpath",
                                                     "platformtheme",
                                                     "plugin",
                                                     "qwindowgeometry",
                                                     "geometry",
                                                     "qwindowicon",
                                                     "icon",
                                                     "qwindowtitle",
                                                     "title",
                                                     "session",
                                                     "display",
                                                     "name",
                                                     "style",
                                                     "stylesheet",
                                                     "visual"};
constexpr std::array<std::string_view, 7> Alone{"reverse", "widgetcount", "nograb",       "dograb",
                                                "sync",    "cmap",        "qmljsdebugger"};

bool among(const auto& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

std::vector<std::string> withoutQtOptions(int argc, const char* const* argv) {
    std::vector<std::string> ours;
    for (int i = 0; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (i == 0 || arg.size() < 2 || arg[0] != '-' || arg == "--") {
            ours.emplace_back(arg);
            continue;
        }
        std::string_view name = arg.substr(arg[1] == '-' ? 2 : 1);
        const bool valueAttached = name.find('=') != std::string_view::npos;
        name = name.substr(0, name.find('='));
        if (among(WithValue, name)) {
            if (!valueAttached && i + 1 < argc)
                ++i;
            continue;
        }
        if (!among(Alone, name))
            ours.emplace_back(arg);
    }
    return ours;
}

} // namespace corvane::app
