#pragma once
// A small randomized tester: each target gets generated inputs (random characters, and
// mutations of real samples) from a seeded generator, checks the properties that must hold
// for any input, and on a failure reports the seed and the input, shrunk to a small one that
// still fails. A crash prints the target, seed and input before the process ends.
//
//   KV_FUZZ_COUNT  inputs per target (default 2000: the short batch of scripts/test)
//   KV_FUZZ_SEED   first seed (default 1); a reported seed replays its input
#include <windows.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "KVError.h"

namespace kvfuzz {

// A property that did not hold.
struct Fault {
    std::string what;
};
inline void Expect(bool holds, const std::string& what) {
    if (!holds) throw Fault{what};
}

// xorshift64*: fast, and the same sequence for the same seed everywhere.
class Rng {
public:
    explicit Rng(unsigned long long seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}
    unsigned long long Next() {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 0x2545F4914F6CDD1Dull;
    }
    size_t Below(size_t n) { return n ? static_cast<size_t>(Next() % n) : 0; }
    bool Chance(int percent) { return Below(100) < static_cast<size_t>(percent); }

private:
    unsigned long long state_;
};

// Characters that matter to the program's parsers, and any other character now and then.
inline wchar_t RandomChar(Rng& rng, const std::wstring& interesting) {
    switch (rng.Below(6)) {
        case 0: return static_cast<wchar_t>(rng.Below(0x10000));        // anything, surrogates included
        case 1: return static_cast<wchar_t>(rng.Below(32));             // control characters, NUL
        case 2: return L"äöüßÄÖÜé€中\u00A0"[rng.Below(11)];
        case 3: return static_cast<wchar_t>(32 + rng.Below(95));        // printable ASCII
        default: return interesting.empty() ? L'x' : interesting[rng.Below(interesting.size())];
    }
}

inline std::wstring RandomText(Rng& rng, const std::wstring& interesting, size_t maxLength = 64) {
    std::wstring text(rng.Below(maxLength + 1), L' ');
    for (wchar_t& c : text) c = RandomChar(rng, interesting);
    return text;
}

// A sample changed a few times: characters replaced, inserted or deleted, pieces repeated,
// cut or spliced from another sample.
inline std::wstring Mutate(Rng& rng, std::wstring text, const std::vector<std::wstring>& samples,
                           const std::wstring& interesting) {
    const size_t steps = 1 + rng.Below(4);
    for (size_t i = 0; i < steps; ++i) {
        const size_t at = rng.Below(text.size() + 1);
        switch (rng.Below(6)) {
            case 0: if (at < text.size()) text[at] = RandomChar(rng, interesting); break;
            case 1: text.insert(at, 1, RandomChar(rng, interesting)); break;
            case 2: if (at < text.size()) text.erase(at, 1 + rng.Below(4)); break;
            case 3: text.insert(at, text.substr(at, rng.Below(16)) ); break;
            case 4: text.resize(at); break;
            default: {
                const std::wstring& other = samples[rng.Below(samples.size())];
                const size_t from = rng.Below(other.size() + 1);
                text.insert(at, other.substr(from, rng.Below(24)));
            }
        }
    }
    return text;
}

// One input of a target: a mutated sample most of the time, else random text.
inline std::wstring Generate(Rng& rng, const std::vector<std::wstring>& samples, const std::wstring& interesting) {
    if (!samples.empty() && rng.Chance(75)) return Mutate(rng, samples[rng.Below(samples.size())], samples, interesting);
    return RandomText(rng, interesting);
}

inline std::string Shown(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) {
        if (c >= 32 && c < 127 && c != L'\\') out += static_cast<char>(c);
        else {
            char buffer[12];
            std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned>(c));
            out += buffer;
        }
    }
    return out;
}

inline unsigned long long Setting(const char* name, unsigned long long fallback) {
    char value[32] = {};
    const DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
    return n > 0 && n < sizeof value ? std::strtoull(value, nullptr, 10) : fallback;
}

// The input being checked, for the crash report.
struct Current {
    const char* target = nullptr;
    unsigned long long seed = 0;
    const std::wstring* input = nullptr;
};
inline Current& Now() {
    static Current current;
    return current;
}
inline LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info) {
    const Current& c = Now();
    std::fprintf(stderr, "CRASH 0x%08lX in target %s, seed %llu, input \"%s\"\n",
                 info->ExceptionRecord->ExceptionCode, c.target ? c.target : "?", c.seed,
                 c.input ? Shown(*c.input).c_str() : "");
    std::fflush(stderr);
    return EXCEPTION_CONTINUE_SEARCH;
}

// Why check fails for input ("" when it passes): a Fault, or an exception the target
// does not allow (anything but a KVError when allowErrors, anything at all otherwise).
inline std::string Failure(const std::function<void(const std::wstring&)>& check, const std::wstring& input,
                           bool allowErrors) {
    try {
        check(input);
        return "";
    } catch (const Fault& f) {
        return f.what;
    } catch (const kv::KVError& e) {
        return allowErrors ? "" : "error " + std::to_string(e.Number) + " " + Shown(e.Description);
    } catch (const std::exception& e) {
        return std::string("C++ library exception: ") + e.what();
    } catch (...) {
        return "unknown exception";
    }
}

// The input made small while it still fails (bounded number of tries).
inline std::wstring Shrink(const std::function<void(const std::wstring&)>& check, std::wstring input,
                           bool allowErrors) {
    int tries = 0;
    for (size_t chunk = input.size() / 2; chunk >= 1 && tries < 4000; chunk /= 2) {
        for (size_t at = 0; at + chunk <= input.size() && tries < 4000; ++tries) {
            std::wstring smaller = input.substr(0, at) + input.substr(at + chunk);
            if (!Failure(check, smaller, allowErrors).empty()) input = std::move(smaller);
            else at += chunk;
        }
    }
    return input;
}

// Runs the target over KV_FUZZ_COUNT generated inputs; the first failure fails the test with
// its seed and its shrunk input. Prints the inputs per second.
inline void Run(const char* target, const std::vector<std::wstring>& samples, const std::wstring& interesting,
                const std::function<void(const std::wstring&)>& check, bool allowErrors = true) {
    static const bool filter = (SetUnhandledExceptionFilter(ReportCrash), true);
    (void)filter;
    const unsigned long long count = Setting("KV_FUZZ_COUNT", 2000), first = Setting("KV_FUZZ_SEED", 1);
    const auto start = std::chrono::steady_clock::now();
    for (unsigned long long seed = first; seed < first + count; ++seed) {
        Rng rng(seed);
        const std::wstring input = Generate(rng, samples, interesting);
        Now() = Current{target, seed, &input};
        const std::string why = Failure(check, input, allowErrors);
        if (!why.empty()) {
            const std::wstring small = Shrink(check, input, allowErrors);
            Now() = Current{};
            FAIL() << target << ": " << why << "\n  seed " << seed << " (KV_FUZZ_SEED=" << seed
                   << " KV_FUZZ_COUNT=1 replays it)\n  input \"" << Shown(input) << "\"\n  shrunk \"" << Shown(small)
                   << "\" fails with: " << Failure(check, small, allowErrors);
            return;
        }
    }
    Now() = Current{};
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("[fuzz] %-12s %llu inputs, %.0f per second\n", target, count, count / (seconds > 0 ? seconds : 1));
}

}  // namespace kvfuzz
