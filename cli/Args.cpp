#include "Args.h"

#include "Commands.h"

#include <CLI/CLI.hpp>

#include <algorithm>

namespace sarw::cli {

namespace {

// A flag without its value: the option is the last word, or another option follows it.
std::string flagWithoutValue(const CLI::App& app, const std::vector<std::string>& words) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i].rfind("--", 0) != 0) continue;
        const CLI::Option* o = app.get_option_no_throw(words[i]);
        if (o && o->get_type_size() != 0 &&
            (i + 1 == words.size() || words[i + 1].rfind("--", 0) == 0))
            return words[i];
    }
    return {};
}

} // namespace

bool wholeNumber(const std::string& text, int low, int high, int& n) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != text.npos)
        return false;
    n = std::stoi(text);
    return n >= low && n <= high;
}

Args::Args(std::string command) : command_(std::move(command)), app_(std::make_unique<CLI::App>()) {
    app_->set_help_flag();
    app_->allow_extras(false);
    app_->positionals_at_end(false);
}

Args::~Args() = default;

Args& Args::word(const std::string& name, std::string& into, bool required) {
    CLI::Option* o = app_->add_option(name, into);
    if (required) required_.push_back(name);
    checks_.push_back({name, [&into, o] {
                           if (o->count()) into = arg1250(into);
                           return std::string();
                       }});
    return *this;
}

Args& Args::words(const std::string& name, std::vector<std::string>& into, std::size_t least,
                  std::size_t most) {
    app_->add_option(name, into);
    checks_.push_back({name, [&into, least, most, name] {
                           for (auto& w : into) w = arg1250(w);
                           if (into.size() < least)
                               return "chybi " + name + " (nejmene " + std::to_string(least) + ")";
                           if (into.size() > most)
                               return "prilis mnoho argumentu " + name + " (nejvyse " +
                                      std::to_string(most) + ")";
                           return std::string();
                       }});
    return *this;
}

// A word and an option differ only in their names ("--" or not), which CLI11 tells apart.
Args& Args::option(const std::string& flag, std::string& into, bool required) {
    return word(flag, into, required);
}

Args& Args::option(const std::string& flag, int& into, int low, int high, bool required) {
    auto text = std::make_shared<std::string>();
    CLI::Option* o = app_->add_option(flag, *text);
    if (required) required_.push_back(flag);
    checks_.push_back({flag, [&into, text, low, high, flag, o] {
                           if (o->count() == 0) return std::string();
                           if (wholeNumber(*text, low, high, into)) return std::string();
                           return "chybna hodnota " + flag + " \"" + *text + "\" (cislo " +
                                  std::to_string(low) + " az " + std::to_string(high) + ")";
                       }});
    return *this;
}

Args& Args::numberList(const std::string& flag, std::vector<int>& into, int high,
                       bool required) {
    auto text = std::make_shared<std::string>();
    CLI::Option* o = app_->add_option(flag, *text);
    if (required) required_.push_back(flag);
    checks_.push_back({flag, [&into, text, flag, o, high] {
                           if (o->count() == 0) return std::string();
                           into.clear();
                           const std::string bad = "chybny seznam " + flag + " \"" + *text +
                                                   "\" (cisla 1 az " + std::to_string(high) +
                                                   " oddelena carkou)";
                           std::size_t from = 0;
                           while (true) {
                               const std::size_t comma = text->find(',', from);
                               int n = 0;
                               if (!wholeNumber(text->substr(from, comma - from), 1, high, n))
                                   return bad;
                               into.push_back(n);
                               if (comma == std::string::npos) break;
                               from = comma + 1;
                           }
                           return std::string();
                       }});
    return *this;
}

Args& Args::repeated(const std::string& flag, std::vector<std::string>& into) {
    app_->add_option(flag, into)->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    checks_.push_back({flag, [&into] {
                           for (auto& v : into) v = arg1250(v);
                           return std::string();
                       }});
    return *this;
}

Args& Args::flag(const std::string& flag, bool& into) {
    app_->add_flag(flag, into);
    return *this;
}

bool Args::given(const std::string& flag) const {
    const CLI::Option* o = app_->get_option_no_throw(flag);
    return o && o->count() > 0;
}

int Args::parse(const std::vector<std::string>& words) {
    std::vector<std::string> reversed(words.rbegin(), words.rend()); // as CLI11 takes them
    try {
        app_->parse(reversed);
    } catch (const CLI::ExtrasError&) {
        std::vector<std::string> extra = app_->remaining();
        std::string list;
        for (const auto& e : extra) list += (list.empty() ? "" : " ") + e;
        return refuse((list.rfind("--", 0) == 0 ? "neznama volba nebo nadbytecny argument: "
                                                : "nadbytecny argument: ") +
                      list);
    } catch (const CLI::ParseError&) {
        const std::string flag = flagWithoutValue(*app_, words);
        return refuse(flag.empty() ? "chybne zadane argumenty" : "volbe " + flag + " chybi hodnota");
    }
    for (const auto& name : required_)
        if (app_->get_option(name)->count() == 0) return refuse("chybi " + name);
    for (const auto& c : checks_)
        if (std::string err = c.run(); !err.empty()) return refuse(err);
    return 0;
}

int Args::refuse(const std::string& what) const {
    return usageError(command_ + ": " + what);
}

} // namespace sarw::cli
