/* xwait: two small services of an X display for driving and timing the real
 * program.
 *   xwait tray          holds the notification-area selection (an empty
 *                       tray), so windows open without saying there is none
 *   xwait map NAME WxH  waits until a window of that name and size is mapped
 *                       and prints the milliseconds it took
 * Events, not polling: the time is the server's own notice of the map. */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static double Now(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

static int Tray(Display* display) {
  char name[64];
  snprintf(name, sizeof name, "_NET_SYSTEM_TRAY_S%d", DefaultScreen(display));
  const Atom selection = XInternAtom(display, name, False);
  const Window root = DefaultRootWindow(display);
  const Window owner = XCreateSimpleWindow(display, root, 0, 0, 1, 1, 0, 0, 0);
  XSetSelectionOwner(display, selection, owner, CurrentTime);
  XEvent manager;
  memset(&manager, 0, sizeof manager);
  manager.xclient.type = ClientMessage;
  manager.xclient.window = root;
  manager.xclient.message_type = XInternAtom(display, "MANAGER", False);
  manager.xclient.format = 32;
  manager.xclient.data.l[0] = CurrentTime;
  manager.xclient.data.l[1] = (long)selection;
  manager.xclient.data.l[2] = (long)owner;
  XSendEvent(display, root, False, StructureNotifyMask, &manager);
  XFlush(display);
  printf("ready\n");
  fflush(stdout);
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
  }
}

static int Matches(Display* display, Window window, const char* name, int width, int height) {
  char* title = NULL;
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes)) return 0;
  if (attributes.width != width || attributes.height != height) return 0;
  if (!XFetchName(display, window, &title) || title == NULL) return 0;
  const int same = strcmp(title, name) == 0;
  XFree(title);
  return same;
}

static int Map(Display* display, const char* name, const char* size) {
  int width = 0;
  int height = 0;
  if (sscanf(size, "%dx%d", &width, &height) != 2) return 2;
  const double start = Now();
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XFlush(display);
  printf("ready\n");
  fflush(stdout);
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == MapNotify && Matches(display, event.xmap.window, name, width, height)) {
      printf("%.1f\n", Now() - start);
      return 0;
    }
  }
}

int main(int argc, char** argv) {
  Display* display = XOpenDisplay(NULL);
  if (display == NULL) {
    fprintf(stderr, "xwait: no display\n");
    return 1;
  }
  if (argc == 2 && strcmp(argv[1], "tray") == 0) return Tray(display);
  if (argc == 4 && strcmp(argv[1], "map") == 0) return Map(display, argv[2], argv[3]);
  fprintf(stderr, "usage: xwait tray | xwait map NAME WxH\n");
  return 2;
}
