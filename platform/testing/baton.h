#pragma once
// A one-way "go" between a test and a forked child (a pipe), so the two hand over control
// without sleeping.
#include <chrono>

#include "platform/testing/eventually.h"

namespace zt::platform::testing {

class Baton {
public:
    Baton();
    Baton(const Baton&) = delete;
    Baton& operator=(const Baton&) = delete;
    ~Baton();
    void pass();  // may be called once
    // True when passed; false when the other side went away or did not pass within `limit`.
    bool await(std::chrono::milliseconds limit = kPatience);
    void close_unused_reader();  // called by the side that only passes
    void close_unused_writer();  // called by the side that only awaits

private:
    int m_read { -1 };
    int m_write { -1 };
};

}  // namespace zt::platform::testing
