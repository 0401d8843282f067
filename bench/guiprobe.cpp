// Drives one editor program in an X server (Xvfb) the way a user would and times what the user
// waits for, watching the screen: the window mapped; the first keystroke (sent as soon as the
// window is mapped) shown; keystrokes typed at the start, in the middle and at the end of the
// document; with a document, Select All then Bold, and Save. Keys and clicks go through the XTest
// extension, and a change is seen by comparing the program's text area pixel for pixel (read
// through shared memory) every millisecond; a change narrower than three pixels (a blinking
// caret) does not count.
//
// guiprobe --title TEXT --text X,Y,W,H [--bold-click X,Y | --bold-key] [--middle-click X,BUTTON]
//          [--save FILE] [--keys N] [--timeout S] -- PROGRAM ARGS...
// Coordinates are relative to the program's window. Prints "name value" lines: seconds, or
// "timeout"; keystroke latencies as median and 95th percentile in milliseconds; peak memory in MB.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <sys/ipc.h>
#include <sys/shm.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
};

struct Options {
    std::string title;
    Rect text;
    std::optional<std::pair<int, int>> boldClick;
    bool boldKey = false;
    std::optional<std::pair<int, int>> middleClick; // scroll bar x, mouse button that jumps there
    std::string saveFile;
    int keys = 20;
    double timeout = 300;
    std::vector<std::string> command;
};

double seconds(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double>(to - from).count();
}

void pause(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

class Desktop {
public:
    explicit Desktop(Display* display) : m_display(display), m_root(DefaultRootWindow(display)) {}
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    // A mapped top-level window whose name contains title.
    Window find(const std::string& title) const
    {
        Window root, parent, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(m_display, m_root, &root, &parent, &children, &count))
            return 0;
        Window found = 0;
        for (unsigned i = count; i-- > 0 && !found;) {
            XWindowAttributes attributes;
            if (!XGetWindowAttributes(m_display, children[i], &attributes) || attributes.map_state != IsViewable)
                continue;
            if (nameOf(children[i]).find(title) != std::string::npos)
                found = children[i];
        }
        if (children)
            XFree(children);
        return found;
    }

    std::string nameOf(Window window) const
    {
        std::string name;
        Atom utf8 = XInternAtom(m_display, "UTF8_STRING", False);
        Atom netName = XInternAtom(m_display, "_NET_WM_NAME", False);
        Atom type;
        int format;
        unsigned long items, after;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(m_display, window, netName, 0, 1024, False, utf8, &type, &format, &items, &after,
                               &data) == Success && data) {
            name.assign(reinterpret_cast<char*>(data), items);
            XFree(data);
        }
        char* legacy = nullptr;
        if (name.empty() && XFetchName(m_display, window, &legacy) && legacy) {
            name = legacy;
            XFree(legacy);
        }
        return name;
    }

    void origin(Window window, int& x, int& y) const
    {
        Window child;
        XTranslateCoordinates(m_display, window, m_root, 0, 0, &x, &y, &child);
    }

    // The area's pixels, 32 bits each, row after row. Read through shared memory when the server
    // offers it: a grab then costs a fraction of a millisecond, so a change is seen when it happens
    // rather than when a slow grab ends.
    std::vector<unsigned> grab(const Rect& area)
    {
        std::vector<unsigned> pixels;
        if (XImage* image = sharedImage(area); image && XShmGetImage(m_display, m_root, image, area.x, area.y, AllPlanes)) {
            copyPixels(*image, area, pixels);
            return pixels;
        }
        if (XImage* image = XGetImage(m_display, m_root, area.x, area.y, unsigned(area.w), unsigned(area.h), AllPlanes,
                                      ZPixmap)) {
            copyPixels(*image, area, pixels);
            XDestroyImage(image);
        }
        return pixels;
    }

    // Keys go to the window under the pointer, as on a fresh server. A program run before may
    // have taken the focus and, on leaving, left it nowhere.
    void focusFollowsPointer()
    {
        XSetInputFocus(m_display, PointerRoot, RevertToPointerRoot, CurrentTime);
        XFlush(m_display);
    }

    void moveTo(int x, int y)
    {
        XTestFakeMotionEvent(m_display, -1, x, y, CurrentTime);
        XFlush(m_display);
    }

    void click(int x, int y, unsigned button = 1)
    {
        moveTo(x, y);
        XTestFakeButtonEvent(m_display, button, True, CurrentTime);
        XTestFakeButtonEvent(m_display, button, False, CurrentTime);
        XFlush(m_display);
    }

    void key(KeySym symbol, KeySym modifier = NoSymbol)
    {
        const KeyCode code = XKeysymToKeycode(m_display, symbol);
        const KeyCode mod = modifier != NoSymbol ? XKeysymToKeycode(m_display, modifier) : 0;
        if (mod)
            XTestFakeKeyEvent(m_display, mod, True, CurrentTime);
        XTestFakeKeyEvent(m_display, code, True, CurrentTime);
        XTestFakeKeyEvent(m_display, code, False, CurrentTime);
        if (mod)
            XTestFakeKeyEvent(m_display, mod, False, CurrentTime);
        XFlush(m_display);
    }

