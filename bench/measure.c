/* Starts a program on the current X display and measures it:
 *   first_frame_ms   from the start of the process to the first drawing into
 *                    its top-level window (the X Damage extension sees it)
 *   cpu_percent      its CPU time (user + system) while it runs on for the
 *                    given seconds after that frame, in per cent of one core
 *   server_percent   the CPU of the servers it draws through over the same
 *                    seconds: the processes in SERVER_PIDS, the X server's
 *                    and, under Wine, the wineserver's
 *   frames_per_s     frames drawn into its window over those seconds: bursts
 *                    of drawing (X Damage's raw rectangles, by the server's
 *                    clock) more than 4 ms apart, whatever their number of
 *                    rectangles, so that each program's frames count alike
 *   cpu_per_kframe_ms   its CPU and the servers' per 1,000 of those frames
 *   peak_rss_kb      its peak resident memory, when it has been ended
 * With OUT_OF_SIGHT=unmapped (as a minimised window is) or covered (by a
 * window over the whole screen), the window is put out of sight a second
 * after its first frame, and the seconds are measured from then.
 * Usage: measure SECONDS PROGRAM [ARGS...]; prints one line of key=value. */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <dirent.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

/* CPU time of all threads of a process so far, in seconds: the scheduler's
 * sum_exec_runtime (milliseconds with six decimals) of each of them, where
 * utime and stime would count only whole 10 ms ticks. */
static double cpu_seconds(pid_t pid)
{
    char path[64];
    snprintf(path, sizeof path, "/proc/%d/task", (int)pid);
    DIR* tasks = opendir(path);
    if (!tasks)
        return 0;
    double ms = 0;
    struct dirent* task;
    while ((task = readdir(tasks)) != NULL) {
        if (task->d_name[0] == '.')
            continue;
        char sched[300];
        snprintf(sched, sizeof sched, "%s/%s/sched", path, task->d_name);
        FILE* f = fopen(sched, "r");
        if (!f)
            continue;
        char line[256];
        double value;
        while (fgets(line, sizeof line, f))
            if (sscanf(line, "se.sum_exec_runtime : %lf", &value) == 1)
                ms += value;
        fclose(f);
    }
    closedir(tasks);
    return ms / 1e3;
}

/* The CPU of the servers in SERVER_PIDS so far, in seconds. */
static double servers_cpu_seconds(void)
{
    const char* list = getenv("SERVER_PIDS");
    double seconds = 0;
    for (char* end; list && *list; list = end) {
        const long pid = strtol(list, &end, 10);
        if (end == list)
            break;
        seconds += cpu_seconds((pid_t)pid);
    }
    return seconds;
}

/* Qt creates helper windows at start-up, some of them input-only, which
 * Damage refuses (BadMatch); Xlib's default handler would then end measure
 * and leave the program running. Such a window is simply not watched. */
static int ignoreError(Display* dpy, XErrorEvent* error)
{
    (void)dpy;
    (void)error;
    return 0;
}

