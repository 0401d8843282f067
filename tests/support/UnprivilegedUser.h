#pragma once

#include <sys/types.h>
#include <vector>

// While it lives, the process acts as the unprivileged user "nobody" when it runs as root (so
// that folder and file permissions apply to it as they do to users); otherwise it changes
// nothing, the process being unprivileged already. Files the test prepares for that user must
// be reachable by it (see allowEveryone()).
class UnprivilegedUser {
public:
    UnprivilegedUser();
    ~UnprivilegedUser();
    UnprivilegedUser(const UnprivilegedUser&) = delete;
    UnprivilegedUser& operator=(const UnprivilegedUser&) = delete;

    static constexpr uid_t NobodyId = 65534;
    static bool isRoot();
    // Opens the folders of path (up to the root) for everybody to pass through, as root.
    static void allowEveryone(const char* path);

private:
    bool m_switched = false;
    std::vector<gid_t> m_groups;
};
