// SPDX-License-Identifier: MIT
// Times Kazenoha from outside, as a user waits for it, against a bare Qt program built
// beside it. Everything runs on the X server in DISPLAY (Xvfb): clicks and keys go in
// through XTest, and a change on screen is seen through XDamage on the root window, so the
// program needs no hooks. The two programs run interleaved, A B A B …, and each figure is
// the median of the paired ratios, so that a busy machine slows both sides of a pair.
//
//   kz_xbench PROGRAM BARE [--rounds N] [--mem-rounds N] [--openings N] [--check]
//
// --rounds 0 --openings 0 leaves start-up and memory, all that is measured under wine
// (PROGRAM and BARE then a script that starts the Windows program through wine).
//
// KZ_XBENCH_TRACE=1 prints every change seen on screen with its time, to see where an
// opening spends it.
//
// --check fails (exit 1) when a ratio exceeds twice its target.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

double nowMs()
{
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

void sleepMs(double ms) { std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(ms)); }

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
    bool contains(const Rect& r) const { return r.x >= x && r.y >= y && r.x + r.w <= x + w && r.y + r.h <= y + h; }
};

// What the screen does on its own while nobody touches it: the menu's clock ticks once a
// second (this strip of the menu), and a focused field's caret blinks (a few pixels wide).
constexpr Rect kMenuClock{0, 190, 130, 30};
constexpr int kCaretWidth = 4;

// A settled screen: no change for this long. Shorter than a caret's first blink (500 ms
// after the focus arrives), longer than any pause between the paints of one opening.
double gQuietMs = 200;

// Window sizes and the places clicked, in pixels at 96 dpi (twips / 15); a place in the menu
// is counted from the menu's top-left corner (under wine it stands below a title bar's room).
struct Size {
    int w, h;
};
constexpr Size kTaxSize{880, 624}, kCoefSize{585, 375}, kHelpSize{601, 471}, kAboutSize{382, 237};
constexpr Size kStudySize{1100, 680};                       // 二次相続シミュレーション
constexpr int kMenuX = 56;                                  // the menu's button column
constexpr int kTaxButtonY = 28, kCoefButtonY = 68, kAboutButtonY = 148;
constexpr int kHelpButtonX = 80, kHelpButtonY = 136;        // "シートHELP" in the tax window
constexpr int kCalcX = 800, kCalcY = 544;                   // "納付税額計算"
constexpr int kStudyX = 834, kStudyY = 19;                  // "二次相続…" in the tax window
constexpr int kBareButtonX = 56, kBareButtonY = 28;         // the bare program's one button

class Screen {
public:
    Screen()
    {
        // Windows come and go while they are listed: a request on one that has gone is no
        // failure of the run.
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
        dpy_ = XOpenDisplay(nullptr);
        if (!dpy_)
            fail("cannot open the display");
        int err = 0, major = 0, minor = 0;
        if (!XDamageQueryExtension(dpy_, &damageEvent_, &err))
            fail("the X server has no DAMAGE extension");
        int ev = 0;
        if (!XTestQueryExtension(dpy_, &ev, &err, &major, &minor))
            fail("the X server has no XTEST extension");
        root_ = DefaultRootWindow(dpy_);
        damage_ = XDamageCreate(dpy_, root_, XDamageReportRawRectangles);
        pidAtom_ = XInternAtom(dpy_, "_NET_WM_PID", False);
        protocols_ = XInternAtom(dpy_, "WM_PROTOCOLS", False);
        deleteWindow_ = XInternAtom(dpy_, "WM_DELETE_WINDOW", False);
        XSync(dpy_, False);
    }
    ~Screen() { XCloseDisplay(dpy_); }

    [[noreturn]] static void fail(const char* what)
    {
        std::fprintf(stderr, "kz_xbench: %s\n", what);
        std::exit(2);
    }

    // The time of the first change on screen after now, or nothing within the timeout.
    std::optional<double> firstChange(double timeoutMs)
    {
        const double end = nowMs() + timeoutMs;
        for (;;) {
            const double left = end - nowMs();
            if (left <= 0)
                return std::nullopt;
            if (std::optional<double> t = nextChange(left))
                return t;
        }
    }

