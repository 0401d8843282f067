#pragma once

#include <sys/resource.h>

// While it lives, the file system refuses to let the process write past a given size in any
// file ("File too large"): a write failure part-way that works for root too. The signal the
// kernel sends with it is ignored meanwhile.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_saved{};
    void (*m_savedHandler)(int) = nullptr;
};
