#pragma once
// What the course check remembers between units: the layout problems of units alike in
// what their boxes depend on (shared by the threads of a check), and the units of a thread
// found with nothing to say.

#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <future>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "keys/KeyCheck.h"
#include "text/Lines.h"
#include "worksheet/LayoutCheck.h"

// What the answer boxes of a unit depend on: the questions, the graphs and the page settings
// (the header lines stand at fixed places above the questions).
using LayoutInputs = std::array<const Lines*, 6>;

// Layout problems of the units laid out so far, by their layout inputs. The threads of the
// check share it: units alike are laid out once, by the first thread to meet them.
class LayoutMemo {
  public:
    using Problems = std::vector<LayoutProblem>;
    // The problems for inputs, made by make() when no thread has made them yet.
    template <typename Make> const Problems& get(const LayoutInputs& inputs, Make make) {
        const std::uint64_t hash = hashOf(inputs);
        std::promise<Problems> mine;
        std::shared_future<Problems> known;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            std::vector<Entry>& alike = memo_[hash];
            for (const Entry& e : alike)
                if (same(e.inputs, inputs)) known = e.problems;
            if (known.valid()) return known.get(); // waits while another thread lays it out
            alike.push_back({flat(inputs), mine.get_future().share()});
            known = alike.back().problems;
        }
        mine.set_value(make());
        return known.get();
    }

  private:
    struct Entry {
        std::string inputs; // every line followed by "\n", every list by "\0"
        std::shared_future<Problems> problems;
    };
    // Eight bytes at a time, every line and list closed by its length.
    static std::uint64_t hashOf(const LayoutInputs& inputs) {
        std::uint64_t h = 0;
        auto mix = [&h](std::uint64_t v) {
            h = (h ^ v) * 0x9E3779B97F4A7C15ULL;
            h ^= h >> 29;
        };
        for (const Lines* list : inputs) {
            for (const std::string& line : *list) {
                const char* at = line.data();
                std::size_t left = line.size();
                for (; left >= 8; at += 8, left -= 8) {
                    std::uint64_t word = 0;
                    std::memcpy(&word, at, 8);
                    mix(word);
                }
                std::uint64_t tail = 0;
                std::memcpy(&tail, at, left);
                mix(tail ^ (static_cast<std::uint64_t>(line.size()) << 56));
            }
            mix(list->size());
        }
        return h;
    }
    static std::string flat(const LayoutInputs& inputs) {
        std::string out;
        for (const Lines* list : inputs) {
            for (const std::string& line : *list)
                out.append(line).push_back('\n');
            out.push_back('\0');
        }
        return out;
    }
    // Whether flat(inputs) would be key, without making it.
    static bool same(std::string_view key, const LayoutInputs& inputs) {
        for (const Lines* list : inputs) {
            for (const std::string& line : *list) {
                if (key.size() <= line.size() || key[line.size()] != '\n' ||
                    key.compare(0, line.size(), line) != 0)
                    return false;
                key.remove_prefix(line.size() + 1);
            }
            if (key.empty() || key.front() != '\0') return false;
            key.remove_prefix(1);
        }
        return key.empty();
    }

    std::mutex mutex_;
    std::unordered_map<std::uint64_t, std::vector<Entry>> memo_;
};

// Units the check found nothing to say about, by their text from the line after the header
// to the "]]" that ends them, with the key tally of each. A unit alike in all those lines
// and read in the same graph folder is read alike, so it has nothing to say either: a course
// repeats its units in its copies and similar questions. Only units both readers read
// within those lines are kept.
class CleanUnits {
  public:
    // The tally of text, when a unit of that text was found clean in graphFolder.
    const KeyTally* find(const std::string& graphFolder, std::string_view text) {
        if (graphFolder != folder_) {
            folder_ = graphFolder;
            seen_.clear();
        }
        auto it = seen_.find(text);
        return it == seen_.end() ? nullptr : &it->second;
    }
    void add(std::string_view text, const KeyTally& tally) {
        if (seen_.size() > 50000) seen_.clear(); // a bound on what is remembered
        seen_.emplace(std::string(text), tally);
    }

  private:
    struct Hash {
        using is_transparent = void;
        // Eight bytes at a time: unit texts are long, and alike ones are compared whole.
        std::size_t operator()(std::string_view s) const {
            std::uint64_t h = s.size();
            const char* at = s.data();
            std::size_t left = s.size();
            for (; left >= 8; at += 8, left -= 8) {
                std::uint64_t word = 0;
                std::memcpy(&word, at, 8);
                h = (h ^ word) * 0x9E3779B97F4A7C15ULL;
                h ^= h >> 29;
            }
            std::uint64_t tail = 0;
            std::memcpy(&tail, at, left);
            h = (h ^ tail) * 0x9E3779B97F4A7C15ULL;
            return static_cast<std::size_t>(h ^ (h >> 32));
        }
    };
    std::string folder_;
    std::unordered_map<std::string, KeyTally, Hash, std::equal_to<>> seen_;
};