    // Waits for the first change up to `firstWithinMs`, then until the screen has not
    // changed for gQuietMs; returns the time of its last change (nothing if none came).
    std::optional<double> lastChange(double firstWithinMs = 5000, double timeoutMs = 20000)
    {
        const double start = nowMs(), end = start + timeoutMs;
        std::optional<double> last;
        for (;;) {
            const double until = last ? std::min(*last + gQuietMs, end) : start + firstWithinMs;
            const double wait = until - nowMs();
            if (wait <= 0)
                return last;
            if (std::optional<double> t = nextChange(wait))
                last = t;
        }
    }

    void settle() { lastChange(gQuietMs); }

    // Where the menu stands: its clock's ticks are no change.
    void setMenu(const Rect& menu) { clock_ = {menu.x + kMenuClock.x, menu.y + kMenuClock.y, kMenuClock.w, kMenuClock.h}; }

    void moveAway() { move(1910, 1070); }

    void move(int x, int y)
    {
        XTestFakeMotionEvent(dpy_, DefaultScreen(dpy_), x, y, 0);
        XSync(dpy_, False);
    }

    // A left click; returns the time the button went down.
    double click(int x, int y)
    {
        move(x, y);
        const double t = nowMs();
        XTestFakeButtonEvent(dpy_, 1, True, 0);
        XTestFakeButtonEvent(dpy_, 1, False, 0);
        XFlush(dpy_);
        return t;
    }

    void key(KeySym sym)
    {
        const KeyCode code = XKeysymToKeycode(dpy_, sym);
        XTestFakeKeyEvent(dpy_, code, True, 0);
        XTestFakeKeyEvent(dpy_, code, False, 0);
        XFlush(dpy_);
    }

    void type(const std::string& text)
    {
        for (char c : text)
            key(c == '-' ? XK_minus : static_cast<KeySym>(XK_0 + (c - '0')));
    }

    void focus(Window w)
    {
        XSetInputFocus(dpy_, w, RevertToParent, CurrentTime);
        XSync(dpy_, False);
    }

    // The process's windows that show, with their places.
    std::map<Window, Rect> windowsOf(pid_t pid)
    {
        std::map<Window, Rect> out;
        for (const auto& [w, shown] : shownWindows())
            if (shown.first == pid)
                out[w] = shown.second;
        return out;
    }

    // Every top-level window that shows, with its process (_NET_WM_PID) and place.
    std::map<Window, std::pair<pid_t, Rect>> shownWindows()
    {
        std::map<Window, std::pair<pid_t, Rect>> out;
        Window r = 0, parent = 0, *children = nullptr;
        unsigned n = 0;
        if (!XQueryTree(dpy_, root_, &r, &parent, &children, &n))
            return out;
        for (unsigned i = 0; i < n; ++i) {
            XWindowAttributes a;
            if (!XGetWindowAttributes(dpy_, children[i], &a) || a.map_state != IsViewable)
                continue;
            out[children[i]] = {pidOf(children[i]), Rect{a.x, a.y, a.width, a.height}};
        }
        if (children)
            XFree(children);
        return out;
    }

    // A window of the process that is not in `before`, waiting up to 20 s: a loaded
    // machine can stall a process for seconds.
    std::optional<std::pair<Window, Rect>> newWindow(pid_t pid, const std::map<Window, Rect>& before)
    {
        for (int i = 0; i < 2000; ++i) {
            for (const auto& [w, r] : windowsOf(pid))
                if (!before.count(w))
                    return std::make_pair(w, r);
            sleepMs(10);
        }
        return std::nullopt;
    }

