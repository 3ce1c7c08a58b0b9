#include "platform/ScriptedDialogs.h"

#include "platform/Cp1250.h"

namespace sarw {

Dialogs::Answer ScriptedDialogs::next() {
    if (answers.empty()) return defaultAnswer;
    Answer a = answers.front();
    answers.pop_front();
    return a;
}

bool ScriptedDialogs::question(const std::string& text, const std::string& title) {
    boxes.push_back({Kind::Question, text, title});
    return next() == Answer::Yes;
}

Dialogs::Answer ScriptedDialogs::questionHalt(const std::string& text, const std::string& title) {
    boxes.push_back({Kind::QuestionHalt, text, title});
    return next();
}

void ScriptedDialogs::information(const std::string& text, const std::string& title) {
    boxes.push_back({Kind::Information, text, title});
}

void ScriptedDialogs::warning(const std::string& text, const std::string& title) {
    boxes.push_back({Kind::Warning, text, title});
}

void ScriptedDialogs::error(const std::string& text, const std::string& title) {
    boxes.push_back({Kind::Error, text, title});
}

void ScriptedDialogs::infoShow(const std::string& title, const std::string& line1,
                               const std::string& line2) {
    boxes.push_back({Kind::Info, line1 + "\r" + line2, title});
}

int ScriptedDialogs::count(Kind kind) const {
    int n = 0;
    for (const auto& b : boxes) n += b.kind == kind;
    return n;
}

bool ScriptedDialogs::saw(const std::string& fragment) const {
    for (const auto& b : boxes)
        if (b.text.find(fragment) != std::string::npos ||
            b.title.find(fragment) != std::string::npos)
            return true;
    return false;
}

void StreamDialogs::print(const std::string& title, const std::string& text, const char* suffix) {
    // A box without a title shows its text alone, not after an empty title.
    std::string line = (title.empty() ? "" : cp1250ToUtf8(title) + ": ") + cp1250ToUtf8(text);
    for (auto& c : line)
        if (c == '\r') c = '\n';
    std::fprintf(out_, "%s%s\n", line.c_str(), suffix);
    std::fflush(out_);
}

bool StreamDialogs::question(const std::string& text, const std::string& title) {
    print(title, text, yes_ ? " [Ano]" : " [Ne]");
    return yes_;
}

Dialogs::Answer StreamDialogs::questionHalt(const std::string& text, const std::string& title) {
    print(title, text, yes_ ? " [Ano]" : " [Ne]");
    return yes_ ? Answer::Yes : Answer::No;
}

void StreamDialogs::information(const std::string& text, const std::string& title) {
    print(title, text);
}

void StreamDialogs::warning(const std::string& text, const std::string& title) {
    print(title, text);
}

void StreamDialogs::error(const std::string& text, const std::string& title) {
    print(title, text);
}

void StreamDialogs::infoShow(const std::string& title, const std::string& line1,
                             const std::string& line2) {
    print(title, line2.empty() ? line1 : line1 + "\r" + line2);
}

} // namespace sarw
