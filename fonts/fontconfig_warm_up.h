#pragma once

// Fontconfig reads its configuration (some forty XML files) and the caches
// of the installed faces the first time a face is asked for: a fifth of the
// work of showing the window, all of it before the first picture. None of it
// needs the display, so a thread of its own reads them on the second core
// while Qt connects to the display and loads its plugins.

#include <thread>

namespace korvane {

class FontconfigWarmUp {
public:
    // starts reading
    FontconfigWarmUp();
    ~FontconfigWarmUp();
    FontconfigWarmUp(const FontconfigWarmUp&) = delete;
    FontconfigWarmUp& operator=(const FontconfigWarmUp&) = delete;

    // Waits until fontconfig is ready: called before the first widget asks
    // Qt for a face, so that Qt does not read the same files meanwhile.
    void wait();

    // For a run that ends before any face is asked for: waits, and lets go
    // of all fontconfig read.
    void release();

private:
    std::thread reader_;
};

} // namespace korvane