    // What the close button of a title bar does.
    void close(Window w)
    {
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = w;
        e.xclient.message_type = protocols_;
        e.xclient.format = 32;
        e.xclient.data.l[0] = static_cast<long>(deleteWindow_);
        e.xclient.data.l[1] = CurrentTime;
        XSendEvent(dpy_, w, False, NoEventMask, &e);
        XFlush(dpy_);
    }

private:
    pid_t pidOf(Window w)
    {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        pid_t pid = 0;
        if (XGetWindowProperty(dpy_, w, pidAtom_, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data)
                == Success
            && data && count == 1 && format == 32)
            pid = static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data));
        if (data)
            XFree(data);
        return pid;
    }

    // The receive time of the next change that counts, within `timeoutMs`.
    std::optional<double> nextChange(double timeoutMs)
    {
        const double end = nowMs() + timeoutMs;
        for (;;) {
            while (XPending(dpy_)) {
                XEvent e;
                XNextEvent(dpy_, &e);
                if (e.type != damageEvent_ + XDamageNotify)
                    continue;
                const double t = nowMs();
                const auto* d = reinterpret_cast<XDamageNotifyEvent*>(&e);
                if (!d->more)
                    XDamageSubtract(dpy_, damage_, None, None);
                const Rect r{d->area.x, d->area.y, d->area.width, d->area.height};
                if (trace_)
                    std::fprintf(stderr, "%10.1f ms  damage %dx%d+%d+%d\n", t, r.w, r.h, r.x, r.y);
                if (clock_.contains(r) || r.w <= kCaretWidth)
                    continue;
                return t;
            }
            const double left = end - nowMs();
            if (left <= 0)
                return std::nullopt;
            pollfd p{ConnectionNumber(dpy_), POLLIN, 0};
            poll(&p, 1, static_cast<int>(left) + 1);
            if (!(p.revents & POLLIN) && nowMs() >= end)
                return std::nullopt;
        }
    }

    Display* dpy_ = nullptr;
    Window root_ = 0;
    int damageEvent_ = 0;
    Damage damage_ = 0;
    Atom pidAtom_ = 0, protocols_ = 0, deleteWindow_ = 0;
    Rect clock_ = kMenuClock;
    const bool trace_ = std::getenv("KZ_XBENCH_TRACE") != nullptr; // every change seen, to stderr
};

class Process {
public:
    explicit Process(const std::vector<std::string>& argv)
    {
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        started_ = nowMs();
        if (posix_spawn(&pid_, args[0], &actions, nullptr, args.data(), environ) != 0)
            Screen::fail("cannot start the program");
        posix_spawn_file_actions_destroy(&actions);
        windows_ = pid_;
    }
    ~Process()
    {
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
        if (windows_ == pid_)
            return;
        // Not our child: asked to end, then made to, and waited for, so that the next
        // start has the machine to itself.
        kill(windows_, SIGTERM);
        for (int i = 0; i < 500 && kill(windows_, 0) == 0; ++i)
            sleepMs(10);
        if (kill(windows_, SIGKILL) == 0)
            for (int i = 0; i < 500 && kill(windows_, 0) == 0; ++i)
                sleepMs(10);
    }
    // The process whose windows show: the one started, except under wine, whose loader
    // starts the Windows program as a process of its own.
    pid_t pid() const { return windows_; }
    void setWindowsProcess(pid_t pid) { windows_ = pid; }
    double started() const { return started_; }
    const Rect& menu() const { return menu_; }
    void setMenu(const Rect& menu) { menu_ = menu; }

    // A field of /proc/PID/status or smaps_rollup, in kB.
    long kb(const char* file, const char* field) const
    {
        std::ifstream in("/proc/" + std::to_string(windows_) + "/" + file);
        std::string line;
        long sum = 0;
        while (std::getline(in, line))
            if (line.rfind(field, 0) == 0)
                sum += std::strtol(line.c_str() + std::strlen(field), nullptr, 10);
        return sum;
    }
    long rssKb() const { return kb("status", "VmRSS:"); }
    // Pages written by this process alone. Clean library pages count as private only while
    // no other process maps them, so they come and go with whatever else runs.
    long privateKb() const { return kb("smaps_rollup", "Private_Dirty:"); }

private:
    pid_t pid_ = 0, windows_ = 0;
    double started_ = 0;
    Rect menu_;
};

struct Samples {
    std::vector<double> a, b; // program, bare: one pair per round
};

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double minOf(const std::vector<double>& v) { return v.empty() ? 0 : *std::min_element(v.begin(), v.end()); }

// Pads to a width in terminal columns: a Japanese character takes two.
std::string padded(const std::string& text, std::size_t columns)
{
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((c & 0xC0) == 0x80)
            continue;
        width += c >= 0xE3 ? 2 : 1;
    }
    return text + std::string(columns > width ? columns - width : 0, ' ');
}

std::string sizeArg(Size s) { return std::to_string(s.w) + "x" + std::to_string(s.h); }

enum class Kind { Tax, Coef, Help };

struct Bench {
    Screen screen;
    std::string program, bare;
    std::map<std::string, Samples> samples;
    std::vector<std::string> order; // the rows in the order measured

