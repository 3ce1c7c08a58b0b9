#pragma once

#include <string>

namespace sarw {

// The desktop's window for help texts, which shows a file beside the program's other windows.
// The command line has none; help texts are then only named.
class HelpViewer {
public:
    enum class Result { Shown, Busy }; // Busy: a help text is open already
    virtual ~HelpViewer() = default;
    virtual Result show(const std::string& file) = 0;
};

} // namespace sarw
