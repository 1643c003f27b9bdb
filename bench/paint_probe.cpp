// Starts a program and reports when its first window shows painted content
// and how much memory the process holds then, without any help from the
// program itself, so that larkpad and bare_window are measured alike.
//
//   paint_probe [--settle-ms N] [--timeout-ms N] [--dump FILE.ppm] -- program [arguments...]
//
// The clock starts just before fork(). Every millisecond the probe looks for
// a viewable top-level window whose _NET_WM_PID is the child's; once there is
// one it reads the window's pixels back from the X server. The X server is
// expected to run with a black root (-br) and no window manager: a Qt window
// has no background of its own, so until the program draws, its pixels are
// the root's single colour. The first read-back holding more than one colour
// is the first painted window. VmRSS is read from /proc at that moment and
// again after --settle-ms (default 1000), when work the program deferred until
// after showing has run; then the child gets SIGTERM.
//
// --dump writes that first painted read-back as a PPM picture.
//
// Output, one line: startup_ms=<float> mapped_ms=<float> rss_kb_at_paint=<int>
// rss_kb_settled=<int>; mapped_ms is when the window was first seen viewable.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

int ignoreXErrors(Display *, XErrorEvent *) { return 0; }

std::optional<long> windowPid(Display *display, Window window, Atom pidAtom)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) != Success
        || !data)
        return std::nullopt;
    std::optional<long> pid;
    if (type == XA_CARDINAL && format == 32 && count == 1)
        pid = static_cast<long>(*reinterpret_cast<unsigned long *>(data));
    XFree(data);
    return pid;
}

// A viewable top-level window of the process, if it has one yet.
std::optional<Window> viewableWindowOf(Display *display, pid_t pid, Atom pidAtom)
{
    Window root = DefaultRootWindow(display), parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, root, &root, &parent, &children, &count))
        return std::nullopt;
    std::optional<Window> found;
    for (unsigned int i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, children[i], &attributes)
            || attributes.map_state != IsViewable || attributes.c_class != InputOutput)
            continue;
        if (windowPid(display, children[i], pidAtom) == pid)
            found = children[i];
    }
    if (children)
        XFree(children);
    return found;
}

// Writes the image as a binary PPM, to look at what the probe took for the
// first painting.
void writePpm(XImage *image, const char *path)
{
    FILE *file = std::fopen(path, "wb");
    if (!file)
        return;
    std::fprintf(file, "P6\n%d %d\n255\n", image->width, image->height);
    for (int y = 0; y < image->height; ++y)
        for (int x = 0; x < image->width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            const unsigned char rgb[3] = {static_cast<unsigned char>(pixel >> 16),
                                          static_cast<unsigned char>(pixel >> 8),
                                          static_cast<unsigned char>(pixel)};
            std::fwrite(rgb, 1, 3, file);
        }
    std::fclose(file);
}

bool showsMoreThanOneColour(Display *display, Window window, const char *dumpPath)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable)
        return false;
    XImage *image = XGetImage(display, window, 0, 0, attributes.width, attributes.height, AllPlanes,
                              ZPixmap);
    if (!image)
        return false;
    const unsigned long first = XGetPixel(image, 0, 0);
    bool varied = false;
    for (int y = 0; y < image->height && !varied; ++y)
        for (int x = 0; x < image->width && !varied; ++x)
            varied = XGetPixel(image, x, y) != first;
    if (varied && dumpPath)
        writePpm(image, dumpPath);
    XDestroyImage(image);
    return varied;
}

long vmRssKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

void stop(pid_t pid)
{
    kill(pid, SIGTERM);
    for (int i = 0; i < 500; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

} // namespace

int main(int argc, char **argv)
{
    long settleMs = 1000, timeoutMs = 30000;
    const char *dumpPath = nullptr;
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (!std::strcmp(argv[i], "--settle-ms") && i + 1 < argc)
            settleMs = std::strtol(argv[++i], nullptr, 10);
        else if (!std::strcmp(argv[i], "--timeout-ms") && i + 1 < argc)
            timeoutMs = std::strtol(argv[++i], nullptr, 10);
        else if (!std::strcmp(argv[i], "--dump") && i + 1 < argc)
            dumpPath = argv[++i];
    }
    if (i + 1 >= argc) {
        std::fprintf(stderr, "usage: %s [--settle-ms N] [--timeout-ms N] [--dump FILE.ppm] -- program [args...]\n",
                     argv[0]);
        return 2;
    }
    char **command = argv + i + 1;

    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "paint_probe: cannot open the display\n");
        return 2;
    }
    XSetErrorHandler(ignoreXErrors);
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);

    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("fork");
        return 2;
    }
    if (pid == 0) {
        execvp(command[0], command);
        std::perror(command[0]);
        _exit(127);
    }

    const Clock::time_point deadline = start + std::chrono::milliseconds(timeoutMs);
    std::optional<Window> window;
    Clock::time_point mapped, painted;
    while (true) {
        if (Clock::now() > deadline || waitpid(pid, nullptr, WNOHANG) == pid) {
            std::fprintf(stderr, "paint_probe: %s showed no painted window\n", command[0]);
            stop(pid);
            return 1;
        }
        if (!window) {
            window = viewableWindowOf(display, pid, pidAtom);
            mapped = Clock::now();
        }
        if (window && showsMoreThanOneColour(display, *window, dumpPath)) {
            painted = Clock::now();
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const long rssAtPaint = vmRssKb(pid);
    std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
    const long rssSettled = vmRssKb(pid);
    stop(pid);
    XCloseDisplay(display);

    const auto ms = [start](Clock::time_point t) {
        return std::chrono::duration<double, std::milli>(t - start).count();
    };
    std::printf("startup_ms=%.1f mapped_ms=%.1f rss_kb_at_paint=%ld rss_kb_settled=%ld\n",
                ms(painted), ms(mapped), rssAtPaint, rssSettled);
    return 0;
}
