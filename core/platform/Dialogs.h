#pragma once

#include <string>

namespace sarw {

// The boxes through which the core talks to the user. All texts are Windows-1250 bytes; line
// breaks inside a text are carriage returns as the program writes them. Implementations: the
// desktop's message boxes, the command line's stderr with --yes/--no, and a scripted one for tests.
class Dialogs {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~Dialogs() = default;

    // Buttons "Ano"/"Ne"; true only for "Ano".
    virtual bool question(const std::string& text, const std::string& title) = 0;
    // Buttons yes/no/cancel; the caller halts on Cancel.
    virtual Answer questionHalt(const std::string& text, const std::string& title) = 0;
    virtual void information(const std::string& text, const std::string& title) = 0;
    // Three beeps 500 ms apart, then the box with the exclamation icon.
    virtual void warning(const std::string& text, const std::string& title) = 0;
    // The exclamation box of a fatal error; the caller halts afterwards.
    virtual void error(const std::string& text, const std::string& title) = 0;

    // The progress strip of long computations.
    virtual void progressShow() {}
    virtual void progressClose() {}
    // Percentage of the current long computation, for a gauge; 0 to 100.
    virtual void progress(int /*percent*/) {}

    // The small information window; closing it waits delayMs milliseconds.
    virtual void infoShow(const std::string& /*title*/, const std::string& /*line1*/,
                          const std::string& /*line2*/) {}
    virtual void infoClose(int /*delayMs*/) {}

    // Lets the user interface process pending events (around boxes and long waits).
    virtual void processEvents() {}
};

} // namespace sarw