    void record(const std::string& what, bool isProgram, double value)
    {
        if (!samples.count(what))
            order.push_back(what);
        (isProgram ? samples[what].a : samples[what].b).push_back(value);
    }

    // Click at (x, y) and time it to the last change; returns the new window too.
    std::pair<Window, Rect> timedOpen(const Process& p, int x, int y, const std::string& what, bool isProgram)
    {
        const auto before = screen.windowsOf(p.pid());
        const double t0 = screen.click(x, y);
        if (std::getenv("KZ_XBENCH_TRACE"))
            std::fprintf(stderr, "%10.1f ms  click for %s\n", t0, what.c_str());
        const std::optional<double> t1 = screen.lastChange();
        auto w = screen.newWindow(p.pid(), before);
        if (!t1 || !w)
            Screen::fail(("nothing opened for " + what).c_str());
        record(what, isProgram, *t1 - t0);
        screen.moveAway();
        return *w;
    }

    std::pair<Window, Rect> open(const Process& p, int x, int y)
    {
        const auto before = screen.windowsOf(p.pid());
        screen.click(x, y);
        auto w = screen.newWindow(p.pid(), before);
        if (!w) {
            std::fprintf(stderr, "kz_xbench: no window opened by a click at %d,%d; windows before %zu, now %zu\n", x, y,
                         before.size(), screen.windowsOf(p.pid()).size());
            Screen::fail("a window did not open");
        }
        screen.settle();
        return *w;
    }

    // Closes a window and waits until it is gone from the screen, as a user would see.
    void closeWindow(const Process& p, Window w)
    {
        screen.close(w);
        for (int i = 0; i < 2000 && screen.windowsOf(p.pid()).count(w); ++i)
            sleepMs(10);
        screen.settle();
    }

    // Starts the program or the bare one and times its start to the first paint.
    std::unique_ptr<Process> start(bool isProgram, const std::vector<Size>& bareOpens)
    {
        screen.moveAway();
        screen.settle();
        std::vector<std::string> argv{isProgram ? program : bare};
        if (!isProgram) {
            std::string sizes;
            for (Size s : bareOpens)
                sizes += (sizes.empty() ? "" : ",") + sizeArg(s);
            argv.push_back(sizes);
        }
        const auto before = screen.shownWindows();
        auto p = std::make_unique<Process>(argv);
        const std::optional<double> first = screen.firstChange(20000);
        if (!first)
            Screen::fail("the program showed nothing");
        record("start-up to the first paint of the menu", isProgram, *first - p->started());
        // The menu: the first new window, its process the started one or (under wine) the
        // Windows program's.
        for (int i = 0; i < 2000 && !p->menu().w; ++i) {
            for (const auto& [w, shown] : screen.shownWindows())
                if (!before.count(w) && shown.first > 0) {
                    p->setWindowsProcess(shown.first);
                    p->setMenu(shown.second);
                    screen.setMenu(shown.second);
                    break;
                }
            if (!p->menu().w)
                sleepMs(10);
        }
        if (!p->menu().w)
            Screen::fail("no window of the program showed");
        screen.settle();
        return p;
    }

    void windowRound(Kind kind, bool isProgram)
    {
        const Size size = kind == Kind::Tax ? kTaxSize : kind == Kind::Coef ? kCoefSize : kHelpSize;
        const char* name = kind == Kind::Tax ? "相続税計算" : kind == Kind::Coef ? "係数計算" : "シートHELP";
        auto p = start(isProgram, {size});
        // Where the click goes: the menu's button, or "シートHELP" in an open tax window.
        const Rect& menu = p->menu();
        int x = menu.x + kBareButtonX, y = menu.y + kBareButtonY;
        if (isProgram) {
            x = menu.x + kMenuX;
            y = menu.y + (kind == Kind::Coef ? kCoefButtonY : kTaxButtonY);
            if (kind == Kind::Help) {
                const Rect tax = open(*p, x, y).second;
                x = tax.x + kHelpButtonX;
                y = tax.y + kHelpButtonY;
            }
        }
        const std::string what = std::string("click on \"") + name + "\" to its window's last pixel";
        auto w = timedOpen(*p, x, y, what + ", first opening", isProgram);
        closeWindow(*p, w.first);
        w = timedOpen(*p, x, y, what + ", later opening", isProgram);
        if (kind == Kind::Tax)
            calculation(w, isProgram);
    }