private:
    static void copyPixels(const XImage& image, const Rect& area, std::vector<unsigned>& pixels)
    {
        pixels.resize(size_t(area.w) * size_t(area.h));
        if (image.bits_per_pixel == 32) {
            for (int y = 0; y < area.h; ++y)
                std::memcpy(&pixels[size_t(y) * size_t(area.w)], image.data + ptrdiff_t(y) * image.bytes_per_line,
                            size_t(area.w) * sizeof(unsigned));
            return;
        }
        for (int y = 0; y < area.h; ++y)
            for (int x = 0; x < area.w; ++x)
                pixels[size_t(y) * size_t(area.w) + size_t(x)] = unsigned(XGetPixel(const_cast<XImage*>(&image), x, y));
    }

    // An image in shared memory of the area's size, made at the first grab; nullptr without MIT-SHM.
    XImage* sharedImage(const Rect& area)
    {
        if (m_shared && m_shared->width == area.w && m_shared->height == area.h)
            return m_shared;
        releaseShared();
        if (m_noShared || !XShmQueryExtension(m_display)) {
            m_noShared = true;
            return nullptr;
        }
        const int screen = DefaultScreen(m_display);
        XImage* image = XShmCreateImage(m_display, DefaultVisual(m_display, screen), unsigned(DefaultDepth(m_display, screen)),
                                        ZPixmap, nullptr, &m_segment, unsigned(area.w), unsigned(area.h));
        if (!image) {
            m_noShared = true;
            return nullptr;
        }
        m_segment.shmid = shmget(IPC_PRIVATE, size_t(image->bytes_per_line) * size_t(image->height), IPC_CREAT | 0600);
        if (m_segment.shmid < 0) {
            XDestroyImage(image);
            m_noShared = true;
            return nullptr;
        }
        m_segment.shmaddr = image->data = static_cast<char*>(shmat(m_segment.shmid, nullptr, 0));
        m_segment.readOnly = False;
        XShmAttach(m_display, &m_segment);
        XSync(m_display, False);
        // Removed now, freed by the system once both sides have detached, even if we are killed.
        shmctl(m_segment.shmid, IPC_RMID, nullptr);
        m_shared = image;
        return m_shared;
    }

public:
    // Before the display closes.
    void releaseShared()
    {
        if (!m_shared)
            return;
        XShmDetach(m_display, &m_segment);
        XDestroyImage(m_shared);
        shmdt(m_segment.shmaddr);
        m_shared = nullptr;
    }

private:
    Display* m_display;
    Window m_root;
    XImage* m_shared = nullptr;
    XShmSegmentInfo m_segment{};
    bool m_noShared = false;
};

Rect parseRect(const char* text)
{
    Rect rect;
    std::sscanf(text, "%d,%d,%d,%d", &rect.x, &rect.y, &rect.w, &rect.h);
    return rect;
}

std::pair<int, int> parsePair(const char* text)
{
    std::pair<int, int> pair;
    std::sscanf(text, "%d,%d", &pair.first, &pair.second);
    return pair;
}

// The peak memory of the program's processes (a program may be a script that starts the real
// one, as LibreOffice's is): the sum of the peaks of every process in its process group.
long peakMegabytes(pid_t group)
{
    long kilobytes = 0;
    bool found = false;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename();
        if (name.empty() || !std::isdigit(static_cast<unsigned char>(name[0])) || getpgid(std::atoi(name.c_str())) != group)
            continue;
        std::ifstream status(entry.path() / "status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.rfind("VmHWM:", 0) == 0) {
                kilobytes += std::atol(line.c_str() + 6);
                found = true;
            }
        }
    }
    return found ? kilobytes / 1024 : -1;
}