int main(int argc, char* argv[])
{
    if (argc < 3) {
        fprintf(stderr, "usage: measure SECONDS PROGRAM [ARGS...]\n");
        return 2;
    }
    const double seconds = atof(argv[1]);

    Display* dpy = XOpenDisplay(NULL);
    int damageEvent, damageError;
    if (!dpy || !XDamageQueryExtension(dpy, &damageEvent, &damageError)) {
        fprintf(stderr, "needs an X display with the Damage extension\n");
        return 2;
    }
    XSetErrorHandler(ignoreError);
    /* Xvfb draws the pointer itself, and puts it back after every drawing
     * under it: left in the middle of the screen, where it is at every start
     * of the server, it lies in the path of a centred window's banner and
     * not of a window at the corner. It goes to the far corner, under
     * neither. */
    XWarpPointer(dpy, None, DefaultRootWindow(dpy), 0, 0, 0, 0, DisplayWidth(dpy, DefaultScreen(dpy)) - 1,
                 DisplayHeight(dpy, DefaultScreen(dpy)) - 1);
    XSelectInput(dpy, DefaultRootWindow(dpy), SubstructureNotifyMask);
    XSync(dpy, False);

    const double start = now_ms();
    const pid_t child = fork();
    if (child == 0) {
        dup2(STDERR_FILENO, STDOUT_FILENO); /* our output is the figures alone */
        execvp(argv[2], argv + 2);
        _exit(127);
    }

    double firstFrame = -1;
    Damage windowDamage = 0;
    Drawable windowDrawable = 0;
    struct pollfd pfd = {ConnectionNumber(dpy), POLLIN, 0};
    while (firstFrame < 0 && now_ms() - start < 30000) {
        if (!XPending(dpy) && poll(&pfd, 1, 100) <= 0)
            continue;
        XEvent ev;
        XNextEvent(dpy, &ev);
        if (ev.type == CreateNotify) {
            XDamageCreate(dpy, ev.xcreatewindow.window, XDamageReportRawRectangles);
        } else if (ev.type == damageEvent + XDamageNotify) {
            const XDamageNotifyEvent* d = (const XDamageNotifyEvent*)&ev;
            if (d->geometry.width > 100 && d->geometry.height > 100) { /* the window, not a helper */
                firstFrame = now_ms() - start;
                windowDamage = d->damage;
                windowDrawable = d->drawable;
            }
        }
    }
    if (firstFrame < 0) {
        fprintf(stderr, "no frame within 30 s\n");
        kill(child, SIGKILL);
        waitpid(child, NULL, 0);
        return 1;
    }

    const char* outOfSight = getenv("OUT_OF_SIGHT");
    if (outOfSight && *outOfSight) {
        usleep(1000000);
        if (strcmp(outOfSight, "unmapped") == 0) {
            XUnmapWindow(dpy, windowDrawable);
        } else {
            XSetWindowAttributes over
                = {.override_redirect = True, .background_pixel = BlackPixel(dpy, DefaultScreen(dpy))};
            const Window cover = XCreateWindow(dpy, DefaultRootWindow(dpy), 0, 0, DisplayWidth(dpy, DefaultScreen(dpy)),
                                               DisplayHeight(dpy, DefaultScreen(dpy)), 0, CopyFromParent, InputOutput,
                                               CopyFromParent, CWOverrideRedirect | CWBackPixel, &over);
            XMapRaised(dpy, cover);
        }
        usleep(200000); /* the program takes it in */
        XSync(dpy, True); /* its frames until then are not counted */
    }

    const double cpu0 = cpu_seconds(child), x0 = servers_cpu_seconds(), t0 = now_ms();
    long frames = 0;
    Time last = 0;
    while (now_ms() - t0 < seconds * 1e3) {
        if (!XPending(dpy) && poll(&pfd, 1, 10) <= 0)
            continue;
        XEvent ev;
        XNextEvent(dpy, &ev);
        const XDamageNotifyEvent* d = (const XDamageNotifyEvent*)&ev;
        if (ev.type == damageEvent + XDamageNotify && d->damage == windowDamage) {
            if (d->timestamp - last > 4)
                ++frames;
            last = d->timestamp;
        }
    }
    const double cpu1 = cpu_seconds(child), x1 = servers_cpu_seconds(), t1 = now_ms();

    kill(child, SIGTERM);
    int status;
    struct rusage usage;
    wait4(child, &status, 0, &usage);
    const double wall = (t1 - t0) / 1e3;
    printf("first_frame_ms=%.1f cpu_percent=%.2f server_percent=%.2f frames_per_s=%.1f cpu_per_kframe_ms=%.0f "
           "peak_rss_kb=%ld\n",
           firstFrame, 100 * (cpu1 - cpu0) / wall, 100 * (x1 - x0) / wall, frames / wall,
           frames ? 1e6 * (cpu1 - cpu0 + x1 - x0) / frames : -1.0, usage.ru_maxrss);
    XCloseDisplay(dpy);
    return 0;
}
