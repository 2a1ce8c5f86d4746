#pragma once

// A comma-decimal locale for the span of a test, as a German desktop has it.
// The tests build de_DE.UTF-8 into a folder of their own (KORVANE_TEST_LOCALES,
// searched through LOCPATH), so they never depend on the machine's locales;
// when it cannot be had, active() is false and problem() says why, and the
// test fails rather than passing without having tried.

#include <clocale>
#include <stdlib.h> // setenv
#include <string>

namespace korvane::testing {

class CommaDecimalLocale {
public:
    static constexpr const char* name = "de_DE.UTF-8";

    // Sets the C library's locale, as QApplication does at start-up with the
    // user's (setlocale(LC_ALL, "")); that is the locale the C library's own
    // number writing and reading follow. (std::locale is left alone:
    // glibc's newlocale keeps LOCPATH's list for good, which the leak
    // checker would report.)
    CommaDecimalLocale() : previous_(std::setlocale(LC_ALL, nullptr))
    {
        // the C library looks LOCPATH up at every change of locale
        ::setenv("LOCPATH", KORVANE_TEST_LOCALES, 1);
        if (!std::setlocale(LC_ALL, name)) {
            problem_ = std::string("the locale ") + name + " is not in " KORVANE_TEST_LOCALES
                       " (the test comma_decimal_locale builds it there)";
            return;
        }
        if (std::localeconv()->decimal_point != std::string(","))
            problem_ = std::string(name) + " has no decimal comma";
    }

    ~CommaDecimalLocale() { std::setlocale(LC_ALL, previous_.c_str()); }

    CommaDecimalLocale(const CommaDecimalLocale&) = delete;
    CommaDecimalLocale& operator=(const CommaDecimalLocale&) = delete;

    bool active() const { return problem_.empty(); }
    const std::string& problem() const { return problem_; }

private:
    std::string previous_;
    std::string problem_;
};

} // namespace korvane::testing
