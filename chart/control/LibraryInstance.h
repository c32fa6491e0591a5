#pragma once
// A process-wide object of the chart library: made on first use (or by the library's start) and
// freed by its last stop, after which the next use makes a fresh one. Belongs to the
// user-interface thread, like the charts.

#include <memory>

template <class T> class TLibraryInstance {
public:
    constexpr TLibraryInstance() = default;
    T& Get() {
        if (!instance_)
            instance_ = std::make_unique<T>();
        return *instance_;
    }
    void Free() { instance_.reset(); }

private:
    std::unique_ptr<T> instance_;
};