class Probe {
public:
    Probe(Desktop& screen, Rect text, double timeout) : m_screen(screen), m_text(text), m_timeout(timeout) {}

    // Whether two pictures of the text area differ by more than a caret's blink: the pixels that
    // differ span at least three columns.
    bool differs(const std::vector<unsigned>& a, const std::vector<unsigned>& b) const
    {
        if (a.size() != b.size())
            return true;
        int left = m_text.w, right = -1;
        for (size_t i = 0; i < a.size(); ++i) {
            if (a[i] != b[i]) {
                const int x = int(i % size_t(m_text.w));
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
        return right - left >= 2;
    }

    // Waits until the text area differs from before; the time it changed, or nothing.
    std::optional<Clock::time_point> changeFrom(const std::vector<unsigned>& before, double timeout) const
    {
        const Clock::time_point start = Clock::now();
        while (seconds(start, Clock::now()) < timeout) {
            if (differs(m_screen.grab(m_text), before))
                return Clock::now();
            pause(1);
        }
        return std::nullopt;
    }

    // Waits until the text area has not changed for quietMs; the time it last changed.
    Clock::time_point settle(int quietMs) const
    {
        std::vector<unsigned> last = m_screen.grab(m_text);
        Clock::time_point changed = Clock::now();
        const Clock::time_point start = changed;
        while (seconds(changed, Clock::now()) * 1000 < quietMs && seconds(start, Clock::now()) < m_timeout) {
            pause(2);
            std::vector<unsigned> now = m_screen.grab(m_text);
            if (differs(now, last)) {
                last.swap(now);
                changed = Clock::now();
            }
        }
        return changed;
    }

    std::vector<unsigned> grab() const { return m_screen.grab(m_text); }

    // Latencies of keys typed one after the other, in milliseconds (negative: not shown).
    std::vector<double> typing(int count) const
    {
        std::vector<double> latencies;
        for (int i = 0; i < count; ++i) {
            const std::vector<unsigned> before = grab();
            const Clock::time_point sent = Clock::now();
            m_screen.key(i % 2 ? XK_y : XK_x);
            const auto shown = changeFrom(before, 5);
            latencies.push_back(shown ? seconds(sent, *shown) * 1000 : -1);
            settle(60);
        }
        return latencies;
    }

private:
    Desktop& m_screen;
    Rect m_text;
    double m_timeout;
};

void report(const char* name, std::optional<double> value)
{
    if (value)
        std::printf("%s %.3f\n", name, *value);
    else
        std::printf("%s timeout\n", name);
    std::fflush(stdout);
}

void reportTyping(const char* name, std::vector<double> latencies)
{
    if (latencies.empty() || std::any_of(latencies.begin(), latencies.end(), [](double l) { return l < 0; })) {
        std::fprintf(stderr, "%s: %zd of %zu keys not shown:", name,
                     std::count_if(latencies.begin(), latencies.end(), [](double l) { return l < 0; }), latencies.size());
        for (double latency : latencies)
            std::fprintf(stderr, " %.1f", latency);
        std::fprintf(stderr, "\n");
        std::printf("%s timeout\n", name);
        return;
    }
    std::fprintf(stderr, "%s, each key in ms:", name); // which keys were slow, for PROBE_LOG
    for (double latency : latencies)
        std::fprintf(stderr, " %.1f", latency);
    std::fprintf(stderr, "\n");
    std::sort(latencies.begin(), latencies.end());
    const double median = latencies[latencies.size() / 2];
    const double p95 = latencies[std::min(latencies.size() - 1, size_t(0.95 * double(latencies.size())))];
    std::printf("%s %.1f %.1f\n", name, median, p95);
    std::fflush(stdout);
}
} // namespace

int main(int argc, char** argv)
{
    Options options;
    int i = 1;
    for (; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&] { return i + 1 < argc ? argv[++i] : ""; };
        if (arg == "--title")
            options.title = value();
        else if (arg == "--text")
            options.text = parseRect(value());
        else if (arg == "--bold-click")
            options.boldClick = parsePair(value());
        else if (arg == "--bold-key")
            options.boldKey = true;
        else if (arg == "--middle-click")
            options.middleClick = parsePair(value());
        else if (arg == "--save")
            options.saveFile = value();
        else if (arg == "--keys")
            options.keys = std::atoi(value());
        else if (arg == "--timeout")
            options.timeout = std::atof(value());
        else if (arg == "--") {
            ++i;
            break;
        }
    }
    for (; i < argc; ++i)
        options.command.push_back(argv[i]);
    if (options.title.empty() || options.command.empty() || options.text.w <= 0) {
        std::fprintf(stderr, "usage: guiprobe --title TEXT --text X,Y,W,H [options] -- PROGRAM ARGS...\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "guiprobe: no X display\n");
        return 2;
    }
    Desktop screen(display);

    screen.focusFollowsPointer();
    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid > 0)
        setpgid(pid, pid);
    if (pid == 0) {
        // A group of its own, so that everything it starts is measured and stopped with it (a
        // window left behind would take the keys meant for the next program).
        setpgid(0, 0);
        std::vector<char*> args;
        for (std::string& arg : options.command)
            args.push_back(arg.data());
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }

