#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace sarw::cli {

// A whole number in low..high written as digits alone.
bool wholeNumber(const std::string& text, int low, int high, int& n);

// The words of one command, declared to CLI11 and parsed by it. Values are checked here, so that
// every refusal is a Czech usage error naming the word; texts reach the command in Windows-1250.
class Args {
public:
    explicit Args(std::string command); // "sort", "convert to-csv": the start of each message
    ~Args();
    Args(const Args&) = delete;
    Args& operator=(const Args&) = delete;

    // A word in its place; a required one missing is an error.
    Args& word(const std::string& name, std::string& into, bool required = true);
    // The rest of the words, between `least` and `most` of them.
    Args& words(const std::string& name, std::vector<std::string>& into, std::size_t least,
                std::size_t most);
    Args& option(const std::string& flag, std::string& into, bool required = false);
    // A whole number in low..high.
    Args& option(const std::string& flag, int& into, int low, int high, bool required = false);
    // Numbers "3,1,5", each 1..high.
    Args& numberList(const std::string& flag, std::vector<int>& into, int high,
                     bool required = false);
    // An option that may be given several times, each value kept in order.
    Args& repeated(const std::string& flag, std::vector<std::string>& into);
    Args& flag(const std::string& flag, bool& into);
    // Whether the option was on the command line (after parse).
    bool given(const std::string& flag) const;

    // 0 when the words fit; otherwise the usage error is printed and the usage status given.
    int parse(const std::vector<std::string>& words);
    // A refusal of the parsed words found by the command itself, as parse() reports one.
    int refuse(const std::string& what) const;

private:
    struct Check {
        std::string name;
        std::function<std::string()> run; // an empty text when the value is good
    };
    std::string command_;
    std::unique_ptr<CLI::App> app_;
    std::vector<Check> checks_;
    std::vector<std::string> required_;
};

} // namespace sarw::cli
