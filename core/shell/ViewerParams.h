#pragma once

#include <string>

namespace sarw {

// The output viewer's state, kept for the whole run: the caller sets the report file before it
// shows the viewer; margins and the print range keep their last values between showings.
struct ViewerParams {
    std::string reportFile; // full path, Windows form
    int leftMargin = 4;     // characters left out at the left edge
    int topMargin = 2;      // lines left out at the top
    int printFrom = 1;
    int printTo = 100;
};

} // namespace sarw