    Window window = 0;
    while (!(window = screen.find(options.title)) && seconds(start, Clock::now()) < options.timeout)
        pause(2);
    if (!window) {
        report("mapped", std::nullopt);
        kill(-pid, SIGKILL);
        return 1;
    }
    report("mapped", seconds(start, Clock::now()));
    int left, top;
    screen.origin(window, left, top);
    Rect text = options.text;
    text.x += left;
    text.y += top;
    Probe probe(screen, text, options.timeout);

    // The first keystroke, typed as soon as the window is there (keys go where the pointer is):
    // it is shown with the last change before the program's window stays still.
    screen.moveTo(text.x + text.w / 2, text.y + text.h / 2);
    screen.key(XK_z);
    const Clock::time_point firstShown = probe.settle(2000);
    report("first-key", seconds(start, firstShown));
    std::printf("memory-loaded %ld\n", peakMegabytes(pid));

    reportTyping("keys-start", probe.typing(options.keys));
    if (options.middleClick) {
        // A click on the scroll bar's track that jumps there, then one in the text.
        screen.click(left + options.middleClick->first, text.y + text.h / 2, unsigned(options.middleClick->second));
        probe.settle(500);
        screen.click(text.x + text.w / 2, text.y + text.h / 2);
        probe.settle(500);
        reportTyping("keys-middle", probe.typing(options.keys));
    }
    screen.key(XK_End, XK_Control_L);
    probe.settle(1000);
    reportTyping("keys-end", probe.typing(options.keys));

    // Select All, then Bold, with a document (named by --save): an empty one has nothing to select.
    if (!options.saveFile.empty()) {
        screen.key(XK_Home, XK_Control_L);
        probe.settle(500);
        const std::vector<unsigned> unselected = probe.grab();
        const Clock::time_point selectSent = Clock::now();
        screen.key(XK_a, XK_Control_L);
        const auto selected = probe.changeFrom(unselected, options.timeout);
        const Clock::time_point selectDone = probe.settle(300);
        report("select-all", selected ? std::optional<double>(seconds(selectSent, selectDone)) : std::nullopt);
        if (options.boldClick || options.boldKey) {
            const std::vector<unsigned> plain = probe.grab();
            const Clock::time_point boldSent = Clock::now();
            if (options.boldClick)
                screen.click(left + options.boldClick->first, top + options.boldClick->second);
            else
                screen.key(XK_b, XK_Control_L);
            const auto bolded = probe.changeFrom(plain, options.timeout);
            const Clock::time_point boldDone = probe.settle(300);
            report("bold", bolded ? std::optional<double>(seconds(boldSent, boldDone)) : std::nullopt);
            screen.moveTo(text.x + text.w / 2, text.y + text.h / 2);
        }
    }
    std::printf("memory-after-bold %ld\n", peakMegabytes(pid));

    if (!options.saveFile.empty()) {
        struct stat before {};
        stat(options.saveFile.c_str(), &before);
        const Clock::time_point saveSent = Clock::now();
        screen.key(XK_s, XK_Control_L);
        std::optional<double> saved;
        while (seconds(saveSent, Clock::now()) < options.timeout) {
            struct stat now {};
            if (stat(options.saveFile.c_str(), &now) == 0 &&
                (now.st_mtim.tv_sec != before.st_mtim.tv_sec || now.st_mtim.tv_nsec != before.st_mtim.tv_nsec ||
                 now.st_ino != before.st_ino)) {
                saved = seconds(saveSent, Clock::now());
                break;
            }
            pause(2);
        }
        report("save", saved);
    }
    std::printf("memory-peak %ld\n", peakMegabytes(pid));
    kill(-pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    screen.releaseShared();
    XCloseDisplay(display);
    return 0;
}
