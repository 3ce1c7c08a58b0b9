#pragma once

#include "platform/Dialogs.h"

#include <cstdio>
#include <deque>
#include <string>
#include <vector>

namespace sarw {

// Dialogs for tests: records every box and answers questions from a queue.
class ScriptedDialogs : public Dialogs {
public:
    enum class Kind { Question, QuestionHalt, Information, Warning, Error, Info };
    struct Box {
        Kind kind;
        std::string text;
        std::string title;
    };

    // Answers given to the next questions, in order; when empty, defaultAnswer is used.
    std::deque<Answer> answers;
    Answer defaultAnswer = Answer::No;

    std::vector<Box> boxes;
    int progressShows = 0;
    int progressCloses = 0;
    int lastPercent = -1;

    bool question(const std::string& text, const std::string& title) override;
    Answer questionHalt(const std::string& text, const std::string& title) override;
    void information(const std::string& text, const std::string& title) override;
    void warning(const std::string& text, const std::string& title) override;
    void error(const std::string& text, const std::string& title) override;
    void progressShow() override { ++progressShows; }
    void progressClose() override { ++progressCloses; }
    void progress(int percent) override { lastPercent = percent; }
    void infoShow(const std::string& title, const std::string& line1,
                  const std::string& line2) override;

    // Number of boxes of a kind, and whether any box's text contains a fragment.
    int count(Kind kind) const;
    bool saw(const std::string& fragment) const;
    void clear() { boxes.clear(); }

private:
    Answer next();
};

// Dialogs of the command-line tool: every box goes to an output stream (stderr) as
// "TITLE: TEXT" in UTF-8, carriage returns as line breaks; questions take a fixed answer.
class StreamDialogs : public Dialogs {
public:
    explicit StreamDialogs(std::FILE* out, bool answerYes) : out_(out), yes_(answerYes) {}

    bool question(const std::string& text, const std::string& title) override;
    Answer questionHalt(const std::string& text, const std::string& title) override;
    void information(const std::string& text, const std::string& title) override;
    void warning(const std::string& text, const std::string& title) override;
    void error(const std::string& text, const std::string& title) override;
    void infoShow(const std::string& title, const std::string& line1,
                  const std::string& line2) override;

private:
    void print(const std::string& title, const std::string& text, const char* suffix = "");
    std::FILE* out_;
    bool yes_;
};

} // namespace sarw
