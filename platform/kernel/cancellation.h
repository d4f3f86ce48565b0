#pragma once
// Support for Thread::terminate inside this module's blocking waits.
#include <pthread.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#endif

namespace zt::platform::detail {

// A cancellation unwinds the stack without the address sanitizer's knowledge, leaving the
// red zones of the unwound frames marked; later calls that reuse that stack would then be
// reported as overflows. Clearing the marks first, as the compiler does before any call that
// does not return, keeps sanitizer builds quiet. Nothing to do in normal builds.
inline void prepare_stack_for_cancellation() {
#if defined(__SANITIZE_ADDRESS__)
    __asan_handle_no_return();
#endif
}

// Ends the thread here if Thread::terminate asked for it.
inline void cancellation_point() {
    prepare_stack_for_cancellation();
    pthread_testcancel();
}

}  // namespace zt::platform::detail
