// Body of GuardedExport (see CorvaneLibrary.h): no C++ exception may leave a
// module, so every export runs its work through this.
#pragma once

#include <exception>
#include <new>

#include "DailyLog.h"

template <class R, class F> R GuardedExport(const wchar_t* name, R failure, F&& body) noexcept
{
    try {
        return body();
    } catch (CException* e) {
        e->Delete();
        LogLevel(LOG_ERROR, L"%s: framework exception", name);
    } catch (const std::bad_alloc&) {
        LogLevel(LOG_ERROR, L"%s: out of memory", name);
    } catch (...) {
        LogLevel(LOG_ERROR, L"%s: unexpected exception", name);
    }
    return failure;
}