    // "納付税額計算" on a sheet filled in every field, against a label rewritten by a button.
    void calculation(std::pair<Window, Rect> window, bool isProgram)
    {
        const Rect r = window.second;
        int x = r.x + kBareButtonX, y = r.y + kBareButtonY;
        if (isProgram) {
            screen.focus(window.first);
            // The sheet's tab order: five persons' six amount rows, the heir count, the five
            // share fractions, the three years fields.
            static const char* const kSheet[] = {
                "200000", "10000", "5000", "1000", "0", "2000", // spouse
                "60000",  "5000",  "0",    "0",    "0", "1000", // heir 2
                "40000",  "0",     "0",    "0",    "0", "0",    // heir 3
                "30000",  "3000",  "0",    "0",    "0", "0",    // heir 4
                "20000",  "0",     "0",    "0",    "0", "0",    // legatee
                "4",      "1",     "2",    "1",    "6", "1", "6", "1", "6", "", "", "5", "3", "0"};
            for (const char* text : kSheet) {
                screen.type(text);
                screen.key(XK_Tab);
            }
            screen.settle();
            x = r.x + kCalcX;
            y = r.y + kCalcY;
        }
        const double t0 = screen.click(x, y);
        const std::optional<double> t1 = screen.lastChange();
        if (!t1)
            Screen::fail("the calculation changed nothing on screen");
        record("\"納付税額計算\" on a full sheet, click to last pixel", isProgram, *t1 - t0);
    }

    // A share typed in "二次相続シミュレーション" (figures, chart and table redrawn), key to last
    // pixel, against a bare window of the same size that repaints whole at a typed key.
    void studyRound(bool isProgram)
    {
        auto p = start(isProgram, {kStudySize});
        std::pair<Window, Rect> w;
        if (isProgram) {
            const auto tax = open(*p, p->menu().x + kMenuX, p->menu().y + kTaxButtonY);
            screen.focus(tax.first);
            // The 1億円 family: spouse 40,000, two children 30,000 each, three heirs, the spouse
            // 1/2 and each child 1/4 (a study takes only a family it can follow).
            for (const auto& [text, tabs] : {std::pair{"40000", 6}, {"30000", 6}, {"30000", 18}, {"3", 1}, {"1", 1},
                                             {"2", 1}, {"1", 1}, {"4", 1}, {"1", 1}, {"4", 0}}) {
                screen.type(text);
                for (int i = 0; i < tabs; ++i)
                    screen.key(XK_Tab);
            }
            w = open(*p, tax.second.x + kStudyX, tax.second.y + kStudyY);
            screen.focus(w.first);
            screen.key(XK_Return); // from the estate to the children, then to the share
            screen.key(XK_Return);
        } else {
            w = open(*p, p->menu().x + kBareButtonX, p->menu().y + kBareButtonY);
            screen.focus(w.first);
        }
        screen.settle();
        for (const char* digit : {"5", "0", "0", "0", "0"}) { // 5, 50, … 50,000 千円
            const double t0 = nowMs();
            screen.type(digit);
            const std::optional<double> t1 = screen.lastChange();
            if (!t1)
                Screen::fail("a typed share changed nothing on screen");
            record("a share typed in \"二次相続シミュレーション\", key to last pixel", isProgram, *t1 - t0);
        }
    }

    // Every window open at once: its resident memory.
    void memoryRound(bool isProgram)
    {
        auto p = start(isProgram, {kTaxSize, kCoefSize, kAboutSize, kHelpSize});
        const Rect& menu = p->menu();
        if (isProgram) {
            const Rect tax = open(*p, menu.x + kMenuX, menu.y + kTaxButtonY).second;
            open(*p, menu.x + kMenuX, menu.y + kCoefButtonY);
            open(*p, menu.x + kMenuX, menu.y + kAboutButtonY);
            open(*p, tax.x + kHelpButtonX, tax.y + kHelpButtonY);
        } else {
            for (int i = 0; i < 4; ++i)
                open(*p, menu.x + kBareButtonX, menu.y + kBareButtonY);
        }
        record("memory with every window open (RSS), MB", isProgram, p->rssKb() / 1024.0);
    }

    // The tax window opened and closed `openings` times: its private memory then, less
    // after the first opening.
    void openingsRound(bool isProgram, int openings)
    {
        auto p = start(isProgram, {kTaxSize});
        const int x = p->menu().x + (isProgram ? kMenuX : kBareButtonX);
        const int y = p->menu().y + (isProgram ? kTaxButtonY : kBareButtonY);
        const double quiet = gQuietMs;
        gQuietMs = 60;
        long first = 0;
        for (int i = 1; i <= openings; ++i) {
            auto w = open(*p, x, y);
            if (i == 1)
                first = p->privateKb();
            if (std::getenv("KZ_XBENCH_TRACE"))
                std::fprintf(stderr, "opening %d: private %ld kB\n", i, p->privateKb());
            if (i == openings)
                break;
            closeWindow(*p, w.first);
        }
        gQuietMs = quiet;
        const double growth = static_cast<double>(p->privateKb() - first) / 1024;
        record("private memory growth over " + std::to_string(openings) + " tax-window openings, MB", isProgram,
               growth);
    }
};

struct Target {
    const char* prefix;
    double target;
    bool absolute; // a bound on the program's own median, not on a ratio
};

const Target kTargets[] = {
    {"start-up", 1.2, false},
    {"click on \"相続税計算\" to its window's last pixel, later", 2.5, false},
    {"click on \"係数計算\" to its window's last pixel, later", 2.5, false},
    {"click on \"シートHELP\" to its window's last pixel, later", 2.0, false},
    {"memory with every window open", 1.2, false},
    {"private memory growth", 2.0, true},
    {"\"納付税額計算\"", 2.0, false},
    {"a share typed", 2.0, false},
};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: kz_xbench PROGRAM BARE [--rounds N] [--mem-rounds N] [--openings N] [--check]\n");
        return 2;
    }
    int rounds = 15, memRounds = 3, openings = 100;
    bool check = false;
    for (int i = 3; i < argc; ++i) {
        const std::string a = argv[i];
        auto next = [&] { return i + 1 < argc ? std::atoi(argv[++i]) : 0; };
        if (a == "--rounds")
            rounds = next();
        else if (a == "--mem-rounds")
            memRounds = next();
        else if (a == "--openings")
            openings = next();
        else if (a == "--check")
            check = true;
    }

    Bench b;
    b.program = argv[1];
    b.bare = argv[2];
    for (int r = 0; r < rounds; ++r) {
        for (Kind k : {Kind::Tax, Kind::Coef, Kind::Help})
            for (bool isProgram : {true, false})
                b.windowRound(k, isProgram);
        for (bool isProgram : {true, false})
            b.studyRound(isProgram);
        std::fprintf(stderr, "round %d of %d\n", r + 1, rounds);
    }
    for (int r = 0; r < memRounds; ++r)
        for (bool isProgram : {true, false}) {
            b.memoryRound(isProgram);
            if (openings > 0)
                b.openingsRound(isProgram, openings);
        }

    std::printf("%-72s %17s %17s %8s %8s\n", "what (times in ms)", "program min/med", "bare min/med", "ratio",
                "target");
    int failures = 0;
    for (const std::string& what : b.order) {
        const Samples& s = b.samples[what];
        std::vector<double> ratios;
        for (std::size_t i = 0; i < std::min(s.a.size(), s.b.size()); ++i)
            if (s.b[i] > 0)
                ratios.push_back(s.a[i] / s.b[i]);
        const Target* target = nullptr;
        for (const Target& t : kTargets)
            if (what.rfind(t.prefix, 0) == 0)
                target = &t;
        const double ratio = median(ratios);
        char targetText[32] = "";
        if (target)
            std::snprintf(targetText, sizeof targetText, target->absolute ? "<= %.0f MB" : "<= %.1fx", target->target);
        if (target && target->absolute)
            std::printf("%s %8.1f %8.1f %8.1f %8.1f %8s %8s\n", padded(what, 72).c_str(), minOf(s.a), median(s.a), minOf(s.b),
                        median(s.b), "", targetText);
        else
            std::printf("%s %8.1f %8.1f %8.1f %8.1f %7.2fx %8s\n", padded(what, 72).c_str(), minOf(s.a), median(s.a),
                        minOf(s.b), median(s.b), ratio, targetText);
        const double value = target && target->absolute ? median(s.a) : ratio;
        if (check && target && value > 2 * target->target) {
            std::printf("  FAILED: %.2f is more than twice the target %.2f\n", value, target->target);
            ++failures;
        }
    }
    return failures ? 1 : 0;
}
